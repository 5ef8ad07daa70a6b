#include "capture/logic/GrabBands.h"

#include <algorithm>

namespace snapora {

namespace {

// A band past this many bytes of 32-bit pixels is split further, so a very
// large screen still reads in buffers the library keeps.
constexpr std::size_t kMostBandBytes = std::size_t{4} << 20;
constexpr int kSmallBandsPerPicture = 8;
// Up to this many bytes a grab is read in one go: each band is a round trip
// to the display (a pointer area of 160x120 took 0.64 ms in seven bands,
// 0.2 in one), and buffers this small cost few page faults. At 640x480 one
// read faulted for 8 ms.
constexpr std::size_t kMostOneReadBytes = std::size_t{256} << 10;

}  // namespace

std::vector<RowBand> GrabBands(int width, int height) {
    std::vector<RowBand> bands;
    if (width <= 0 || height <= 0) return bands;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    if (rowBytes * static_cast<std::size_t>(height) <= kMostOneReadBytes) return {{0, height}};
    const int byBytes = static_cast<int>(std::max<std::size_t>(1, kMostBandBytes / rowBytes));
    const int small = std::clamp((height + kSmallBandsPerPicture - 1) / kSmallBandsPerPicture, 1, byBytes);
    // The first band, two small ones tall, sets the bar for the small ones
    // after it: two of them in flight stay at half of it.
    int top = 0;
    int rows = std::min(height, small * 2);
    while (top < height) {
        bands.push_back({top, rows});
        top += rows;
        rows = std::min(height - top, small);
    }
    return bands;
}

}  // namespace snapora
