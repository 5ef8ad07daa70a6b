#pragma once
// The capture settings, held in memory for one run.
#include <string>

namespace snapora {

struct CaptureSettings {
    static constexpr unsigned kDefaultAutomaticIntervalMs = 10000;

    std::wstring automaticPrefix = L"Automatic";  // file-name prefix of automatic captures
    unsigned automaticIntervalMs = kDefaultAutomaticIntervalMs;
    float automaticDuration = 120;                // seconds
    std::wstring automaticFolder = L"CapPicture"; // folder below the program's folder
    double pointerAreaHeight = 120;               // pixels
    float pointerAreaWidth = 160;                 // pixels
};

}  // namespace snapora
