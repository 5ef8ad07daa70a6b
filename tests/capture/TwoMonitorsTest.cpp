// Every capture on a desktop of three monitors, with real mouse and key
// input. scripts/two-monitor-test.sh lays them out on a headless X server:
// the primary 1024 x 768, one of 800 x 600 left of it and one of 640 x 480
// above it, with corners no monitor covers. On one monitor these tests
// skip, unless SNAPORA_EXPECT_MONITORS says the run is the two-monitor one.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/resource.h"
#include "capture/RectangleOverlay.h"
#include "capture/ScreenGrab.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "pin/PinWindow.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

using namespace std::chrono_literals;

const RECT kLeft{-800, 0, 0, 600};
const RECT kAbove{200, -480, 840, 0};
const RECT kPrimary{0, 0, 1024, 768};
const RECT kDesktop{-800, -480, 1024, 768};

bool OverlayShown() {
    RectangleOverlay* overlay = RectangleOverlay::Find();
    return overlay && ::IsWindowVisible(overlay->Handle());
}

// Pattern mismatches of `area` (desktop coordinates) inside a picture of the
// desktop from `origin`.
int MismatchesIn(const Picture& picture, POINT origin, RECT area) {
    const RECT inPicture{area.left - origin.x, area.top - origin.y, area.right - origin.x, area.bottom - origin.y};
    return PatternMismatches(Crop(picture.ReadPixels(), picture.Width(), inPicture), area.left, area.top,
                             area.right - area.left);
}

// Pixels of `area` (desktop coordinates) in such a picture that are not black.
int LitIn(const Picture& picture, POINT origin, RECT area) {
    const RECT inPicture{area.left - origin.x, area.top - origin.y, area.right - origin.x, area.bottom - origin.y};
    int lit = 0;
    for (const auto pixel : Crop(picture.ReadPixels(), picture.Width(), inPicture)) lit += pixel != 0 ? 1 : 0;
    return lit;
}

class TwoMonitors : public MainWindowTest {
protected:
    void SetUp() override {
        if (::GetSystemMetrics(SM_CMONITORS) < 2) {
            if (std::getenv("SNAPORA_EXPECT_MONITORS")) FAIL() << "the two-monitor run sees one monitor";
            GTEST_SKIP() << "one monitor: the two-monitor run of the test command covers this";
        }
        MainWindowTest::SetUp();
        // The pattern over the whole virtual screen, also where no monitor
        // shows it: a grab that does not blank those parts reads it there.
        desktop_ = std::make_unique<PatternWindow>(kDesktop);
        ASSERT_EQ(ScreenMismatches(RECT{-800, 0, 1024, 600}), 0) << "the pattern is not on the monitors";
    }
    void TearDown() override {
        if (RectangleOverlay* overlay = RectangleOverlay::Find()) overlay->Close();
        desktop_.reset();
        MainWindowTest::TearDown();
    }

    // Runs a command and waits for the document it opens.
    DocumentWindow* NewDocumentAfter(const std::function<void()>& act) {
        DocumentWindow* before = CurrentDocument(Main());
        act();
        const bool opened = PumpUntil([&] { return CurrentDocument(Main()) && CurrentDocument(Main()) != before; });
        return opened ? CurrentDocument(Main()) : nullptr;
    }

    std::unique_ptr<PatternWindow> desktop_;
};

TEST_F(TwoMonitors, TheLayoutIsTheOneTheTestCommandMade) {
    const MonitorLayout layout = CurrentMonitors();
    ASSERT_EQ(layout.monitors.size(), 3u);
    EXPECT_EQ(layout.monitors[layout.primary], (PixelRect{0, 0, 1024, 768}));
    EXPECT_EQ(VirtualScreen(layout.monitors), (PixelRect{-800, -480, 1024, 768}));
    EXPECT_EQ(::GetSystemMetrics(SM_XVIRTUALSCREEN), -800);
    EXPECT_EQ(::GetSystemMetrics(SM_YVIRTUALSCREEN), -480);
}

TEST_F(TwoMonitors, ARectangleDraggedFromTheLeftMonitorOntoThePrimaryIsExact) {
    Main().Execute(ID_CAPTURE_RECTANGLE);
    ASSERT_TRUE(PumpUntil(OverlayShown));
    RECT overlay{};
    ::GetWindowRect(RectangleOverlay::Find()->Handle(), &overlay);
    EXPECT_TRUE(::EqualRect(&overlay, &kDesktop));
    ASSERT_TRUE(PumpUntil(InputQueueEmpty));
    MoveMouse(-300, 100);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, -300, 100);
    ASSERT_TRUE(PumpUntil([] { return RectangleOverlay::Find()->IsDragging(); }));
    MoveMouse(-100, 50);
    ASSERT_TRUE(PumpUntil([] { return RectangleOverlay::Find()->LabelVisible(); }));
    EXPECT_EQ(RectangleOverlay::Find()->LabelText(), L"右下角 X=-0100\r\n右下角 Y=0050\r\n区域宽度=0201\r\n区域高度=0051");
    MoveMouse(200, 350);
    DocumentWindow* document =
        NewDocumentAfter([] { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, 200, 350); });
    ASSERT_NE(document, nullptr);
    const Picture& picture = document->GetPicture();
    ASSERT_EQ(picture.Width(), 501);
    ASSERT_EQ(picture.Height(), 251);
    EXPECT_EQ(PatternMismatches(picture.ReadPixels(), -300, 100, 501), 0);
}

TEST_F(TwoMonitors, APinStaysInsideTheMonitorItIsMostlyOn) {
    // Where a capture was, reaching onto the primary; and another picture
    // centred on the pointer near the left monitor's right edge.
    DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(200, 100));
    ASSERT_NE(document, nullptr);
    document->SetScreenOrigin({-150, 100});
    Main().Execute(ID_EDIT_PIN);
    ASSERT_NE(OpenPictureDocument(Main(), PatternPicture(200, 100)), nullptr);
    MoveMouse(-30, 300);
    ASSERT_TRUE(PumpUntil([] { return KeepPointerAt(-30, 300) && InputQueueEmpty(); }));
    Main().Execute(ID_EDIT_PIN);
    std::vector<HWND> pins = PinWindow::All();
    ASSERT_EQ(pins.size(), 2u);
    const RECT expected[] = {{-200, 100, 0, 200}, {-200, 250, 0, 350}};
    for (const RECT& place : expected) {
        const bool found = std::any_of(pins.begin(), pins.end(), [&](HWND pin) {
            RECT rect{};
            ::GetWindowRect(pin, &rect);
            return ::EqualRect(&rect, &place) != FALSE;
        });
        EXPECT_TRUE(found) << place.top;
    }
    PinWindow::CloseAll();
}

TEST_F(TwoMonitors, ThePointerAreaStaysOnTheLeftMonitorAndIsExact) {
    MoveMouse(-790, 595);
    Main().Execute(ID_CAPTURE_POINTER_AREA);
    DocumentWindow* preview = CurrentDocument(Main());
    const auto shows = [&](int left, int top) {
        return PumpUntil([&] { return preview->GetPicture().ReadPixels() == PatternPixels(left, top, 160, 120); }, 5s);
    };
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(shows(-800, 480));
    // At its right edge: clamped there, not reaching onto the primary.
    MoveMouse(-5, 300);
    EXPECT_TRUE(shows(-160, 240));
    Main().Execute(ID_CAPTURE_POINTER_AREA);
}

TEST_F(TwoMonitors, TheEntireScreenTakesEachRangeAndBlanksWhatNoMonitorCovers) {
    MoveMouse(-400, 300);
    for (const ScreenRange range : kScreenRanges) {
        SCOPED_TRACE(static_cast<int>(range));
        Main().Settings().screenRange = range;
        DocumentWindow* document = NewDocumentAfter([this] { Main().Execute(ID_CAPTURE_ENTIRE_SCREEN); });
        ASSERT_NE(document, nullptr);
        const Picture& picture = document->GetPicture();
        const RECT expected = range == ScreenRange::Primary ? kPrimary : range == ScreenRange::AllMonitors ? kDesktop : kLeft;
        ASSERT_EQ(picture.Width(), expected.right - expected.left);
        ASSERT_EQ(picture.Height(), expected.bottom - expected.top);
        EXPECT_EQ(document->SurfaceSize().cx, picture.Width());
        const POINT origin{expected.left, expected.top};
        for (const RECT& monitor : {kLeft, kAbove, kPrimary}) {
            RECT shown{};
            if (::IntersectRect(&shown, &monitor, &expected)) {
                EXPECT_EQ(MismatchesIn(picture, origin, shown), 0);
            }
        }
        if (range == ScreenRange::AllMonitors) {
            EXPECT_EQ(LitIn(picture, origin, RECT{-800, -480, 200, 0}), 0);
            EXPECT_EQ(LitIn(picture, origin, RECT{840, -480, 1024, 0}), 0);
            EXPECT_EQ(LitIn(picture, origin, RECT{-800, 600, 0, 768}), 0);
        }
    }
}

TEST_F(TwoMonitors, AWindowOnTheLeftMonitorAndOneSpanningTwoAreTakenExactly) {
    {
        PatternWindow left(RECT{-700, 100, -300, 400});
        ::SetForegroundWindow(left.Handle());
        PumpFor(100ms);
        const WindowGrab grab = CaptureForegroundWindow();
        ASSERT_EQ(grab.picture.Width(), 400);
        EXPECT_EQ(PatternMismatches(grab.picture.ReadPixels(), -700, 100, 400), 0);
    }
    // Across the left monitor's bottom edge into the primary: the corner
    // below the left monitor is on none and comes out black.
    PatternWindow spanning(RECT{-200, 350, 300, 700});
    ::SetForegroundWindow(spanning.Handle());
    PumpFor(100ms);
    const WindowGrab grab = CaptureForegroundWindow();
    ASSERT_EQ(grab.picture.Width(), 500);
    ASSERT_EQ(grab.picture.Height(), 350);
    const POINT origin{-200, 350};
    EXPECT_EQ(MismatchesIn(grab.picture, origin, RECT{-200, 350, 0, 600}), 0);
    EXPECT_EQ(MismatchesIn(grab.picture, origin, RECT{0, 350, 300, 700}), 0);
    EXPECT_EQ(LitIn(grab.picture, origin, RECT{-200, 600, 0, 700}), 0);
}

TEST_F(TwoMonitors, TheCaptureKeysWorkWithThePointerOnTheLeftMonitor) {
    PatternWindow front(RECT{-600, 200, -200, 500});
    MoveMouse(-400, 300);
    Main().Settings().screenRange = ScreenRange::PointerMonitor;
    // Without a window manager X gives no window the keyboard: the keys go
    // in through the system's input queue, where the capture keys are
    // looked for, whatever window is in front.
    ::SetForegroundWindow(front.Handle());
    DocumentWindow* screen = NewDocumentAfter([] { PressKey(VK_SNAPSHOT, VK_CONTROL); });
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->GetPicture().Width(), 800);
    EXPECT_EQ(PatternMismatches(screen->GetPicture().ReadPixels(), -800, 0, 800), 0);

    ::SetForegroundWindow(front.Handle());
    DocumentWindow* window = NewDocumentAfter([] { PressKey(VK_SNAPSHOT, VK_MENU); });
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->GetPicture().Width(), 400);
    EXPECT_EQ(PatternMismatches(window->GetPicture().ReadPixels(), -600, 200, 400), 0);

    ::SetForegroundWindow(front.Handle());
    PressKey(VK_SNAPSHOT);
    EXPECT_TRUE(PumpUntil(OverlayShown));
}

}  // namespace
}  // namespace snapora::test
