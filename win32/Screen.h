#pragma once
// Facts about the primary screen and the program module.
#include <windows.h>

#include <string>

#include "win32/logic/VersionInfo.h"

namespace snapora::win32 {

// The screen's dots per inch. The process is DPI aware, so this is the real
// value and all window metrics are physical pixels.
int ScreenDpiX();
int ScreenDpiY();
int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);

// The DPI a window is drawn at: what the last WM_DPICHANGED brought its
// top-level window, else the system's figure for the window's monitor,
// else the screen's. Sizes in twips convert at it.
int WindowDpi(HWND window);
int TwipsToPixelsX(int twips, HWND window);
int TwipsToPixelsY(int twips, HWND window);

// Takes a WM_DPICHANGED to a top-level window: notes the new DPI for
// WindowDpi and, when `suggested` is given, moves the window there as the
// system asks. Returns the new DPI.
int TakeDpiChange(HWND window, WPARAM wParam, const RECT* suggested);

// Size of the primary screen in physical pixels.
SIZE PrimaryScreenSize();

// Full path of the folder that holds the running executable, without a
// trailing backslash (except for a root folder such as "C:\").
std::wstring ProgramFolder();

// The version in this module's VERSIONINFO resource.
ProgramVersion ModuleVersion();

// Asks for per-monitor DPI awareness. Older systems (and Wine 8) do not know
// every level, so a refusal is never fatal.
void EnableDpiAwareness();

}  // namespace snapora::win32
