#pragma once
// The capture keys of the main window: a key starts its capture as the
// menu command would.
#include <windows.h>

namespace snapora {

class Frame;

// The main window's WM_HOTKEY, also while it waits in the notification
// area. The key does nothing while a capture that hides the main window is
// under way (its wait, the rectangle overlay, the
// window capture's pause) or while a modal dialog disables it.
void RunHotkeyCapture(Frame& frame, WPARAM id);

}  // namespace snapora
