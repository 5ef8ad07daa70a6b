#include "picture/logic/PngEncoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/support/PngReading.h"

namespace snapora {
namespace {

// A screen in small: a flat coloured background, a title bar of repeated
// rows, and "text" that changes every few pixels.
std::vector<std::uint32_t> ScreenLike(int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0x3A6EA5u);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t& p = pixels[static_cast<std::size_t>(y) * width + x];
            if (y < 20) p = 0x000080u + static_cast<std::uint32_t>(x % 256);
            if (y > 40 && y < 60 && (x * 7 + y * 3) % 11 < 4) p = 0x101010u;
        }
    }
    return pixels;
}

std::vector<std::uint32_t> Noise(std::size_t count) {
    std::vector<std::uint32_t> pixels(count);
    std::uint32_t state = 12345;
    for (std::uint32_t& p : pixels) p = state = state * 1664525u + 1013904223u;  // high bytes set too
    return pixels;
}

// `colours` different colours, one after another, then the first again.
std::vector<std::uint32_t> Colours(std::uint32_t colours, int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint32_t>(i % colours) * 0x010203u;
    return pixels;
}

// Noise above a screen: the rows change from busy to screen-like inside a band.
std::vector<std::uint32_t> NoiseOverScreen(int width, int height) {
    std::vector<std::uint32_t> pixels = ScreenLike(width, height);
    const std::vector<std::uint32_t> noise = Noise(pixels.size() / 3);
    std::copy(noise.begin(), noise.end(), pixels.begin());
    return pixels;
}

std::vector<std::uint32_t> WithoutHighBytes(std::vector<std::uint32_t> pixels) {
    for (std::uint32_t& p : pixels) p &= 0xFFFFFFu;
    return pixels;
}

// Up to 256 colours go with a palette, more in truecolour; both come back
// exactly, however the rows are banded.
TEST(PngEncoder, PicturesComeBackExactlyWhateverTheBands) {
    struct Case {
        int width, height;
        std::vector<std::uint32_t> pixels;
        bool indexed;
    };
    const std::vector<Case> cases{{1, 1, {0xABCDEFu}, true},
                                  {300, 97, ScreenLike(300, 97), false},
                                  {37, 23, Noise(37 * 23), false},
                                  {200, 400, NoiseOverScreen(200, 400), false},
                                  {64, 9, Colours(256, 64, 9), true},
                                  {64, 9, Colours(257, 64, 9), false}};
    std::vector<std::uint8_t> file;  // reused, as the automatic run does
    for (const Case& c : cases) {
        for (const unsigned bands : {1u, 2u, 5u, 200u}) {
            ASSERT_TRUE(EncodePngInto(file, c.pixels.data(), c.width, c.width, c.height, bands));
            const auto decoded = test::ReadPng(file);
            ASSERT_TRUE(decoded.has_value()) << c.width << " " << bands;
            EXPECT_EQ(decoded->width, c.width);
            EXPECT_EQ(decoded->height, c.height);
            EXPECT_EQ(decoded->indexed, c.indexed) << c.width;
            EXPECT_EQ(decoded->pixels, WithoutHighBytes(c.pixels)) << c.width << " " << bands;
        }
    }
}

TEST(PngEncoder, RowsAPitchApartAreReadAndScreensCompressWell) {
    // The left 64 columns of a 100-wide screen.
    const std::vector<std::uint32_t> wide = ScreenLike(100, 200);
    std::vector<std::uint32_t> expected;
    for (int y = 0; y < 200; ++y) expected.insert(expected.end(), wide.begin() + y * 100, wide.begin() + y * 100 + 64);
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(EncodePngInto(file, wide.data(), 100, 64, 200, 2));
    const auto decoded = test::ReadPng(file);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->pixels, expected);
    EXPECT_LT(file.size(), 64u * 200 * 3 / 20);
}

TEST(PngEncoder, UnusableSizesAreRefused) {
    const std::vector<std::uint32_t> pixels(64, 0x123456u);
    std::vector<std::uint8_t> file(10, 1);
    EXPECT_FALSE(EncodePngInto(file, pixels.data(), 8, 0, 8, 1));
    EXPECT_FALSE(EncodePngInto(file, pixels.data(), 8, 8, -1, 1));
    EXPECT_FALSE(EncodePngInto(file, pixels.data(), 7, 8, 8, 1));
    EXPECT_FALSE(EncodePngInto(file, nullptr, 8, 8, 8, 1));
    EXPECT_FALSE(EncodePngInto(file, pixels.data(), 1u << 30, 1 << 30, 1, 1));  // rows over 2 GiB
    EXPECT_TRUE(file.empty());
    EXPECT_EQ(PngBandsFor(16, 16), 1u);
}

}  // namespace
}  // namespace snapora
