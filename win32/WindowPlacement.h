#pragma once
// Registering window classes and placing windows, shared by every window of
// the program.
#include <windows.h>

#include <string>

#include "win32/Handle.h"

namespace snapora::win32 {

struct WindowClassOptions {
    int iconId = 0;              // program resource; 0 for none
    HBRUSH background = nullptr; // e.g. a system colour + 1
    LPCWSTR cursor = IDC_ARROW;
    UINT style = 0;
    LPCWSTR menu = nullptr;
};

// Registers the class once per run; later calls find it registered.
bool RegisterWindowClassOnce(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                             const WindowClassOptions& options = {});

// A control's place in twips, as the dialogs are designed.
struct TwipsRect {
    int id;
    int left;
    int top;
    int width;
    int height;
};

// Moves and sizes the dialog's control `place.id` (offset by the given
// twips) at the real DPI.
void PlaceControlInTwips(HWND dialog, const TwipsRect& place, int offsetLeft = 0, int offsetTop = 0);

// Brings back a window that a capture hid: shown, and restored when it had
// been minimised (a capture started by a key finds it so).
void ShowHiddenWindowAgain(HWND window);

// Centres `window` on `owner` (on the work area when the owner is hidden or
// minimised), keeping it wholly on the screen.
void CentreOnOwner(HWND window, HWND owner);

// A window's icons: the program's icon resource `iconId` at the system's
// large and small sizes, shown in its caption and task switcher. The window
// keeps the icons only while `icons` lives.
struct WindowIcons {
    UniqueIcon large;
    UniqueIcon small;
};
void SetWindowIcons(HWND window, int iconId, WindowIcons& icons);

// A window's caption (or a control's text).
std::wstring WindowText(HWND window);

}  // namespace snapora::win32
