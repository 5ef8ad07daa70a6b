#include "output/logic/PictureProperties.h"

#include <gtest/gtest.h>

namespace snapora {
namespace {

TEST(PropertiesMessage, JoinsThePiecesInOrder) {
    EXPECT_EQ(PropertiesMessage(L"截图3", 640, 480), L"截图3\uFF1A\r\n宽度=640  高度=480\uFF08像素\uFF09");
    EXPECT_EQ(PropertiesMessage(L"截图0", 0, 0), L"截图0：\r\n宽度=0  高度=0（像素）");
}

TEST(PropertiesMessage, ReportsSizesBeyondSixteenBits) {
    EXPECT_EQ(PropertiesMessage(L"截图1", 40000, 70000), L"截图1：\r\n宽度=40000  高度=70000（像素）");
}

TEST(HimetricConversion, RoundTripKeepsEveryPixelAtCommonDpis) {
    for (const int dpi : {72, 96, 120, 144, 168, 192, 240, 288}) {
        for (std::int64_t pixels = 0; pixels <= 5000; ++pixels) {
            ASSERT_EQ(HimetricToPixels(PixelsToHimetric(pixels, dpi), dpi), pixels) << pixels << " at " << dpi;
        }
        EXPECT_EQ(HimetricToPixels(PixelsToHimetric(100000, dpi), dpi), 100000);
    }
    EXPECT_EQ(PixelsToHimetric(96, 96), 2540);
    EXPECT_EQ(PixelsToHimetric(640, 144), 11289);  // 11288.9
}

TEST(HimetricConversion, HalvesRoundToTheEvenNeighbour) {
    // 1270 HIMETRIC is half an inch: at 1 dpi that is 0.5 pixel, at 3 dpi 1.5.
    EXPECT_EQ(HimetricToPixels(1270, 1), 0);
    EXPECT_EQ(HimetricToPixels(1270, 3), 2);
    EXPECT_EQ(HimetricToPixels(1270, 5), 2);  // 2.5
    EXPECT_EQ(HimetricToPixels(1271, 1), 1);
    EXPECT_EQ(HimetricToPixels(-1270, 3), -2);
    EXPECT_EQ(HimetricToPixels(100, 0), 0);
}

}  // namespace
}  // namespace snapora
