// Pointer-area capture: the live preview document, its toggle and what its
// picture holds.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/resource.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "support/Pixels.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

class PointerAreaCapture : public MainWindowTest {
protected:
    void TearDown() override {
        ::SetCursorPos(512, 700);
        MainWindowTest::TearDown();
    }

    bool ModeOn() { return MenuChecked(Main().Handle(), ID_CAPTURE_POINTER_AREA); }

    void ExpectModeOff() {
        EXPECT_FALSE(MenuChecked(Main().Handle(), ID_CAPTURE_POINTER_AREA));
        EXPECT_FALSE(Capture().Timer(CaptureTimer::PointerArea).Enabled());
        EXPECT_FALSE(ToolbarPressed(Main().Toolbar(), ID_CAPTURE_POINTER_AREA));
        EXPECT_EQ(WindowText(Main().Handle()), L"Snapora");
    }
};

// Waits for the preview to show exactly that area of the pattern.
bool WaitForPicture(DocumentWindow* document, const std::vector<std::uint32_t>& expected) {
    return PumpUntil([&] { return document && document->GetPicture().ReadPixels() == expected; },
                     std::chrono::seconds(5));
}

TEST_F(PointerAreaCapture, TurningOnOpensAPreviewOfTheAreaSizeAndMarksTheMode) {
    const CaptureNumber number = Main().Captures().captureCount;
    Main().Execute(ID_CAPTURE_POINTER_AREA);
    EXPECT_TRUE(MenuChecked(Main().Handle(), ID_CAPTURE_POINTER_AREA));
    EXPECT_TRUE(Capture().Timer(CaptureTimer::PointerArea).Enabled());
    EXPECT_EQ(Capture().Timer(CaptureTimer::PointerArea).Interval(), 50u);
    EXPECT_TRUE(ToolbarPressed(Main().Toolbar(), ID_CAPTURE_POINTER_AREA));
    EXPECT_EQ(WindowText(Main().Handle()), L"Snapora(空格键或回车键确认)");

    DocumentWindow* preview = CurrentDocument(Main());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(DocumentWindow::FromHandle(Main().ActiveChild()), preview);
    EXPECT_EQ(WindowText(preview->Handle()), CaptureCaption(number));
    EXPECT_EQ(Main().Captures().captureCount, number + 1);
    EXPECT_EQ(preview->SurfaceSize().cx, 160);
    EXPECT_EQ(preview->SurfaceSize().cy, 120);
    // The whole area shows, inside the frame the system draws at this DPI.
    RECT client{};
    ::GetClientRect(preview->Handle(), &client);
    EXPECT_EQ(client.right, 160);
    EXPECT_EQ(client.bottom, 120);

    ASSERT_TRUE(PumpUntil([&] { return !preview->GetPicture().Empty(); }));
    Main().Execute(ID_CAPTURE_POINTER_AREA);
    ExpectModeOff();
    // The preview stays as an ordinary unsaved capture of the last area.
    ASSERT_EQ(CurrentDocument(Main()), preview);
    EXPECT_TRUE(preview->IsDirty());
    EXPECT_EQ(preview->GetPicture().Width(), 160);
    EXPECT_EQ(preview->GetPicture().Height(), 120);
    EXPECT_TRUE(MenuEnabled(Main().Handle(), ID_FILE_SAVE_AS));
}

TEST_F(PointerAreaCapture, ThePreviewHoldsTheScreenAroundThePointer) {
    {
        PatternWindow pattern(RECT{0, 0, 420, 320});
        ASSERT_TRUE(::SetCursorPos(200, 150));
        Main().Execute(ID_CAPTURE_POINTER_AREA);
        EXPECT_TRUE(WaitForPicture(CurrentDocument(Main()), PatternPixels(120, 90, 160, 120)));
        // Nearer than a whole area to the top-left: the corner snaps there.
        ASSERT_TRUE(::SetCursorPos(140, 100));
        EXPECT_TRUE(WaitForPicture(CurrentDocument(Main()), PatternPixels(0, 0, 160, 120)));
    }
    // The bottom-right corner of the real screen, whatever the DPI.
    const SIZE screen{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    PatternWindow pattern(RECT{screen.cx - 400, screen.cy - 300, screen.cx, screen.cy});
    ASSERT_TRUE(::SetCursorPos(screen.cx - 4, screen.cy - 8));
    EXPECT_TRUE(WaitForPicture(CurrentDocument(Main()), PatternPixels(screen.cx - 160, screen.cy - 120, 160, 120)));
    ASSERT_TRUE(::SetCursorPos(screen.cx - 24, screen.cy - 68));
    EXPECT_TRUE(WaitForPicture(CurrentDocument(Main()), PatternPixels(screen.cx - 160, screen.cy - 128, 160, 120)));
    Main().Execute(ID_CAPTURE_POINTER_AREA);
}

RECT ClientOnScreen(HWND window) {
    RECT rect{};
    ::GetClientRect(window, &rect);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Each new area goes straight onto the screen, under a document lying over
// the preview too; and the monitors are read again when they change.
TEST_F(PointerAreaCapture, TheScreenShowsEachNewAreaAndADocumentOverThePreviewKeepsItsPixels) {
    const SIZE screen{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    PatternWindow pattern(RECT{screen.cx - 400, screen.cy - 300, screen.cx, screen.cy});
    ASSERT_TRUE(::SetCursorPos(screen.cx - 200, screen.cy - 150));
    Main().Execute(ID_CAPTURE_POINTER_AREA);
    DocumentWindow* preview = CurrentDocument(Main());
    ASSERT_NE(preview, nullptr);
    const RECT shown = ClientOnScreen(preview->Handle());
    std::vector<std::uint32_t> area = PatternPixels(screen.cx - 280, screen.cy - 210, 160, 120);
    ASSERT_TRUE(WaitForPicture(preview, area));
    EXPECT_TRUE(PumpUntil([&] { return ReadScreen(shown) == area; }));

    const std::uint32_t flat = 0x00C08040;
    DocumentWindow* over =
        OpenPictureDocument(Main(), PictureOf(200, 150, std::vector<std::uint32_t>(200 * 150, flat)));
    ASSERT_NE(over, nullptr);
    SetCurrentDocument(Main(), preview);
    POINT at{shown.left + 60, shown.top + 50};
    ::ScreenToClient(Main().MdiClient(), &at);
    ::SetWindowPos(over->Handle(), HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    PumpFor(std::chrono::milliseconds(100));
    RECT covered{};
    const RECT overClient = ClientOnScreen(over->Handle());
    ASSERT_TRUE(::IntersectRect(&covered, &overClient, &shown));
    // A stale monitor layout would keep the area inside this one.
    Capture().pointerAreaMonitors = MonitorLayout{{PixelRect{0, 0, 200, 200}}, 0};
    ::SendMessageW(Main().Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(screen.cx, screen.cy));
    ASSERT_TRUE(::SetCursorPos(screen.cx - 190, screen.cy - 150));
    area = PatternPixels(screen.cx - 270, screen.cy - 210, 160, 120);
    ASSERT_TRUE(WaitForPicture(preview, area));
    RECT overWindow{};
    ::GetWindowRect(over->Handle(), &overWindow);
    const RECT open{shown.left, shown.top, shown.right, overWindow.top};
    const std::vector<std::uint32_t> openPart = Crop(area, 160, RECT{0, 0, 160, open.bottom - shown.top});
    EXPECT_TRUE(PumpUntil([&] { return ReadScreen(open) == openPart; }));
    for (const std::uint32_t pixel : ReadScreen(covered)) ASSERT_EQ(pixel, flat);
    Main().Execute(ID_CAPTURE_POINTER_AREA);
}

TEST_F(PointerAreaCapture, AStillAreaKeepsItsPictureAndAChangingOneTradesBetweenTwo) {
    PatternWindow pattern(RECT{0, 0, 420, 320});
    ASSERT_TRUE(::SetCursorPos(200, 150));
    Main().Execute(ID_CAPTURE_POINTER_AREA);
    DocumentWindow* preview = CurrentDocument(Main());
    ASSERT_TRUE(WaitForPicture(preview, PatternPixels(120, 90, 160, 120)));
    const HBITMAP first = preview->GetPicture().Bitmap();
    PumpFor(std::chrono::milliseconds(400));  // eight ticks over the same pixels
    EXPECT_EQ(preview->GetPicture().Bitmap(), first);
    ASSERT_TRUE(::SetCursorPos(210, 150));
    ASSERT_TRUE(WaitForPicture(preview, PatternPixels(130, 90, 160, 120)));
    EXPECT_NE(preview->GetPicture().Bitmap(), first);
    ASSERT_TRUE(::SetCursorPos(220, 150));
    ASSERT_TRUE(WaitForPicture(preview, PatternPixels(140, 90, 160, 120)));
    EXPECT_EQ(preview->GetPicture().Bitmap(), first);
    // Still for longer than half a second, looked at less often: a change
    // under the pointer still shows.
    PumpFor(std::chrono::milliseconds(800));
    ASSERT_TRUE(::SetWindowPos(pattern.Handle(), nullptr, 10, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    EXPECT_TRUE(WaitForPicture(preview, PatternPixels(130, 90, 160, 120)));
    // At rest for five seconds more: twice a second, and a change still shows.
    PumpFor(std::chrono::milliseconds(6000));
    EXPECT_EQ(Capture().Timer(CaptureTimer::PointerArea).Interval(), 500u);
    ASSERT_TRUE(::SetWindowPos(pattern.Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    EXPECT_TRUE(WaitForPicture(preview, PatternPixels(140, 90, 160, 120)));
    ASSERT_TRUE(::SetCursorPos(221, 150));
    EXPECT_TRUE(PumpUntil([&] { return Capture().Timer(CaptureTimer::PointerArea).Interval() == 50u; }));
    Main().Execute(ID_CAPTURE_POINTER_AREA);
}

TEST_F(PointerAreaCapture, TheAreaSizeComesFromTheSettingsAtEachStart) {
    PatternWindow pattern(RECT{0, 0, 420, 320});
    Main().Settings().pointerAreaWidth = 81;
    Main().Settings().pointerAreaHeight = 61;
    ASSERT_TRUE(::SetCursorPos(202, 152));
    Main().Execute(ID_CAPTURE_POINTER_AREA);
    DocumentWindow* preview = CurrentDocument(Main());
    ASSERT_NE(preview, nullptr);
    RECT outer{};
    RECT client{};
    ::GetWindowRect(preview->Handle(), &outer);
    ::GetClientRect(preview->Handle(), &client);
    const SIZE frame{outer.right - outer.left - client.right, outer.bottom - outer.top - client.bottom};
    // The system keeps a captioned window at least its minimum size.
    EXPECT_EQ(outer.right - outer.left, std::max<LONG>(81 + frame.cx, ::GetSystemMetrics(SM_CXMINTRACK)));
    EXPECT_EQ(outer.bottom - outer.top, std::max<LONG>(61 + frame.cy, ::GetSystemMetrics(SM_CYMINTRACK)));
    EXPECT_EQ(preview->SurfaceSize().cx, 81);
    EXPECT_EQ(preview->SurfaceSize().cy, 61);
    // 202 - 40.5 and 152 - 30.5 round to the even 162 and 122.
    EXPECT_TRUE(WaitForPicture(preview, PatternPixels(162, 122, 81, 61)));
    Main().Execute(ID_CAPTURE_POINTER_AREA);
}

TEST_F(PointerAreaCapture, SpaceAndEnterInAnyDocumentToggleTheMode) {
    DocumentWindow* plain = DocumentWindow::Create(Main());
    ASSERT_NE(plain, nullptr);
    ::SendMessageW(plain->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(ModeOn());
    DocumentWindow* first = CurrentDocument(Main());
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, plain);

    ::SendMessageW(first->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    ExpectModeOff();
    EXPECT_EQ(CurrentDocument(Main()), first);

    ::SendMessageW(plain->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(ModeOn());
    DocumentWindow* second = CurrentDocument(Main());
    EXPECT_NE(second, first);
    EXPECT_NE(second, plain);
    // Space in a document other than the preview ends the mode as well.
    ::SendMessageW(first->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    ExpectModeOff();
    EXPECT_TRUE(::IsWindow(first->Handle()));
    EXPECT_TRUE(::IsWindow(second->Handle()));
}

TEST_F(PointerAreaCapture, ClosingThePreviewEndsTheMode) {
    Main().Execute(ID_CAPTURE_POINTER_AREA);
    DocumentWindow* preview = CurrentDocument(Main());
    ASSERT_NE(preview, nullptr);
    preview->SetDirty(false);  // no save question
    HWND window = preview->Handle();
    ASSERT_TRUE(preview->Close());
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(PumpUntil([&] { return !ModeOn(); }, std::chrono::seconds(2)));
    ExpectModeOff();
    // Later ticks have nothing to draw into and the program goes on.
    PumpFor(std::chrono::milliseconds(150));
    EXPECT_EQ(CurrentDocument(Main()), nullptr);
    EXPECT_NE(MainWindow::FromHandle(mainWindow_), nullptr);
}

TEST_F(PointerAreaCapture, ANewerCaptureTakesOverTheTicksAtItsOwnSurfaceSize) {
    PatternWindow pattern(RECT{0, 0, 420, 320});
    ASSERT_TRUE(::SetCursorPos(200, 150));
    Main().Execute(ID_CAPTURE_POINTER_AREA);
    DocumentWindow* preview = CurrentDocument(Main());
    ASSERT_TRUE(WaitForPicture(preview, PatternPixels(120, 90, 160, 120)));

    DocumentWindow* newer = DocumentWindow::Create(Main());
    ASSERT_NE(newer, nullptr);
    newer->SetSurfaceSize(50, 40);
    SetCurrentDocument(Main(), newer);
    ASSERT_TRUE(::SetCursorPos(210, 160));
    EXPECT_TRUE(WaitForPicture(newer, PatternPixels(130, 100, 50, 40)));
    // The preview keeps the last area it was given.
    EXPECT_EQ(preview->GetPicture().ReadPixels(), PatternPixels(120, 90, 160, 120));
    Main().Execute(ID_CAPTURE_POINTER_AREA);
}

}  // namespace
}  // namespace snapora::test
