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
#include "support/UiTest.h"
#include "win32/Screen.h"

namespace snapora::test {
namespace {

// Absolute input coordinates run from 0 to 65535 across the screen; rounding
// up lands inside the wanted pixel whether the system rounds or truncates.
LONG AbsoluteCoordinate(int pixel, int extent) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

void SendMouse(DWORD flags, int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = AbsoluteCoordinate(x, ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
    input.mi.dy = AbsoluteCoordinate(y, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    ASSERT_EQ(::SendInput(1, &input, sizeof(input)), 1u);
}

bool InputQueueEmpty() { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0; }

bool CursorAt(int x, int y) {
    POINT at{};
    return ::GetCursorPos(&at) && at.x == x && at.y == y;
}

// Under Wine a pointer warp can echo back late from the X server and put
// the pointer at an earlier spot: whenever it is not where it was sent and
// nothing is pending, it is sent again.
bool KeepPointerAt(int x, int y) {
    if (CursorAt(x, y)) return true;
    if (InputQueueEmpty()) SendMouse(MOUSEEVENTF_MOVE, x, y);
    return false;
}

void MoveMouse(int x, int y) {
    SendMouse(MOUSEEVENTF_MOVE, x, y);
    ASSERT_TRUE(PumpUntil([x, y] { return KeepPointerAt(x, y) && InputQueueEmpty(); }))
        << "pointer did not reach " << x << "," << y;
}

void PressKey(WORD key) {
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(::SendInput(2, inputs, sizeof(INPUT)), 2u);
}

RectangleOverlay* Overlay() { return RectangleOverlay::Find(); }

bool OverlayShown() {
    RectangleOverlay* overlay = Overlay();
    return overlay && overlay->Handle() && ::IsWindowVisible(overlay->Handle());
}

// Answers the next message box from a timer, since the box runs its own
// message loop inside the overlay's button-up handler.
struct AnsweredBox {
    bool answered = false;
    std::wstring text;
    std::wstring title;
    HWND owner = nullptr;
};
AnsweredBox* pendingBox = nullptr;

void CALLBACK AnswerMessageBox(HWND, UINT, UINT_PTR, DWORD) {
    if (!pendingBox || pendingBox->answered) return;
    HWND box = FindMessageBox();
    if (!box) return;
    pendingBox->text = MessageBoxText(box);
    pendingBox->title = WindowText(box);
    pendingBox->owner = ::GetWindow(box, GW_OWNER);
    pendingBox->answered = true;
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(AnsweredBox& box) : timer_(::SetTimer(nullptr, 0, 20, &AnswerMessageBox)) {
        pendingBox = &box;
    }
    ~MessageBoxAnswerer() {
        ::KillTimer(nullptr, timer_);
        pendingBox = nullptr;
    }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

private:
    UINT_PTR timer_;
};

std::vector<HWND> Documents(MainWindow& main) {
    std::vector<HWND> documents;
    for (HWND child = ::GetWindow(main.MdiClient(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (DocumentWindow::FromHandle(child)) documents.push_back(child);
    }
    return documents;
}

// Mismatching pixels of a screen or picture area against the pattern at
// (left, top); `inverted` expects every pixel inverted.
int PatternMismatches(const std::vector<std::uint32_t>& pixels, int left, int top, int width, bool inverted = false) {
    int mismatches = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const int x = left + static_cast<int>(i % static_cast<std::size_t>(width));
        const int y = top + static_cast<int>(i / static_cast<std::size_t>(width));
        std::uint32_t expected = PatternPixel(x, y);
        if (inverted) expected = ~expected & 0x00FFFFFFu;
        if (pixels[i] != expected) ++mismatches;
    }
    return mismatches;
}

int ScreenMismatches(RECT area, bool inverted = false) {
    const auto pixels = ReadScreen(area);
    if (pixels.empty()) return -1;
    return PatternMismatches(pixels, area.left, area.top, area.right - area.left, inverted);
}

class RectangleCaptureTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        const SIZE screen = win32::PrimaryScreenSize();
        pattern_ = std::make_unique<PatternWindow>(RECT{0, 0, screen.cx, screen.cy});
        ASSERT_EQ(ScreenMismatches(RECT{0, 0, 400, 300}), 0) << "the pattern is not on the screen";
    }
    void TearDown() override {
        Main().Run().selectionCopier = nullptr;
        if (RectangleOverlay* overlay = Overlay()) overlay->Close();
        pattern_.reset();
        MainWindowTest::TearDown();
    }

    // Runs the command and waits for the frozen screen.
    void StartCapture() {
        Main().Execute(ID_CAPTURE_RECTANGLE);
        EXPECT_FALSE(::IsWindowVisible(Main().Handle()));
        EXPECT_TRUE(Main().Timer(MainTimer::Rectangle).Enabled());
        ASSERT_TRUE(PumpUntil(OverlayShown)) << "the overlay did not appear";
        EXPECT_FALSE(Main().Timer(MainTimer::Rectangle).Enabled());
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
        EXPECT_EQ(PatternMismatches(picture.ReadPixels(), 100, 50, 201), 0);
    }

    std::unique_ptr<PatternWindow> pattern_;
};

TEST_F(RectangleCaptureTest, DragDownRightKeepsExactlyThosePixelsAndReadsThemOutOnTheWay) {
    ASSERT_EQ(Main().Run().captureCount, 0u);
    StartCapture();
    // The overlay covers exactly the primary screen, in physical pixels.
    RECT overlayRect{};
    ::GetWindowRect(Overlay()->Handle(), &overlayRect);
    const SIZE screen = win32::PrimaryScreenSize();
    EXPECT_EQ(overlayRect.left, 0);
    EXPECT_EQ(overlayRect.top, 0);
    EXPECT_EQ(overlayRect.right, screen.cx);
    EXPECT_EQ(overlayRect.bottom, screen.cy);
    if (ExpectedDpiOrZero()) {
        EXPECT_EQ(win32::ScreenDpiX(), ExpectedDpiOrZero());
    }
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
    EXPECT_EQ(Main().Run().captureCount, 1u);
    EXPECT_TRUE(document->IsDirty());
    EXPECT_FALSE(::IsZoomed(document->Handle()));
    // The whole picture shows, inside the frame drawn at this DPI.
    RECT client{};
    ::GetClientRect(document->Handle(), &client);
    EXPECT_EQ(client.right, 201);
    EXPECT_EQ(client.bottom, 151);
    EXPECT_FALSE(Main().Timer(MainTimer::Rectangle).Enabled());
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
    AnsweredBox box;
    {
        MessageBoxAnswerer answerer(box);
        Release(300, 50);
        ASSERT_TRUE(PumpUntil([&box] { return box.answered && !FindMessageBox(); }));
    }
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
    EXPECT_EQ(Main().Run().captureCount, 0u);
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
    Main().Run().selectionCopier = &ThrowingCopy;
    StartCapture();
    Press(100, 50);
    DragTo(100, 50, 300, 200);
    Release(300, 200);
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_TRUE(OverlayShown());
    EXPECT_TRUE(Documents(Main()).empty());
    // The overlay takes the next try, and the program its next command.
    Main().Run().selectionCopier = nullptr;
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
    Main().Run().selectionCopier = &CopyIntoImpossibleBitmap;
    StartCapture();
    Press(100, 50);
    DragTo(100, 50, 300, 200);
    AnsweredBox box;
    {
        MessageBoxAnswerer answerer(box);
        Release(300, 200);
        ASSERT_TRUE(PumpUntil([&box] { return box.answered && !FindMessageBox(); }));
    }
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
    EXPECT_EQ(Main().Run().captureCount, 0u);

    // Another try on the same overlay works once bitmaps can be made.
    Main().Run().selectionCopier = nullptr;
    ASSERT_TRUE(PumpUntil(InputQueueEmpty));
    Press(100, 50);
    DragTo(100, 50, 300, 200);
    Release(300, 200);
    ASSERT_TRUE(PumpUntil([] { return !OverlayShown(); }));
    ExpectPatternDocument(CurrentDocument(Main()));
}

}  // namespace
}  // namespace snapora::test
