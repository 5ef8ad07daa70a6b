#include "win32/logic/VersionInfo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "win32/logic/Units.h"

namespace snapora {
namespace {

// Builds a VS_VERSIONINFO block the way the resource compiler lays it out.
std::vector<unsigned char> VersionBlock(std::uint32_t ms, std::uint32_t ls, std::uint32_t signature = 0xFEEF04BD) {
    std::vector<unsigned char> b;
    auto put16 = [&](std::uint16_t v) {
        b.push_back(static_cast<unsigned char>(v & 0xFF));
        b.push_back(static_cast<unsigned char>(v >> 8));
    };
    auto put32 = [&](std::uint32_t v) {
        put16(static_cast<std::uint16_t>(v & 0xFFFF));
        put16(static_cast<std::uint16_t>(v >> 16));
    };
    put16(0);   // length, patched below
    put16(52);  // value length
    put16(0);   // binary
    for (char c : std::string("VS_VERSION_INFO")) put16(static_cast<std::uint16_t>(c));
    put16(0);
    while (b.size() % 4) b.push_back(0);
    put32(signature);
    put32(0x00010000);
    put32(ms);
    put32(ls);
    for (int i = 0; i < 9; ++i) put32(0);
    b[0] = static_cast<unsigned char>(b.size() & 0xFF);
    b[1] = static_cast<unsigned char>(b.size() >> 8);
    return b;
}

TEST(VersionInfo, ReadsTheFileVersionAndFormatsMajorMinorRevision) {
    const auto block = VersionBlock(0x00020000, 0x00000000);
    const auto version = ParseVersionResource(block.data(), block.size());
    ASSERT_TRUE(version);
    EXPECT_EQ(FormatVersion(*version), L"2.0.0");

    const auto other = VersionBlock(0x000A0003, 0x00070009);
    const auto parsed = ParseVersionResource(other.data(), other.size());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(FormatVersion(*parsed), L"10.3.7");
    EXPECT_EQ(parsed->build, 9);
}

TEST(VersionInfo, RejectsMalformedBlocks) {
    auto block = VersionBlock(0x00020000, 0);
    EXPECT_FALSE(ParseVersionResource(nullptr, 0));
    EXPECT_FALSE(ParseVersionResource(block.data(), 4));
    EXPECT_FALSE(ParseVersionResource(block.data(), block.size() - 1));  // length claims more than given
    const auto wrongSignature = VersionBlock(0x00020000, 0, 0x12345678);
    EXPECT_FALSE(ParseVersionResource(wrongSignature.data(), wrongSignature.size()));
    // A key without its terminating zero runs off the end.
    std::vector<unsigned char> unterminated = {40, 0, 52, 0, 0, 0};
    for (int i = 0; i < 17; ++i) {
        unterminated.push_back('A');
        unterminated.push_back(0);
    }
    EXPECT_FALSE(ParseVersionResource(unterminated.data(), unterminated.size()));
}

TEST(Units, TwipsBecomePixelsAtTheRealDpi) {
    EXPECT_EQ(TwipsToPixels(7125, 96), 475);
    EXPECT_EQ(TwipsToPixels(4245, 96), 283);
    EXPECT_EQ(TwipsToPixels(1440, 144), 144);
    EXPECT_EQ(TwipsToPixels(7125, 144), 713);  // 712.5 rounds up
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(0, 144), 0);
    // The bars: 420 and 270 twips.
    EXPECT_EQ(TwipsToPixels(420, 96), 28);
    EXPECT_EQ(TwipsToPixels(270, 96), 18);
    EXPECT_EQ(TwipsToPixels(420, 144), 42);
    EXPECT_EQ(TwipsToPixels(270, 144), 27);
}

TEST(Units, ArtIsEnlargedOnlyByWholeFactors) {
    EXPECT_EQ(WholeArtScale(0), 1);
    EXPECT_EQ(WholeArtScale(96), 1);
    EXPECT_EQ(WholeArtScale(120), 1);
    EXPECT_EQ(WholeArtScale(144), 2);
    EXPECT_EQ(WholeArtScale(192), 2);
    EXPECT_EQ(WholeArtScale(240), 3);
}

}  // namespace
}  // namespace snapora
