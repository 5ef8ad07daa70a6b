#include "picture/logic/PixelGeometry.h"

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

}  // namespace snapora
