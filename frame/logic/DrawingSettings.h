#pragma once
// What every document draws with, kept across runs with the other
// settings: the colour, the line width, the text size and whether the bar
// "绘图" is shown. The ranges the stored values must lie in are here too.
#include <array>
#include <cstdint>

namespace snapora {

struct DrawingSettings {
    std::uint32_t colour = 0x002020E0;  // a COLORREF, 0x00BBGGRR: red
    int width = 3;                      // px
    int textSize = 20;                  // px
    bool barShown = true;
    friend bool operator==(const DrawingSettings&, const DrawingSettings&) = default;
};

inline constexpr int kMinimumDrawingWidth = 1;
inline constexpr int kMaximumDrawingWidth = 20;
inline constexpr std::array<int, 6> kDrawingTextSizes{12, 16, 20, 28, 36, 48};

}  // namespace snapora
