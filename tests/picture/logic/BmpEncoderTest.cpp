#include "picture/logic/BmpEncoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace snapora {
namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& f, std::size_t at) {
    return static_cast<std::uint32_t>(f.at(at)) | static_cast<std::uint32_t>(f.at(at + 1)) << 8 |
           static_cast<std::uint32_t>(f.at(at + 2)) << 16 | static_cast<std::uint32_t>(f.at(at + 3)) << 24;
}
std::uint16_t Read16(const std::vector<std::uint8_t>& f, std::size_t at) {
    return static_cast<std::uint16_t>(f.at(at) | f.at(at + 1) << 8);
}

// A small reader of its own, written from the format's description, so a
// fault shared with the encoder cannot hide itself.
struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> topDown;
};

Decoded Decode(const std::vector<std::uint8_t>& f) {
    Decoded d;
    EXPECT_GE(f.size(), 54u);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(Read32(f, 2), f.size());
    EXPECT_EQ(Read32(f, 14), 40u);
    EXPECT_EQ(Read16(f, 26), 1);
    EXPECT_EQ(Read16(f, 28), 24);
    EXPECT_EQ(Read32(f, 30), 0u);
    d.width = static_cast<int>(Read32(f, 18));
    const auto rawHeight = static_cast<std::int32_t>(Read32(f, 22));
    const bool bottomUp = rawHeight > 0;
    d.height = bottomUp ? rawHeight : -rawHeight;
    const std::size_t offset = Read32(f, 10);
    std::size_t stride = static_cast<std::size_t>(d.width) * 3;
    while (stride % 4 != 0) ++stride;
    EXPECT_EQ(f.size(), offset + stride * static_cast<std::size_t>(d.height));
    for (int y = 0; y < d.height; ++y) {
        const int fileRow = bottomUp ? d.height - 1 - y : y;
        const std::size_t rowStart = offset + static_cast<std::size_t>(fileRow) * stride;
        for (int x = 0; x < d.width; ++x) {
            const std::size_t at = rowStart + static_cast<std::size_t>(x) * 3;
            d.topDown.push_back(static_cast<std::uint32_t>(f.at(at)) | static_cast<std::uint32_t>(f.at(at + 1)) << 8 |
                                static_cast<std::uint32_t>(f.at(at + 2)) << 16);
        }
        for (std::size_t pad = static_cast<std::size_t>(d.width) * 3; pad < stride; ++pad) {
            EXPECT_EQ(f.at(rowStart + pad), 0) << "padding of row " << y;
        }
    }
    return d;
}

std::vector<std::uint32_t> Pattern(int width, int height) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(static_cast<std::uint32_t>((x * 37 + 11) & 0xFF) << 16 |
                             static_cast<std::uint32_t>((y * 53 + 7) & 0xFF) << 8 |
                             static_cast<std::uint32_t>((x * y + 3) & 0xFF));
        }
    }
    return pixels;
}

TEST(EncodeBmp24, RoundTripsEveryPixelForWidthsWithAndWithoutRowPadding) {
    for (const int width : {1, 2, 3, 4, 5, 7, 8, 13}) {
        for (const int height : {1, 2, 5}) {
            const auto pixels = Pattern(width, height);
            const auto decoded = Decode(EncodeBmp24(pixels, width, height));
            EXPECT_EQ(decoded.width, width);
            EXPECT_EQ(decoded.height, height);
            EXPECT_EQ(decoded.topDown, pixels) << width << "x" << height;
        }
    }
}

TEST(EncodeBmp24, OnePixelFileHasExactLayout) {
    const std::vector<std::uint32_t> pixel{0x00123456u};
    const auto file = EncodeBmp24(pixel, 1, 1);
    ASSERT_EQ(file.size(), 58u);  // 54 of headers, 3 bytes of pixel, 1 of padding
    EXPECT_EQ(Read32(file, 10), 54u);
    EXPECT_EQ(file[54], 0x56);  // blue first
    EXPECT_EQ(file[55], 0x34);
    EXPECT_EQ(file[56], 0x12);
    EXPECT_EQ(file[57], 0x00);
}

TEST(EncodeBmp24, IgnoresTheUnusedHighByte) {
    const std::vector<std::uint32_t> pixels{0xFF000000u | 0x00ABCDEFu, 0x7F010203u};
    const auto decoded = Decode(EncodeBmp24(pixels, 2, 1));
    EXPECT_EQ(decoded.topDown, (std::vector<std::uint32_t>{0x00ABCDEFu, 0x00010203u}));
}

TEST(EncodeBmp24, RefusesUnusableSizesAndMismatchedPixels) {
    const std::vector<std::uint32_t> four(4, 0);
    EXPECT_TRUE(EncodeBmp24({}, 0, 0).empty());
    EXPECT_TRUE(EncodeBmp24(four, 0, 4).empty());
    EXPECT_TRUE(EncodeBmp24(four, -2, -2).empty());
    EXPECT_TRUE(EncodeBmp24(four, 3, 1).empty());
    EXPECT_TRUE(EncodeBmp24(four, 2, 3).empty());
    EXPECT_FALSE(EncodeBmp24(four, 2, 2).empty());
}

TEST(BmpFileSize, FollowsPaddingAndStaysWithinTheFormatsLimit) {
    EXPECT_EQ(BmpRowStride(1), 4u);
    EXPECT_EQ(BmpRowStride(4), 12u);
    EXPECT_EQ(BmpRowStride(5), 16u);
    EXPECT_EQ(BmpFileSize(1920, 1080), 54u + 1920u * 3u * 1080u);
    EXPECT_EQ(BmpFileSize(1366, 768), 54u + 4100u * 768u);  // 1366*3 = 4098, padded
    EXPECT_FALSE(BmpFileSize(0, 10));
    EXPECT_FALSE(BmpFileSize(10, 0));
    EXPECT_FALSE(BmpFileSize(100000, 100000));  // beyond 4 GiB
    EXPECT_FALSE(BmpFileSize(std::numeric_limits<int>::max(), 1));
}

}  // namespace
}  // namespace snapora
