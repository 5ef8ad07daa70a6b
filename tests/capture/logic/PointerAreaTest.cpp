#include "capture/logic/PointerArea.h"

#include <gtest/gtest.h>

namespace snapora {
namespace {

TEST(RoundHalfToEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfToEven(0.5), 0);
    EXPECT_EQ(RoundHalfToEven(1.5), 2);
    EXPECT_EQ(RoundHalfToEven(2.5), 2);
    EXPECT_EQ(RoundHalfToEven(-0.5), 0);
    EXPECT_EQ(RoundHalfToEven(-1.5), -2);
    EXPECT_EQ(RoundHalfToEven(2.4), 2);
    EXPECT_EQ(RoundHalfToEven(2.6), 3);
}

TEST(PointerAreaCorner, DefaultAreaOnA1024By768Screen) {
    // Centred on the pointer.
    EXPECT_EQ(PointerAreaCorner(200, 150, 160, 120, 1024, 768), (PixelPoint{120, 90}));
    // Closer to the top-left than a whole area: snapped there although
    // centring would still fit.
    EXPECT_EQ(PointerAreaCorner(140, 100, 160, 120, 1024, 768), (PixelPoint{0, 0}));
    // 24 < 80 snaps right; 68 is not below 60, so still centred down.
    EXPECT_EQ(PointerAreaCorner(1000, 700, 160, 120, 1024, 768), (PixelPoint{864, 640}));
    EXPECT_EQ(PointerAreaCorner(1020, 760, 160, 120, 1024, 768), (PixelPoint{864, 648}));
    // Exactly at the snapping distances.
    EXPECT_EQ(PointerAreaCorner(160, 120, 160, 120, 1024, 768), (PixelPoint{80, 60}));
    EXPECT_EQ(PointerAreaCorner(944, 708, 160, 120, 1024, 768), (PixelPoint{864, 648}));
    EXPECT_EQ(PointerAreaCorner(945, 709, 160, 120, 1024, 768), (PixelPoint{864, 648}));
    EXPECT_EQ(PointerAreaCorner(943, 707, 160, 120, 1024, 768), (PixelPoint{863, 647}));
}

TEST(PointerAreaCorner, RightAndBottomRulesWinOnASmallScreen) {
    // Pointer both nearer than a whole area to the left and nearer than half
    // an area to the right: the right edge wins.
    EXPECT_EQ(PointerAreaCorner(150, 100, 160, 120, 200, 150), (PixelPoint{40, 30}));
}

TEST(PointerAreaCorner, OddSizesRoundHalvesToEven) {
    // 201 - 40.5 = 160.5 -> 160; 151 - 30.5 = 120.5 -> 120.
    EXPECT_EQ(PointerAreaCorner(201, 151, 81, 61, 1024, 768), (PixelPoint{160, 120}));
    // 202 - 40.5 = 161.5 -> 162; 152 - 30.5 = 121.5 -> 122.
    EXPECT_EQ(PointerAreaCorner(202, 152, 81, 61, 1024, 768), (PixelPoint{162, 122}));
}

TEST(PointerAreaCorner, UsesTheRealScreenSizeAtAnyDpi) {
    // At 144 dpi the screen is still 1024 x 768 pixels; a twips-based size
    // divided by 15 would make it 682 x 512 and pull the area far inside.
    EXPECT_EQ(PointerAreaCorner(700, 520, 160, 120, 1024, 768), (PixelPoint{620, 460}));
    // A screen of 1536 x 1152 at 144 dpi keeps its own bottom-right corner.
    EXPECT_EQ(PointerAreaCorner(1530, 1150, 240, 180, 1536, 1152), (PixelPoint{1296, 972}));
}

}  // namespace
}  // namespace snapora
