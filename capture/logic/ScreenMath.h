#pragma once
// Window-free arithmetic of the capture modes.
#include <cstdint>

#include "picture/logic/PixelGeometry.h"

namespace snapora {

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
