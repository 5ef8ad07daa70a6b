#pragma once
// A strict reader of the PNG files the program writes (8-bit palette or
// 24-bit truecolour), for the window-free tests and the fuzzer: every
// chunk's CRC, the zlib stream's own checksum (through zlib's inflate, which
// shares nothing with how the writer joins its bands), every row's filter
// and every palette index are checked.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace snapora::test {

struct DecodedPng {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // top-down, 0x00RRGGBB
    bool indexed = false;               // written with a palette
};

namespace png_detail {

inline std::uint32_t Be32(const std::uint8_t* at) {
    return (std::uint32_t{at[0]} << 24) | (std::uint32_t{at[1]} << 16) | (std::uint32_t{at[2]} << 8) | at[3];
}

inline std::uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Undoes one row's filter in place; false for an unknown filter.
inline bool Unfilter(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* above, std::size_t bytes,
                     std::size_t pixelBytes) {
    for (std::size_t i = 0; i < bytes; ++i) {
        const int a = i >= pixelBytes ? row[i - pixelBytes] : 0;
        const int b = above ? above[i] : 0;
        const int c = above && i >= pixelBytes ? above[i - pixelBytes] : 0;
        const int predictors[] = {0, a, b, (a + b) / 2, Paeth(a, b, c)};
        if (filter > 4) return false;
        row[i] = static_cast<std::uint8_t>(row[i] + predictors[filter]);
    }
    return true;
}

// The pixels of the filtered rows in `raw`, through the palette when there is one.
inline bool ReadRows(std::vector<std::uint8_t>& raw, const std::vector<std::uint32_t>& palette, DecodedPng& png) {
    const std::size_t pixelBytes = png.indexed ? 1 : 3;
    const std::size_t rowBytes = 1 + pixelBytes * static_cast<std::size_t>(png.width);
    png.pixels.reserve(static_cast<std::size_t>(png.width) * static_cast<std::size_t>(png.height));
    for (std::size_t y = 0; y < static_cast<std::size_t>(png.height); ++y) {
        std::uint8_t* row = &raw[y * rowBytes];
        const std::uint8_t* above = y ? row - rowBytes + 1 : nullptr;
        if (!Unfilter(row[0], row + 1, above, rowBytes - 1, pixelBytes)) return false;
        for (std::size_t i = 1; i < rowBytes; i += pixelBytes) {
            if (png.indexed && row[i] >= palette.size()) return false;
            png.pixels.push_back(png.indexed ? palette[row[i]]
                                             : (std::uint32_t{row[i]} << 16) | (std::uint32_t{row[i + 1]} << 8) | row[i + 2]);
        }
    }
    return true;
}

}  // namespace png_detail

// The picture in `file`, or nothing when anything about it is wrong.
inline std::optional<DecodedPng> ReadPng(std::span<const std::uint8_t> file) {
    using png_detail::Be32;
    constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(kSignature, kSignature + 8, file.begin())) return std::nullopt;
    DecodedPng png;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> compressed;
    bool ended = false;
    for (std::size_t at = 8; at < file.size();) {
        if (ended || file.size() - at < 12) return std::nullopt;
        const std::uint32_t length = Be32(&file[at]);
        if (length > file.size() - at - 12) return std::nullopt;
        const std::uint8_t* type = &file[at + 4];
        const std::uint8_t* data = type + 4;
        if (crc32(0, type, length + 4) != Be32(data + length)) return std::nullopt;
        const std::string_view name(reinterpret_cast<const char*>(type), 4);
        if (at == 8) {
            // 8 bits, truecolour (2) or palette (3), deflate, adaptive filters, no interlace.
            if (name != "IHDR" || length != 13 || data[8] != 8 || (data[9] != 2 && data[9] != 3) || data[10] != 0 ||
                data[11] != 0 || data[12] != 0) {
                return std::nullopt;
            }
            png.width = static_cast<int>(Be32(data));
            png.height = static_cast<int>(Be32(data + 4));
            png.indexed = data[9] == 3;
        } else if (name == "PLTE") {
            if (!png.indexed || !palette.empty() || !compressed.empty() || length % 3 || length == 0 || length > 768) {
                return std::nullopt;
            }
            for (std::uint32_t i = 0; i < length; i += 3) {
                palette.push_back((std::uint32_t{data[i]} << 16) | (std::uint32_t{data[i + 1]} << 8) | data[i + 2]);
            }
        } else if (name == "IDAT") {
            compressed.insert(compressed.end(), data, data + length);
        } else if (name == "IEND") {
            ended = true;
        }
        at += 12 + std::size_t{length};
    }
    if (!ended || png.width <= 0 || png.height <= 0 || png.indexed == palette.empty()) return std::nullopt;
    const std::size_t rowBytes = 1 + (png.indexed ? 1 : 3) * static_cast<std::size_t>(png.width);
    std::vector<std::uint8_t> raw(rowBytes * static_cast<std::size_t>(png.height));
    uLongf rawLength = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &rawLength, compressed.data(), static_cast<uLong>(compressed.size())) != Z_OK ||
        rawLength != raw.size()) {
        return std::nullopt;
    }
    if (!png_detail::ReadRows(raw, palette, png)) return std::nullopt;
    return png;
}

}  // namespace snapora::test
