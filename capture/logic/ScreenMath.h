#pragma once
// Window-free arithmetic of the capture modes.
#include <cstdint>
#include <optional>

namespace snapora {

// a if a > b, otherwise b (so equal arguments give the second one).
template <class T>
constexpr const T& MaxValue(const T& a, const T& b) {
    return a > b ? a : b;
}

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// Size of a rectangle given by its edges. Empty when either side would be
// negative or not fit an int; a zero side is a valid (empty) size.
std::optional<PixelSize> SizeFromEdges(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

// Bytes of a 32-bit-per-pixel image, or empty when it would not fit memory
// limits we are willing to ask for in one block.
std::optional<std::size_t> Bgra32ByteCount(int width, int height);

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
