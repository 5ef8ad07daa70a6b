#pragma once
// Window-free arithmetic of the capture modes.
#include <cstdint>

#include "picture/logic/PixelGeometry.h"

namespace snapora {

// The short delay of entire-screen and rectangle capture: a counter kept for
// the whole run, where a tick captures only once the counter has passed 1,
// then restarts it at 0; every tick adds 1 afterwards. The first use after
// start therefore fires on the third tick, later uses on the second.
class DelayedTickCounter {
public:
    // True when this tick is the one that captures.
    bool Tick() {
        bool fire = false;
        if (ticks_ > 1) {
            fire = true;
            ticks_ = 0;
        }
        ++ticks_;
        return fire;
    }
    [[nodiscard]] int Value() const { return ticks_; }

private:
    int ticks_ = 0;
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
