#include "output/logic/PrintLayout.h"

#include <gtest/gtest.h>

namespace snapora {
namespace {

constexpr DeviceExtent Screen(int width, int height, int dpi = 96) { return {width, height, dpi, dpi}; }

TEST(OrientationForPicture, FollowsTheShapeAndPrintsSquaresUpright) {
    EXPECT_EQ(OrientationForPicture(1000, 200), PageOrientation::Landscape);
    EXPECT_EQ(OrientationForPicture(200, 1000), PageOrientation::Portrait);
    EXPECT_EQ(OrientationForPicture(300, 300), PageOrientation::Portrait);
    EXPECT_EQ(static_cast<short>(PageOrientation::Portrait), 1);
    EXPECT_EQ(static_cast<short>(PageOrientation::Landscape), 2);
}

TEST(FitToPrintableArea, WidePictureFillsTheWidthAtAFifthOfItsHeight) {
    // A4 landscape at 300 dpi, less margins.
    const DeviceExtent area{3300, 2300, 300, 300};
    EXPECT_EQ(FitToPrintableArea(Screen(1000, 200), area), (PrintedSize{3300, 660, true}));
}

TEST(FitToPrintableArea, TallPictureFillsTheHeightLeavingTheRightFree) {
    const DeviceExtent area{2300, 3300, 300, 300};
    EXPECT_EQ(FitToPrintableArea(Screen(200, 1000), area), (PrintedSize{660, 3300, false}));
}

TEST(FitToPrintableArea, EqualRatiosTakeTheWidthRuleAndFillTheArea) {
    const DeviceExtent area{2400, 3200, 300, 300};
    EXPECT_EQ(FitToPrintableArea(Screen(300, 400), area), (PrintedSize{2400, 3200, true}));
    // Equal physical ratios reached through different DPIs, where a
    // floating-point comparison could go either way.
    EXPECT_EQ(FitToPrintableArea(DeviceExtent{350, 330, 144, 96}, DeviceExtent{2100, 2970, 600, 600}),
              (PrintedSize{2100, 2970, true}));
    EXPECT_EQ(FitToPrintableArea(Screen(4961, 7016, 120), DeviceExtent{4961, 7016, 600, 600}),
              (PrintedSize{4961, 7016, true}));
}

TEST(FitToPrintableArea, SquarePictureOnATallPageFillsTheWidth) {
    EXPECT_EQ(FitToPrintableArea(Screen(500, 500), DeviceExtent{2400, 3400, 300, 300}), (PrintedSize{2400, 2400, true}));
}

TEST(FitToPrintableArea, NonSquarePrinterDotsDoNotDistortThePicture) {
    // 600 x 300 dpi: a vertical unit is twice as long as a horizontal one.
    const DeviceExtent area{4800, 3000, 600, 300};  // 8 x 10 inches
    const auto printed = FitToPrintableArea(Screen(400, 200), area);
    ASSERT_TRUE(printed);
    EXPECT_TRUE(printed->fillsWidth);
    EXPECT_EQ(printed->width, 4800);   // 8 inches
    EXPECT_EQ(printed->height, 1200);  // 4 inches at 300 dpi
    // The same picture judged by raw units would have looked taller than
    // the area and taken the height rule.
    const auto tall = FitToPrintableArea(Screen(200, 400), area);
    ASSERT_TRUE(tall);
    EXPECT_FALSE(tall->fillsWidth);
    EXPECT_EQ(tall->height, 3000);
    EXPECT_EQ(tall->width, 3000);  // 5 inches at 600 dpi
}

TEST(FitToPrintableArea, RefusesEmptyOrUnreasonableSizes) {
    const DeviceExtent area{2400, 3400, 300, 300};
    EXPECT_FALSE(FitToPrintableArea(Screen(0, 0), area));
    EXPECT_FALSE(FitToPrintableArea(Screen(100, 0), area));
    EXPECT_FALSE(FitToPrintableArea(Screen(100, 100), DeviceExtent{0, 3400, 300, 300}));
    EXPECT_FALSE(FitToPrintableArea(Screen(100, 100, 0), area));
    EXPECT_FALSE(FitToPrintableArea(Screen(2000000, 10), area));
    // A sliver still prints as at least one dot.
    const auto sliver = FitToPrintableArea(Screen(100000, 1), DeviceExtent{2400, 3400, 300, 300});
    ASSERT_TRUE(sliver);
    EXPECT_EQ(sliver->width, 2400);
    EXPECT_EQ(sliver->height, 1);
}

}  // namespace
}  // namespace snapora
