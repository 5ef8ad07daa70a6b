#include "capture/logic/ScreenMath.h"

#include <gtest/gtest.h>

#include <limits>

namespace snapora {
namespace {

TEST(MaxValue, ReturnsTheLargerAndTheSecondOnATie) {
    EXPECT_EQ(MaxValue(5, 2), 5);
    EXPECT_EQ(MaxValue(2, 5), 5);
    const int a = 3;
    const int b = 3;
    EXPECT_EQ(&MaxValue(a, b), &b);
    EXPECT_DOUBLE_EQ(MaxValue(-1.5, -2.5), -1.5);
}

TEST(SizeFromEdges, ComputesWidthAndHeightWithoutOverflow) {
    EXPECT_EQ(SizeFromEdges(0, 0, 1024, 768), (PixelSize{1024, 768}));
    EXPECT_EQ(SizeFromEdges(-8, -8, 1032, 776), (PixelSize{1040, 784}));
    EXPECT_EQ(SizeFromEdges(5, 5, 5, 5), (PixelSize{0, 0}));
    constexpr auto kMin = std::numeric_limits<int>::min();
    constexpr auto kMax = std::numeric_limits<int>::max();
    // 32-bit subtraction would overflow here.
    EXPECT_FALSE(SizeFromEdges(kMin, 0, kMax, 10));
    EXPECT_FALSE(SizeFromEdges(0, kMin, 10, kMax));
    EXPECT_FALSE(SizeFromEdges(10, 0, 0, 10));  // inverted
}

TEST(Bgra32ByteCount, RefusesSizesBeyondWhatGdiCanHold) {
    EXPECT_EQ(Bgra32ByteCount(1024, 768), 1024u * 768u * 4u);
    EXPECT_EQ(Bgra32ByteCount(0, 0), 0u);
    EXPECT_FALSE(Bgra32ByteCount(-1, 10));
    EXPECT_FALSE(Bgra32ByteCount(100000, 100000));
    EXPECT_FALSE(Bgra32ByteCount(std::numeric_limits<int>::max(), std::numeric_limits<int>::max()));
}

TEST(WholeSecondDeadline, WaitsBetweenTwoAndThreeSeconds) {
    const auto deadline = WholeSecondDeadline::After(100, 2);
    EXPECT_FALSE(deadline.Passed(100));
    EXPECT_FALSE(deadline.Passed(102));
    EXPECT_TRUE(deadline.Passed(103));
}

}  // namespace
}  // namespace snapora
