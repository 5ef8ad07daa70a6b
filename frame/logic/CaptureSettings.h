#pragma once
// The capture settings, kept across runs by the settings store: plain
// data that every floor from the frame up reads.
#include <array>
#include <string>

#include "frame/logic/DrawingSettings.h"
#include "frame/logic/Hotkey.h"
#include "picture/logic/PictureFormat.h"

namespace snapora {

// What the entire-screen and automatic captures take: the primary monitor,
// the whole desktop over every monitor, or the monitor under the pointer.
// The options list offers them in this order, which is also their stored
// number.
enum class ScreenRange { Primary, AllMonitors, PointerMonitor };
inline constexpr std::array<ScreenRange, 3> kScreenRanges{ScreenRange::Primary, ScreenRange::AllMonitors,
                                                          ScreenRange::PointerMonitor};

struct CaptureSettings {
    static constexpr unsigned kDefaultAutomaticIntervalMs = 10000;

    std::wstring automaticPrefix = L"Automatic";  // file-name prefix of automatic captures
    unsigned automaticIntervalMs = kDefaultAutomaticIntervalMs;
    float automaticDuration = 120;                // seconds
    std::wstring automaticFolder = L"CapPicture"; // folder below the program's folder
    PictureFormat automaticFormat = PictureFormat::Bmp;  // of automatic captures: BMP or PNG
    double pointerAreaHeight = 120;               // pixels
    float pointerAreaWidth = 160;                 // pixels
    CaptureHotkeys hotkeys = kDefaultHotkeys;     // system-wide keys of the captures and of pinning
    bool notificationIcon = false;                // the icon in the notification area
    // Kept as the system's own start-up entry rather than with the others.
    bool startWithWindows = false;
    ScreenRange screenRange = ScreenRange::Primary;  // of entire-screen and automatic captures
    DrawingSettings drawing;                      // what the editor draws with
};

}  // namespace snapora
