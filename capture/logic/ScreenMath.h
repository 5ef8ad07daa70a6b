#pragma once
// Window-free arithmetic of the capture modes.
#include <cstdint>

#include "picture/logic/PixelGeometry.h"

namespace snapora {

// Half-open: right and bottom are one past the last pixel.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    [[nodiscard]] int Width() const noexcept { return right - left; }
    [[nodiscard]] int Height() const noexcept { return bottom - top; }
    [[nodiscard]] bool Empty() const noexcept { return right <= left || bottom <= top; }
    [[nodiscard]] bool Contains(PixelPoint point) const noexcept {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Window capture waits until the clock, read in whole seconds, has passed a
// deadline two seconds after the start reading: between 2 and 3 seconds.
struct WholeSecondDeadline {
    std::int64_t deadline;
    static WholeSecondDeadline After(std::int64_t nowWholeSeconds, std::int64_t seconds) {
        return {nowWholeSeconds + seconds};
    }
    [[nodiscard]] bool Passed(std::int64_t nowWholeSeconds) const { return nowWholeSeconds > deadline; }
};

}  // namespace snapora
