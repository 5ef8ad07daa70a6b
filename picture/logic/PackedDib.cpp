#include "picture/logic/PackedDib.h"

#include <cstdlib>

#include "picture/logic/BmpEncoder.h"

namespace snapora {

namespace {

constexpr int kLargestSide = 16384;

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

}  // namespace

std::optional<DibPixels> ReadPackedDib24(std::span<const std::uint8_t> dib) {
    if (dib.size() < 40) return std::nullopt;
    const std::uint64_t headerSize = Le32(dib, 0);
    const auto width = static_cast<std::int32_t>(Le32(dib, 4));
    const auto signedHeight = static_cast<std::int32_t>(Le32(dib, 8));
    const std::uint64_t colours = Le32(dib, 32);  // a palette a 24-bit picture does not use
    if (headerSize < 40 || Le16(dib, 12) != 1 || Le16(dib, 14) != 24 || Le32(dib, 16) != 0) return std::nullopt;
    if (width <= 0 || width > kLargestSide || signedHeight == 0 || signedHeight < -kLargestSide ||
        signedHeight > kLargestSide || colours > 256) {
        return std::nullopt;
    }
    const int height = std::abs(signedHeight);
    const std::size_t stride = *BmpRowStride(width);
    const std::uint64_t start = headerSize + colours * 4;
    if (start + std::uint64_t(stride) * std::uint64_t(height) > dib.size()) return std::nullopt;

    DibPixels pixels{width, height, std::vector<std::uint32_t>(std::size_t(width) * std::size_t(height))};
    for (int y = 0; y < height; ++y) {
        const int stored = signedHeight > 0 ? height - 1 - y : y;
        const std::uint8_t* row = dib.data() + start + std::size_t(stored) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = row + std::size_t(x) * 3;
            pixels.topDown[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
        }
    }
    return pixels;
}

}  // namespace snapora
