#pragma once
// The main window's status bar, drawn by the program itself for the same
// reason as its tool bars (win32/ButtonBar.h): the system's lives in the
// common controls DLL, whose loading was a tenth of the start-up.
//
// It speaks the system status bar's messages the program and tools use:
// SB_SETPARTS, SB_GETPARTS, SB_SETTEXTW, SB_GETTEXTW, SB_GETTEXTLENGTHW,
// and WM_GETTEXT (the first panel) and WM_GETFONT. Each panel is sunken,
// its text on one line; a size grip in the corner sizes the parent.
#include <windows.h>

namespace snapora::win32 {

inline constexpr wchar_t kStatusBarClassName[] = L"SnaporaStatusBar";

HWND CreateStatusBarControl(HWND parent, UINT id);

}  // namespace snapora::win32
