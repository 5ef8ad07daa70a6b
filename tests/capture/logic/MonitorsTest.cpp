#include "capture/logic/Monitors.h"

#include <gtest/gtest.h>

#include "capture/logic/PointerArea.h"
#include "win32/logic/Units.h"

namespace snapora {
namespace {

// The primary monitor, one of another size left of it and one above it,
// with uncovered corners between them, listed with the primary last.
const PixelRect kLeft{-800, 0, 0, 600};
const PixelRect kAbove{200, -480, 840, 0};
const PixelRect kPrimary{0, 0, 1024, 768};
const MonitorLayout kLayout{{kLeft, kAbove, kPrimary}, 2};

std::int64_t AreaOf(const PixelRect& r) { return static_cast<std::int64_t>(r.Width()) * r.Height(); }

TEST(Monitors, TheVirtualScreenStartsAtTheLeftAndTopmostMonitor) {
    EXPECT_EQ(VirtualScreen(kLayout.monitors), (PixelRect{-800, -480, 1024, 768}));
    EXPECT_EQ(PrimaryMonitor(kLayout), kPrimary);
    // A layout that lost its primary (a monitor removed) still has a screen.
    EXPECT_EQ(PrimaryMonitor(MonitorLayout{{kLeft, kAbove}, 2}), kLeft);
    EXPECT_TRUE(VirtualScreen({}).Empty());
    EXPECT_FALSE(PrimaryMonitor(MonitorLayout{}));
    EXPECT_TRUE(CaptureRange(ScreenRange::AllMonitors, MonitorLayout{}, {0, 0}).Empty());
}

TEST(Monitors, EachRangeTakesItsOwnRectangle) {
    EXPECT_EQ(CaptureRange(ScreenRange::Primary, kLayout, {-300, 10}), kPrimary);
    EXPECT_EQ(CaptureRange(ScreenRange::AllMonitors, kLayout, {-300, 10}), VirtualScreen(kLayout.monitors));
    EXPECT_EQ(CaptureRange(ScreenRange::PointerMonitor, kLayout, {-300, 10}), kLeft);
    EXPECT_EQ(CaptureRange(ScreenRange::PointerMonitor, kLayout, {839, -1}), kAbove);
    EXPECT_EQ(CaptureRange(ScreenRange::PointerMonitor, kLayout, {0, 599}), kPrimary);
    // In the gap under the left monitor: the nearest one, the primary.
    EXPECT_EQ(CaptureRange(ScreenRange::PointerMonitor, kLayout, {-10, 700}), kPrimary);
    EXPECT_EQ(CaptureRange(ScreenRange::PointerMonitor, kLayout, {-500, 650}), kLeft);
}

TEST(Monitors, ThePointerAreaStaysOnTheMonitorUnderThePointer) {
    // On the left monitor's bottom-left and right edges; never across the
    // edge into the primary, which reaches further down.
    EXPECT_EQ(PointerAreaCornerOn({-790, 595}, 160, 120, kLeft), (PixelPoint{-800, 480}));
    EXPECT_EQ(PointerAreaCornerOn({-5, 300}, 160, 120, kLeft), (PixelPoint{-160, 240}));
    EXPECT_EQ(PointerAreaCornerOn({-400, 300}, 160, 120, kLeft), (PixelPoint{-480, 240}));
    EXPECT_EQ(PointerAreaCornerOn({5, 700}, 160, 120, kPrimary), (PixelPoint{0, 640}));
    EXPECT_EQ(PointerAreaCornerOn({830, -470}, 160, 120, kAbove), (PixelPoint{680, -480}));
    // On a monitor at the origin it is the single-screen rule.
    EXPECT_EQ(PointerAreaCornerOn({1000, 700}, 160, 120, kPrimary), PointerAreaCorner(1000, 700, 160, 120, 1024, 768));
}

TEST(Monitors, UncoveredPartsAreExactlyWhatNoMonitorCovers) {
    const PixelRect desktop = VirtualScreen(kLayout.monitors);
    const auto parts = UncoveredParts(desktop, kLayout.monitors);
    std::int64_t uncovered = 0;
    for (const PixelRect& part : parts) {
        ASSERT_FALSE(part.Empty());
        uncovered += AreaOf(part);
        for (const PixelRect& monitor : kLayout.monitors) {
            EXPECT_FALSE(part.Contains({monitor.left, monitor.top}) || monitor.Contains({part.left, part.top}));
        }
    }
    EXPECT_EQ(uncovered, AreaOf(desktop) - AreaOf(kLeft) - AreaOf(kAbove) - AreaOf(kPrimary));
    const auto covers = [&](PixelPoint p) {
        for (const PixelRect& part : parts) {
            if (part.Contains(p)) return true;
        }
        return false;
    };
    EXPECT_TRUE(covers({-1, -1}));
    EXPECT_TRUE(covers({-800, 767}));
    EXPECT_TRUE(covers({1023, -1}));
    EXPECT_FALSE(covers({-1, 0}));
    // Inside one monitor, and an area off every monitor.
    EXPECT_TRUE(UncoveredParts({10, 10, 500, 500}, kLayout.monitors).empty());
    EXPECT_EQ(UncoveredParts({2000, 0, 2100, 50}, kLayout.monitors), (std::vector<PixelRect>{{2000, 0, 2100, 50}}));
}

TEST(Monitors, AWindowTakesTheDpiOfTheMonitorItSharesMostWith) {
    // 100 %, 150 % and 200 % side by side.
    const std::vector<PixelRect> monitors{{0, 0, 1920, 1080}, {1920, 0, 4800, 1620}, {4800, 0, 8640, 2160}};
    const int dpis[] = {96, 144, 192};
    EXPECT_EQ(MonitorOfRect(monitors, {1800, 100, 2100, 400}), 1u);  // more on the 150 % one
    EXPECT_EQ(MonitorOfRect(monitors, {1820, 100, 2020, 400}), 0u);  // a tie: the earlier one
    EXPECT_EQ(MonitorOfRect(monitors, {9000, 0, 9100, 10}), 2u);     // off them all: the nearest
    EXPECT_FALSE(MonitorOfRect({}, {0, 0, 1, 1}));
    // The same 800 x 600 logical window on each, and its bars in twips.
    const int widths[] = {800, 1200, 1600};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ScaleToDpi(800, 96, dpis[i]), widths[i]);
        EXPECT_EQ(ScaleToDpi(widths[i], dpis[i], 96), 800);
        EXPECT_EQ(TwipsToPixels(420, dpis[i]), 28 * dpis[i] / 96);
    }
    // Moving from 150 % to 200 %, and halves rounding away from zero.
    EXPECT_EQ(ScaleToDpi(1200, 144, 192), 1600);
    EXPECT_EQ(ScaleToDpi(1, 96, 144), 2);
    EXPECT_EQ(ScaleToDpi(-1, 96, 144), -2);
    EXPECT_EQ(ScaleToDpi(5, 144, 96), 3);
    EXPECT_EQ(WholeArtScale(144), 2);
    EXPECT_EQ(WholeArtScale(120), 1);
}

}  // namespace
}  // namespace snapora
