#pragma once
// The short delay of entire-screen and rectangle capture: a counter kept for
// the whole run, where a tick captures only once the counter has passed 1,
// then restarts it at 0; every tick adds 1 afterwards. The first use after
// start therefore fires on the third tick, later uses on the second.
namespace snapora {

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

}  // namespace snapora
