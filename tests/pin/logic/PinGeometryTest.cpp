#include "pin/logic/PinGeometry.h"

#include <gtest/gtest.h>

namespace snapora {
namespace {

TEST(PinZoom, NotchesWalkTheStepsAndComeBackToFullSize) {
    EXPECT_EQ(kPinZoomSteps[PinZoomStepAfter(kPinFullSizeStep, 1)], 125);
    EXPECT_EQ(PinZoomStepAfter(PinZoomStepAfter(kPinFullSizeStep, 1), -1), kPinFullSizeStep);
    EXPECT_EQ(PinZoomStepAfter(PinZoomStepAfter(kPinFullSizeStep, -1), 1), kPinFullSizeStep);
    // Held at both ends, however far the wheel turns.
    EXPECT_EQ(kPinZoomSteps[PinZoomStepAfter(kPinFullSizeStep, 40)], 400);
    EXPECT_EQ(kPinZoomSteps[PinZoomStepAfter(kPinFullSizeStep, -40)], 10);
    EXPECT_EQ(kPinZoomSteps[PinZoomStepAfter(kPinZoomSteps.size() + 5, 0)], 100);
}

TEST(PinZoom, ShownSizeRoundsAndNeverVanishes) {
    EXPECT_EQ(PinShownSize({200, 100}, 100), (PixelSize{200, 100}));
    EXPECT_EQ(PinShownSize({200, 101}, 50), (PixelSize{100, 51}));
    EXPECT_EQ(PinShownSize({3, 1}, 10), (PixelSize{1, 1}));
}

TEST(PinZoom, ThePictureUnderThePointerStaysThere) {
    const PixelSize picture{200, 100};
    const PixelRect shown{100, 50, 300, 150};
    // The pointer a quarter into the picture: at 200 % the window grows
    // away from it on both sides in proportion.
    const PixelRect in = ZoomPinAbout(shown, {150, 75}, picture, 200);
    EXPECT_EQ(in, (PixelRect{50, 25, 450, 225}));
    EXPECT_EQ(ZoomPinAbout(in, {150, 75}, picture, 100), shown);
    // In and out again by the wheel's steps lands where it started.
    const PixelRect step = ZoomPinAbout(shown, {283, 61}, picture, 125);
    EXPECT_EQ(ZoomPinAbout(step, {283, 61}, picture, 100), shown);
}

TEST(PinPlacement, KeepsTheCaptureOriginOrCentresOnThePointerInsideTheMonitor) {
    const PixelRect monitor{0, 0, 1024, 768};
    EXPECT_EQ(PlaceNewPin({100, 50}, PixelPoint{30, 40}, {500, 500}, monitor), (PixelRect{30, 40, 130, 90}));
    EXPECT_EQ(PlaceNewPin({100, 50}, std::nullopt, {500, 500}, monitor), (PixelRect{450, 475, 550, 525}));
    // Pushed back inside at the right and bottom, and at the left and top.
    EXPECT_EQ(PlaceNewPin({100, 50}, std::nullopt, {1020, 760}, monitor), (PixelRect{924, 718, 1024, 768}));
    EXPECT_EQ(PlaceNewPin({100, 50}, PixelPoint{-30, -5}, {0, 0}, monitor), (PixelRect{0, 0, 100, 50}));
    // A monitor left of the primary one, and a picture larger than it.
    const PixelRect left{-800, 0, 0, 600};
    EXPECT_EQ(PlaceNewPin({900, 50}, std::nullopt, {-400, 300}, left), (PixelRect{-800, 275, 100, 325}));
}

}  // namespace
}  // namespace snapora
