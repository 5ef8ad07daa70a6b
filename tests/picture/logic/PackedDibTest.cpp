#include "picture/logic/PackedDib.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "picture/logic/BmpEncoder.h"

namespace snapora {
namespace {

constexpr std::size_t kFileHeader = 14;

// A resource bitmap is a BMP file without its file header: the program's
// own BMP writer makes the test's input.
std::vector<std::uint8_t> PackedDib(const std::vector<std::uint32_t>& pixels, int width, int height) {
    std::vector<std::uint8_t> file = EncodeBmp24(pixels, width, height);
    return {file.begin() + kFileHeader, file.end()};
}

void PutLe32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(PackedDib, ReadsPaddedRowsBottomUpAndTopDown) {
    // Three pixels a row: nine bytes and three of padding.
    const std::vector<std::uint32_t> pixels = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203};
    std::vector<std::uint8_t> dib = PackedDib(pixels, 3, 2);
    auto read = ReadPackedDib24(dib);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->width, 3);
    EXPECT_EQ(read->height, 2);
    EXPECT_EQ(read->topDown, pixels);

    // The same rows stored top-down, as a negative height says.
    const std::size_t stride = 12;
    std::vector<std::uint8_t> topDown = dib;
    std::copy(dib.begin() + 40, dib.begin() + 40 + long(stride), topDown.begin() + 40 + long(stride));
    std::copy(dib.begin() + 40 + long(stride), dib.begin() + 40 + 2 * long(stride), topDown.begin() + 40);
    PutLe32(topDown, 8, static_cast<std::uint32_t>(-2));
    read = ReadPackedDib24(topDown);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->topDown, pixels);
}

TEST(PackedDib, RefusesWhatItCannotReadWhole) {
    const std::vector<std::uint8_t> dib = PackedDib({1, 2, 3, 4}, 2, 2);
    ASSERT_TRUE(ReadPackedDib24(dib));
    const std::vector<std::uint8_t> shortened(dib.begin(), dib.end() - 1);
    EXPECT_FALSE(ReadPackedDib24(shortened));
    std::vector<std::uint8_t> eightBit = dib;
    eightBit[14] = 8;
    EXPECT_FALSE(ReadPackedDib24(eightBit));
    std::vector<std::uint8_t> huge = dib;
    PutLe32(huge, 4, 0x7FFFFFFF);
    EXPECT_FALSE(ReadPackedDib24(huge));
    std::vector<std::uint8_t> palette = dib;
    PutLe32(palette, 32, 1);  // four more bytes before the rows than there are
    EXPECT_FALSE(ReadPackedDib24(palette));
}

}  // namespace
}  // namespace snapora
