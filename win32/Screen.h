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
