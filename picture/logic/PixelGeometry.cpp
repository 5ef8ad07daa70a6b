#include "picture/logic/PixelGeometry.h"

#include <algorithm>
#include <limits>

namespace snapora {

std::optional<PixelSize> SizeFromEdges(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    const std::int64_t width = right - left;
    const std::int64_t height = bottom - top;
    constexpr std::int64_t kMax = std::numeric_limits<int>::max();
    if (width < 0 || height < 0 || width > kMax || height > kMax) return std::nullopt;
    return PixelSize{static_cast<int>(width), static_cast<int>(height)};
}

std::optional<std::size_t> Bgra32ByteCount(int width, int height) {
    if (width < 0 || height < 0) return std::nullopt;
    // GDI refuses bitmaps whose size does not fit a signed 32-bit byte count.
    const std::uint64_t bytes = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4u;
    if (bytes > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) return std::nullopt;
    return static_cast<std::size_t>(bytes);
}

std::vector<std::uint32_t> EnlargePixels(const std::vector<std::uint32_t>& pixels, int width, int height, int factor) {
    if (width <= 0 || height <= 0 || factor <= 0 ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return {};
    }
    const std::uint64_t outWidth = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(factor);
    const std::uint64_t outHeight = static_cast<std::uint64_t>(height) * static_cast<std::uint64_t>(factor);
    if (outWidth > static_cast<std::uint64_t>(std::numeric_limits<int>::max()) ||
        outHeight > static_cast<std::uint64_t>(std::numeric_limits<int>::max()) ||
        !Bgra32ByteCount(static_cast<int>(outWidth), static_cast<int>(outHeight))) {
        return {};
    }
    const auto rowLength = static_cast<std::size_t>(outWidth);
    std::vector<std::uint32_t> result(rowLength * static_cast<std::size_t>(outHeight));
    auto out = result.begin();
    for (auto row = pixels.begin(); row != pixels.end(); row += width) {
        const auto rowStart = out;
        for (auto pixel = row; pixel != row + width; ++pixel) out = std::fill_n(out, factor, *pixel);
        // The other rows of the block repeat the one just made.
        for (int copy = 1; copy < factor; ++copy) out = std::copy(rowStart, rowStart + static_cast<std::ptrdiff_t>(rowLength), out);
    }
    return result;
}

}  // namespace snapora
