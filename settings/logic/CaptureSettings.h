#pragma once
// The capture settings, held in memory for one run. The automatic-capture
// interval is not here: it is the period of the main window's automatic
// capture timer.
#include <string>

namespace snapora {

struct CaptureSettings {
    static constexpr unsigned kDefaultAutomaticIntervalMs = 10000;

    std::wstring autoPrefix = L"Automatic";  // file-name prefix of automatic captures
    float autoDuration = 120;                // seconds
    std::wstring autoDir = L"CapPicture";    // folder below the program's folder
    double cursorHeight = 120;               // pixels
    float cursorWidth = 160;                 // pixels
};

}  // namespace snapora
