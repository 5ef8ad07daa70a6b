// Rectangle capture driven with real mouse and keyboard input on the real
// overlay, over a test pattern whose every pixel is known.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/resource.h"
#include "capture/RectangleOverlay.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "support/Dialogs.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/UiTest.h"
#include "win32/Screen.h"

namespace snapora::test {
namespace {

RectangleOverlay* Overlay() { return RectangleOverlay::Find(); }

bool OverlayShown() {
    RectangleOverlay* overlay = Overlay();
    return overlay && overlay->Handle() && ::IsWindowVisible(overlay->Handle());
}

class RectangleCaptureTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        pattern_ = std::make_unique<PatternWindow>(PrimaryScreenRect());
        ASSERT_EQ(ScreenMismatches(RECT{0, 0, 400, 300}), 0) << "the pattern is not on the screen";
    }
    void TearDown() override {
        Capture().selectionCopier = nullptr;
        if (RectangleOverlay* overlay = Overlay()) overlay->Close();
        pattern_.reset();
        MainWindowTest::TearDown();
    }

    // Runs the command and waits for the frozen screen.
    void StartCapture() {
        Main().Execute(ID_CAPTURE_RECTANGLE);
        EXPECT_FALSE(::IsWindowVisible(Main().Handle()));
        EXPECT_TRUE(Capture().Timer(CaptureTimer::Rectangle).Enabled());
        ASSERT_TRUE(PumpUntil(OverlayShown)) << "the overlay did not appear";
        EXPECT_FALSE(Capture().Timer(CaptureTimer::Rectangle).Enabled());
        EXPECT_FALSE(::IsWindowVisible(Main().Handle()));
        ASSERT_TRUE(PumpUntil(InputQueueEmpty));
    }

    void Press(int x, int y) {
        MoveMouse(x, y);
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, x, y);
        ASSERT_TRUE(PumpUntil([] { return Overlay()->IsDragging(); }));
    }

    // Moves in a few steps, as a hand would, and waits for the read-out.
    void DragTo(int fromX, int fromY, int x, int y) {
        for (int step = 1; step <= 3; ++step) {
            MoveMouse(fromX + (x - fromX) * step / 3, fromY + (y - fromY) * step / 3);
        }
        ASSERT_TRUE(PumpUntil([x, y] {
            const std::wstring& text = Overlay()->LabelText();
            return KeepPointerAt(x, y) && InputQueueEmpty() && Overlay()->LabelVisible() && text.find(L"X=" + FormatFourDigits(x)) != std::wstring::npos &&
                   text.find(L"Y=" + FormatFourDigits(y)) != std::wstring::npos;
        }));
    }

    // Releases where the pointer is; the overlay handles it before this
    // returns unless a message box holds it.
    void Release(int x, int y) {
        // Moving in the same input makes sure the release comes from (x, y).
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, x, y);
        ASSERT_TRUE(PumpUntil([] { return !OverlayShown() || !Overlay()->IsDragging(); }));
    }

    // A full drag that should give a document; returns it.
    DocumentWindow* CaptureBetween(int x0, int y0, int x1, int y1) {
        const std::size_t before = Documents(Main()).size();
        StartCapture();
        Press(x0, y0);
        DragTo(x0, y0, x1, y1);
        Release(x1, y1);
        EXPECT_TRUE(PumpUntil([] { return !OverlayShown(); }));
        EXPECT_EQ(Documents(Main()).size(), before + 1);
        return CurrentDocument(Main());
    }

    // The document holds exactly the pattern of (100, 50)-(300, 200).
    void ExpectPatternDocument(DocumentWindow* document) {
        ASSERT_NE(document, nullptr);
        const Picture& picture = document->GetPicture();
        ASSERT_EQ(picture.Width(), 201);
        ASSERT_EQ(picture.Height(), 151);
        EXPECT_EQ(document->SurfaceSize().cx, 201);
        EXPECT_EQ(document->SurfaceSize().cy, 151);
        // A pin of it goes back where it was.
        ASSERT_TRUE(document->ScreenOrigin());
        EXPECT_EQ(document->ScreenOrigin()->x, 100);
        EXPECT_EQ(document->ScreenOrigin()->y, 50);
        EXPECT_EQ(PatternMismatches(picture.ReadPixels(), 100, 50, 201), 0);
    }

    std::unique_ptr<PatternWindow> pattern_;
};

TEST_F(RectangleCaptureTest, DragDownRightKeepsExactlyThosePixelsAndReadsThemOutOnTheWay) {
    ASSERT_EQ(Main().Captures().captureCount, 0u);
    StartCapture();
    // The overlay covers exactly the primary screen, in physical pixels.
    RECT overlayRect{};
    ::GetWindowRect(Overlay()->Handle(), &overlayRect);
    const SIZE screen = win32::PrimaryScreenSize();
    EXPECT_EQ(overlayRect.left, 0);
    EXPECT_EQ(overlayRect.top, 0);
    EXPECT_EQ(overlayRect.right, screen.cx);
    EXPECT_EQ(overlayRect.bottom, screen.cy);
    ExpectTheRunsDpi();
    EXPECT_FALSE(Overlay()->LabelVisible());

    Press(100, 50);
    DragTo(100, 50, 300, 200);
    EXPECT_EQ(Overlay()->LabelText(), L"右下角 X=0300\r\n右下角 Y=0200\r\n区域宽度=0201\r\n区域高度=0151");
    const RECT label = Overlay()->LabelRect();
    EXPECT_EQ(label.left, 304);
    EXPECT_EQ(label.top, 204);
    // On the screen: the outline inverted, the inside untouched, red text
    // in the label and only the latest outline left.
    EXPECT_EQ(ScreenMismatches(RECT{100, 50, 301, 51}, true), 0);
    EXPECT_EQ(ScreenMismatches(RECT{100, 200, 301, 201}, true), 0);
    EXPECT_EQ(ScreenMismatches(RECT{100, 51, 101, 200}, true), 0);
    EXPECT_EQ(ScreenMismatches(RECT{300, 51, 301, 200}, true), 0);
    EXPECT_EQ(ScreenMismatches(RECT{101, 51, 300, 200}), 0);
    EXPECT_EQ(ScreenMismatches(RECT{101, 101, 300, 102}), 0) << "an earlier outline was left behind";
    const auto labelPixels = ReadScreen(label);
    int red = 0;
    for (std::uint32_t pixel : labelPixels) red += pixel == 0x00FF0000u ? 1 : 0;
    EXPECT_GT(red, 20);

    Release(300, 200);
    ASSERT_TRUE(PumpUntil([] { return !OverlayShown(); }));
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
    DocumentWindow* document = CurrentDocument(Main());
    ExpectPatternDocument(document);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(WindowText(document->Handle()), L"截图0");
    EXPECT_EQ(Main().Captures().captureCount, 1u);
    EXPECT_TRUE(document->IsDirty());
    EXPECT_FALSE(::IsZoomed(document->Handle()));
    // The whole picture shows, inside the frame drawn at this DPI.
    RECT client{};
    ::GetClientRect(document->Handle(), &client);
    EXPECT_EQ(client.right, 201);
    EXPECT_EQ(client.bottom, 151);
    EXPECT_FALSE(Capture().Timer(CaptureTimer::Rectangle).Enabled());
}

// Windows brings a new document up maximised while the active one is; Wine
// restores the old one instead. This hook makes every new document come up
// maximised, as on Windows.
LRESULT CALLBACK MaximiseNewDocuments(int code, WPARAM wParam, LPARAM lParam) {
    const auto& call = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call.message == WM_MDICREATE && call.lResult) {
        ::SendMessageW(call.hwnd, WM_MDIMAXIMIZE, static_cast<WPARAM>(call.lResult), 0);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(RectangleCaptureTest, TheNewPictureComesUpNormalOverAMaximisedDocument) {
    DocumentWindow* maximised = OpenPictureDocument(Main(), Picture::CreateBlank(40, 30));
    ASSERT_NE(maximised, nullptr);
    ::SendMessageW(Main().MdiClient(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(maximised->Handle()), 0);
    ASSERT_TRUE(::IsZoomed(maximised->Handle()));
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, &MaximiseNewDocuments, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    DocumentWindow* document = CaptureBetween(100, 50, 300, 200);
    ::UnhookWindowsHookEx(hook);
    ExpectPatternDocument(document);
    ASSERT_NE(document, nullptr);
    EXPECT_FALSE(::IsZoomed(document->Handle()));
    // Restored to normal, it is sized to show the whole picture.
    RECT client{};
    ::GetClientRect(document->Handle(), &client);
    EXPECT_EQ(client.right, 201);
    EXPECT_EQ(client.bottom, 151);
}

TEST_F(RectangleCaptureTest, DragUpLeftGivesTheSamePictureWithTheLabelBesideTheStart) {
    StartCapture();
    Press(300, 200);
    DragTo(300, 200, 100, 50);
    EXPECT_EQ(Overlay()->LabelText(), L"右下角 X=0100\r\n右下角 Y=0050\r\n区域宽度=0201\r\n区域高度=0151");
    EXPECT_EQ(Overlay()->LabelRect().left, 304);
    EXPECT_EQ(Overlay()->LabelRect().top, 204);
    Release(100, 50);
    ASSERT_TRUE(PumpUntil([] { return !OverlayShown(); }));
    ExpectPatternDocument(CurrentDocument(Main()));
}

TEST_F(RectangleCaptureTest, DragsUpRightAndDownLeftFindTheSameCorner) {
    DocumentWindow* upRight = CaptureBetween(100, 200, 300, 50);
    ExpectPatternDocument(upRight);
    ASSERT_NE(upRight, nullptr);
    EXPECT_EQ(WindowText(upRight->Handle()), L"截图0");
    DocumentWindow* downLeft = CaptureBetween(300, 50, 100, 200);
    ExpectPatternDocument(downLeft);
    ASSERT_NE(downLeft, nullptr);
    EXPECT_EQ(WindowText(downLeft->Handle()), L"截图1");
    EXPECT_EQ(Documents(Main()).size(), 2u);
}

TEST_F(RectangleCaptureTest, ALineAsksForAnotherTryOnTheSameFrozenScreen) {
    StartCapture();
    Press(100, 50);
    DragTo(100, 50, 300, 50);
    // The box runs its own message loop inside the button-up handler.
    SeenBox box;
    DialogScript answer({AnswerMessageBox(IDOK, &box), [] { return !FindMessageBox(); }});
    ASSERT_TRUE(answer.Run([&] { Release(300, 50); }));
    EXPECT_EQ(box.text, L"选定图片的高或宽为零！");
    EXPECT_EQ(box.title, L"Snapora");
    EXPECT_EQ(box.owner, Overlay()->Handle());
    EXPECT_TRUE(OverlayShown());
    EXPECT_FALSE(::IsWindowVisible(Main().Handle()));
    EXPECT_TRUE(Documents(Main()).empty());
    EXPECT_FALSE(Overlay()->LabelVisible());
    ASSERT_TRUE(PumpUntil(InputQueueEmpty));
    // The message box has gone and the line with it.
    ASSERT_TRUE(PumpUntil([] { return ScreenMismatches(RECT{90, 40, 420, 60}) == 0; }))
        << "a stray outline or label stayed on the overlay";

    // The next drag elsewhere leaves the old line alone.
    Press(400, 300);
    DragTo(400, 300, 500, 380);
    EXPECT_EQ(ScreenMismatches(RECT{90, 40, 320, 60}), 0);
    Release(500, 380);
    ASSERT_TRUE(PumpUntil([] { return !OverlayShown(); }));
    DocumentWindow* document = CurrentDocument(Main());
    ASSERT_NE(document, nullptr);
    ASSERT_EQ(document->GetPicture().Width(), 101);
    ASSERT_EQ(document->GetPicture().Height(), 81);
    EXPECT_EQ(PatternMismatches(document->GetPicture().ReadPixels(), 400, 300, 101), 0);
}

TEST_F(RectangleCaptureTest, AClickOrADragBackToThePressPointMakesNoPicture) {
    StartCapture();
    Press(200, 200);
    Release(200, 200);
    ASSERT_TRUE(PumpUntil([] { return !OverlayShown(); }));
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
    EXPECT_TRUE(Documents(Main()).empty());

    StartCapture();
    Press(200, 200);
    DragTo(200, 200, 260, 250);
    DragTo(260, 250, 200, 200);
    Release(200, 200);
    ASSERT_TRUE(PumpUntil([] { return !OverlayShown(); }));
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
    EXPECT_TRUE(Documents(Main()).empty());
    EXPECT_EQ(Main().Captures().captureCount, 0u);
}

TEST_F(RectangleCaptureTest, ASelectionThroughTheScreenOriginLeavesNoOutlineBehind) {
    StartCapture();
    Press(50, 40);
    DragTo(50, 40, 0, 0);
    DragTo(0, 0, 20, 10);
    // The outline that ended at (0, 0) is gone: its left edge and top row
    // beyond the new outline show the frozen pattern again.
    EXPECT_EQ(ScreenMismatches(RECT{0, 11, 1, 40}), 0);
    EXPECT_EQ(ScreenMismatches(RECT{0, 0, 20, 1}), 0);
    DragTo(20, 10, 0, 0);
    Release(0, 0);
    ASSERT_TRUE(PumpUntil([] { return !OverlayShown(); }));
    DocumentWindow* document = CurrentDocument(Main());
    ASSERT_NE(document, nullptr);
    ASSERT_EQ(document->GetPicture().Width(), 51);
    ASSERT_EQ(document->GetPicture().Height(), 41);
    EXPECT_EQ(PatternMismatches(document->GetPicture().ReadPixels(), 0, 0, 51), 0);
}

TEST_F(RectangleCaptureTest, EscapeClosesTheOverlayAndBringsTheMainWindowBack) {
    StartCapture();
    ASSERT_TRUE(PumpUntil([] { return ::GetForegroundWindow() == Overlay()->Handle(); }));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([] { return !OverlayShown(); }));
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
    EXPECT_TRUE(Documents(Main()).empty());
    // The next use freezes the screen again and works as before.
    ExpectPatternDocument(CaptureBetween(100, 50, 300, 200));
}

Picture ThrowingCopy(const Picture&, int, int, int, int) { throw std::runtime_error("no picture"); }

TEST_F(RectangleCaptureTest, AFailureEscapingAHandlerAbandonsOnlyThatMessage) {
    Capture().selectionCopier = &ThrowingCopy;
    StartCapture();
    Press(100, 50);
    DragTo(100, 50, 300, 200);
    Release(300, 200);
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_TRUE(OverlayShown());
    EXPECT_TRUE(Documents(Main()).empty());
    // The overlay takes the next try, and the program its next command.
    Capture().selectionCopier = nullptr;
    ASSERT_TRUE(PumpUntil(InputQueueEmpty));
    Press(100, 50);
    DragTo(100, 50, 300, 200);
    Release(300, 200);
    ASSERT_TRUE(PumpUntil([] { return !OverlayShown(); }));
    ExpectPatternDocument(CurrentDocument(Main()));
    Main().Execute(ID_SETTINGS_TOOLBAR);
    EXPECT_FALSE(MenuChecked(Main().Handle(), ID_SETTINGS_TOOLBAR));
}

DWORD failedCopyError = 0;

// Asks for a bitmap far larger than GDI will make.
Picture CopyIntoImpossibleBitmap(const Picture& frozen, int left, int top, int, int) {
    Picture picture = frozen.CopyArea(left, top, 100000, 100000);
    failedCopyError = ::GetLastError();
    return picture;
}

TEST_F(RectangleCaptureTest, ABitmapThatCannotBeMadeIsReportedAndTheOverlayStays) {
    Capture().selectionCopier = &CopyIntoImpossibleBitmap;
    StartCapture();
    Press(100, 50);
    DragTo(100, 50, 300, 200);
    // The box runs its own message loop inside the button-up handler.
    SeenBox box;
    DialogScript answer({AnswerMessageBox(IDOK, &box), [] { return !FindMessageBox(); }});
    ASSERT_TRUE(answer.Run([&] { Release(300, 200); }));
    const DWORD code = failedCopyError != ERROR_SUCCESS ? failedCopyError : ERROR_NOT_ENOUGH_MEMORY;
    const std::wstring suffix = L": Error number " + std::to_wstring(code);
    ASSERT_GT(box.text.size(), suffix.size());
    EXPECT_EQ(box.text.substr(box.text.size() - suffix.size()), suffix);
    wchar_t description[512] = {};
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, description, 512,
                     nullptr);
    std::wstring expected = description;
    while (!expected.empty() && (expected.back() == L'\n' || expected.back() == L'\r')) expected.pop_back();
    EXPECT_EQ(box.text, expected + suffix);
    EXPECT_EQ(box.title, L"Snapora");
    EXPECT_TRUE(OverlayShown());
    EXPECT_TRUE(Documents(Main()).empty());
    EXPECT_EQ(Main().Captures().captureCount, 0u);

    // Another try on the same overlay works once bitmaps can be made.
    Capture().selectionCopier = nullptr;
    ASSERT_TRUE(PumpUntil(InputQueueEmpty));
    Press(100, 50);
    DragTo(100, 50, 300, 200);
    Release(300, 200);
    ASSERT_TRUE(PumpUntil([] { return !OverlayShown(); }));
    ExpectPatternDocument(CurrentDocument(Main()));
}

}  // namespace
}  // namespace snapora::test
