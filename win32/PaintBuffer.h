#pragma once
// Controls that paint many small pieces (tool bars: a frame and an image
// per button) paint them into memory and the result goes to the screen in
// one copy. Drawn straight onto the window, every piece costs a round
// through the window system (under Wine about a third of a millisecond
// each), which made the bars the slowest part of showing the main window.
#include <windows.h>

namespace snapora::win32 {

// From now on `control` paints through memory; false when it cannot be
// subclassed, and it then paints as before.
bool PaintThroughMemory(HWND control);

}  // namespace snapora::win32
