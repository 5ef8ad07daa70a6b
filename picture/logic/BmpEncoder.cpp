#include "picture/logic/BmpEncoder.h"

#include <limits>

namespace snapora {
namespace {

void Put16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value & 0xFFu);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFFu);
}

}  // namespace

std::optional<std::size_t> BmpRowStride(int width) {
    // The limit keeps the arithmetic below far from overflow; no file that
    // wide could fit the format's 32-bit size anyway.
    if (width <= 0 || width > std::numeric_limits<int>::max() / 4) return std::nullopt;
    return (static_cast<std::size_t>(width) * 3u + 3u) & ~static_cast<std::size_t>(3u);
}

std::optional<std::size_t> BmpFileSize(int width, int height) {
    const auto stride = BmpRowStride(width);
    if (!stride || height <= 0) return std::nullopt;
    const std::uint64_t total = kBmpHeaderBytes + static_cast<std::uint64_t>(*stride) * static_cast<std::uint64_t>(height);
    if (total > std::numeric_limits<std::uint32_t>::max() || total > std::numeric_limits<std::size_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(total);
}

std::vector<std::uint8_t> EncodeBmp24(std::span<const std::uint32_t> topDownPixels, int width, int height) {
    std::vector<std::uint8_t> file;
    if (width <= 0 || height <= 0 ||
        topDownPixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return file;
    }
    EncodeBmp24Into(file, topDownPixels.data(), static_cast<std::size_t>(width), width, height);
    return file;
}

bool EncodeBmp24Into(std::vector<std::uint8_t>& file, const std::uint32_t* topDownPixels, std::size_t rowPitch,
                     int width, int height) {
    file.clear();
    const auto fileSize = BmpFileSize(width, height);
    if (!fileSize || !topDownPixels || rowPitch < static_cast<std::size_t>(width)) return false;
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    const std::size_t stride = *BmpRowStride(width);

    file.resize(*fileSize);
    std::uint8_t* p = file.data();
    p[0] = 'B';
    p[1] = 'M';
    Put32(p + 2, static_cast<std::uint32_t>(*fileSize));
    Put32(p + 6, 0);  // reserved
    Put32(p + 10, static_cast<std::uint32_t>(kBmpHeaderBytes));
    Put32(p + 14, 40);  // BITMAPINFOHEADER
    Put32(p + 18, static_cast<std::uint32_t>(width));
    Put32(p + 22, static_cast<std::uint32_t>(height));  // positive: bottom-up rows
    Put16(p + 26, 1);
    Put16(p + 28, 24);
    Put32(p + 30, 0);  // BI_RGB
    Put32(p + 34, static_cast<std::uint32_t>(stride * h));
    for (int at = 38; at < 54; at += 4) Put32(p + at, 0);  // resolution and palette: none

    std::uint8_t* row = p + kBmpHeaderBytes;
    for (std::size_t y = h; y-- > 0; row += stride) {
        const std::uint32_t* source = topDownPixels + y * rowPitch;
        std::uint8_t* out = row;
        for (std::size_t x = 0; x < w; ++x) {
            const std::uint32_t rgb = source[x];
            *out++ = static_cast<std::uint8_t>(rgb & 0xFFu);
            *out++ = static_cast<std::uint8_t>((rgb >> 8) & 0xFFu);
            *out++ = static_cast<std::uint8_t>((rgb >> 16) & 0xFFu);
        }
        // Reused memory holds old bytes: the padding is set every time.
        for (std::size_t pad = w * 3; pad < stride; ++pad) row[pad] = 0;
    }
    return true;
}

}  // namespace snapora
