#pragma once
// Pixel points, sizes and rectangles, and what a 32-bit picture of a size costs.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

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

// The pixels from (left, top) up to but not including (right, bottom).
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

// Size of a rectangle given by its edges. Empty when either side would be
// negative or not fit an int; a zero side is a valid (empty) size.
std::optional<PixelSize> SizeFromEdges(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

// Bytes of a 32-bit-per-pixel image, or empty when it would not fit memory
// limits we are willing to ask for in one block.
std::optional<std::size_t> Bgra32ByteCount(int width, int height);

// `pixels` (width x height, row by row) with every pixel repeated as a
// factor x factor block. Empty when the result would not fit in memory.
std::vector<std::uint32_t> EnlargePixels(const std::vector<std::uint32_t>& pixels, int width, int height, int factor);

}  // namespace snapora
