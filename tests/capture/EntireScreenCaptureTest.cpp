// Entire-screen and window capture through the real main window.
#include <windows.h>
#include <commctrl.h>

#include "app/resource.h"
#include "capture/ScreenGrab.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "support/Dialogs.h"
#include "support/Files.h"
#include "support/Pixels.h"
#include "support/Processes.h"
#include "support/UiTest.h"
#include "win32/CommonControls.h"
#include "win32/Screen.h"

namespace snapora::test {
namespace {

using namespace std::chrono_literals;

class EntireScreenCapture : public MainWindowTest {
protected:
    // Runs the command and waits for the document it opens.
    DocumentWindow* CaptureEntireScreen() {
        DocumentWindow* before = CurrentDocument(Main());
        Main().Execute(ID_CAPTURE_ENTIRE_SCREEN);
        hiddenRightAfterCommand_ = !::IsWindowVisible(Main().Handle());
        const bool opened = PumpUntil([&] { return CurrentDocument(Main()) && CurrentDocument(Main()) != before; }, 10s);
        return opened ? CurrentDocument(Main()) : nullptr;
    }
    bool hiddenRightAfterCommand_ = false;
};

TEST_F(EntireScreenCapture, TakesEveryPixelOfTheScreenIntoNumberedDocuments) {
    ExpectTheRunsDpi();
    const RECT screen = PrimaryScreenRect();
    EXPECT_EQ(screen.right, 1024);
    EXPECT_EQ(screen.bottom, 768);
    PatternWindow pattern(screen);
    ASSERT_TRUE(PutClipboardText(L"copied before the capture"));

    DocumentWindow* first = CaptureEntireScreen();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(hiddenRightAfterCommand_);
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
    EXPECT_EQ(WindowText(first->Handle()), L"截图0");
    EXPECT_TRUE(first->IsDirty());
    EXPECT_EQ(DocumentWindow::FromHandle(Main().ActiveChild()), first);
    const Picture& picture = first->GetPicture();
    ASSERT_EQ(picture.Width(), 1024);
    ASSERT_EQ(picture.Height(), 768);
    EXPECT_EQ(first->SurfaceSize().cx, 1024);
    EXPECT_EQ(first->SurfaceSize().cy, 768);
    // Exactly the screen: the main window was hidden, nothing else shows.
    EXPECT_EQ(PatternMismatches(picture.ReadPixels(), 0, 0, 1024), 0);

    // The clipboard holds the same bitmap, for another program too, and the
    // text copied before is gone.
    const auto clip = ReadClipboardBitmapFromPeer();
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->width, 1024);
    EXPECT_EQ(clip->height, 768);
    EXPECT_EQ(PatternMismatches(clip->pixels, 0, 0, 1024), 0);
    EXPECT_FALSE(ReadClipboardTextFromPeer());

    DocumentWindow* second = CaptureEntireScreen();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(WindowText(second->Handle()), L"截图1");
    EXPECT_EQ(WindowText(first->Handle()), L"截图0");
    EXPECT_EQ(Main().Captures().captureCount, 2u);
    // Closing a document does not lower the next number.
    second->SetDirty(false);  // as if saved: no question on closing
    ASSERT_TRUE(second->Close());
    DocumentWindow* third = CaptureEntireScreen();
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(WindowText(third->Handle()), L"截图2");
}

// Counts the real timer's ticks as they reach the main window, and the
// tick on which a new document came.
struct TickWatch {
    const MainWindow& main;
    int ticks = 0;
    int capturedOn = 0;
};

LRESULT CALLBACK CountTicks(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& watch = *reinterpret_cast<TickWatch*>(data);
    const bool tick = message == WM_TIMER && wParam == static_cast<WPARAM>(CaptureTimer::EntireScreen);
    const std::size_t before = Documents(watch.main).size();
    const LRESULT result = win32::CallNextSubclass(window, message, wParam, lParam);
    if (tick && ++watch.ticks && Documents(watch.main).size() > before) watch.capturedOn = watch.ticks;
    return result;
}

TEST_F(EntireScreenCapture, TheFirstPictureOfTheRunComesOnTheThirdTickLaterOnesOnTheSecond) {
    for (const int expected : {3, 2, 2}) {
        TickWatch watch{Main()};
        ASSERT_TRUE(win32::SetSubclass(Main().Handle(), &CountTicks, 1, reinterpret_cast<DWORD_PTR>(&watch)));
        Main().Execute(ID_CAPTURE_ENTIRE_SCREEN);
        EXPECT_TRUE(PumpUntil([&] { return watch.capturedOn != 0; }));
        PumpFor(300ms);  // the timer stops with the capture
        win32::RemoveSubclass(Main().Handle(), &CountTicks, 1);
        EXPECT_EQ(watch.capturedOn, expected);
        EXPECT_EQ(watch.ticks, expected);
    }
}

TEST_F(EntireScreenCapture, StillTakesTheScreenWhileAnotherProgramHoldsTheClipboard) {
    PatternWindow pattern(PrimaryScreenRect());
    ASSERT_TRUE(PutClipboardText(L"kept"));
    const std::wstring ready = TempFilePath(L"clipboard-held");
    ChildProcess holder(L"snapora_clipboard_peer.exe", L"hold 4000 \"" + ready + L"\"");
    ASSERT_TRUE(holder.Started());
    ASSERT_TRUE(PumpUntil([&] { return FileExists(ready); }, 10s));

    DocumentWindow* document = CaptureEntireScreen();
    ASSERT_NE(document, nullptr);
    ASSERT_EQ(document->GetPicture().Width(), 1024);
    EXPECT_EQ(PatternMismatches(document->GetPicture().ReadPixels(), 0, 0, 1024), 0);

    // The busy clipboard was left alone.
    ASSERT_TRUE(holder.Wait(10s));
    EXPECT_EQ(ReadClipboardTextFromPeer().value_or(L""), L"kept");
    ::DeleteFileW(ready.c_str());
}

using WindowCapture = MainWindowTest;

TEST_F(WindowCapture, TakesTheWindowBroughtToTheFrontDuringTheWaitFrameIncluded) {
    PatternWindow target(RECT{200, 150, 200 + 360, 150 + 260}, true, L"目标窗口");
    PatternWindow other(RECT{40, 40, 300, 200}, true, L"其他窗口");
    // A little into the wait, the main window is out of the way and the user
    // brings the target forward.
    const auto start = std::chrono::steady_clock::now();
    bool mainShownDuringTheWait = true;
    DialogScript user({[&] {
        if (std::chrono::steady_clock::now() - start < 700ms) return false;
        mainShownDuringTheWait = ::IsWindowVisible(Main().Handle()) != FALSE;
        ::SetForegroundWindow(target.Handle());
        return true;
    }});
    Main().Execute(ID_CAPTURE_WINDOW);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(user.Finished());
    EXPECT_FALSE(mainShownDuringTheWait);
    EXPECT_GE(waited, 1900ms);
    // Afterwards the main window is back in front, with the keyboard.
    EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == Main().Handle(); }, 2s));
    EXPECT_EQ(::GetActiveWindow(), Main().Handle());

    DocumentWindow* document = CurrentDocument(Main());
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(WindowText(document->Handle()), L"截图0");
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
    RECT windowRect{};
    ::GetWindowRect(target.Handle(), &windowRect);
    const Picture& picture = document->GetPicture();
    ASSERT_EQ(picture.Width(), windowRect.right - windowRect.left);
    ASSERT_EQ(picture.Height(), windowRect.bottom - windowRect.top);
    EXPECT_EQ(document->SurfaceSize().cx, picture.Width());
    EXPECT_EQ(document->SurfaceSize().cy, picture.Height());

    // The client area inside the frame is exactly the pattern.
    RECT client{};
    ::GetClientRect(target.Handle(), &client);
    POINT clientOrigin{0, 0};
    ::ClientToScreen(target.Handle(), &clientOrigin);
    const int dx = clientOrigin.x - windowRect.left;
    const int dy = clientOrigin.y - windowRect.top;
    EXPECT_GT(dy, 0);  // the caption bar is part of the picture
    const auto inside = Crop(picture.ReadPixels(), picture.Width(), RECT{dx, dy, dx + client.right, dy + client.bottom});
    EXPECT_EQ(PatternMismatches(inside, clientOrigin.x, clientOrigin.y, client.right), 0);
}

// During the wait, the window in front goes away and leaves none in front.
HWND foregroundAfterLeaving = nullptr;

void CALLBACK LeaveNoWindowInFront(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    HWND front = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 50, 40, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(front);
    ::DestroyWindow(front);
    foregroundAfterLeaving = ::GetForegroundWindow();
}

TEST_F(WindowCapture, NoWindowInFrontGivesAnEmptyDocumentNotThePreviousSize) {
    {
        PatternWindow target(RECT{100, 100, 400, 300}, true, L"目标窗口");
        static HWND toFront = nullptr;
        toFront = target.Handle();
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(nullptr, id);
            ::SetForegroundWindow(toFront);
        });
        Main().Execute(ID_CAPTURE_WINDOW);
        ::KillTimer(nullptr, timer);
        ASSERT_NE(CurrentDocument(Main()), nullptr);
        ASSERT_EQ(CurrentDocument(Main())->SurfaceSize().cx, 300);
    }
    const HWND previous = CurrentDocument(Main())->Handle();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 700, &LeaveNoWindowInFront);
    Main().Execute(ID_CAPTURE_WINDOW);
    ::KillTimer(nullptr, timer);
    ASSERT_EQ(foregroundAfterLeaving, nullptr) << "could not leave the screen without a window in front";
    DocumentWindow* document = CurrentDocument(Main());
    ASSERT_NE(document, nullptr);
    EXPECT_NE(document->Handle(), previous);
    EXPECT_EQ(WindowText(document->Handle()), L"截图1");
    EXPECT_TRUE(document->GetPicture().Empty());
    EXPECT_EQ(document->SurfaceSize().cx, 0);
    EXPECT_EQ(document->SurfaceSize().cy, 0);
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
}

TEST_F(WindowCapture, AWindowLargerThanTheScreenIsTakenAtItsFullSize) {
    PatternWindow huge(RECT{-40, -30, 1200, 900}, true, L"大窗口");
    ::SetForegroundWindow(huge.Handle());
    PumpFor(100ms);
    const WindowGrab grab = CaptureForegroundWindow();
    const Picture& picture = grab.picture;
    EXPECT_EQ(grab.size, (PixelSize{picture.Width(), picture.Height()}));
    RECT rect{};
    ::GetWindowRect(huge.Handle(), &rect);
    EXPECT_EQ(picture.Width(), rect.right - rect.left);
    EXPECT_EQ(picture.Height(), rect.bottom - rect.top);
    EXPECT_GT(picture.Width(), 1024);
}

TEST(ScreenGrab, SnapshotOfWindowZeroIsThePrimaryScreen) {
    PatternWindow pattern(PrimaryScreenRect());
    const Picture picture = GetScreenSnapshot(nullptr);
    ASSERT_EQ(picture.Width(), 1024);
    ASSERT_EQ(picture.Height(), 768);
    EXPECT_EQ(picture.Palette(), nullptr);
    EXPECT_EQ(PatternMismatches(picture.ReadPixels(), 0, 0, 1024), 0);
}

TEST(ScreenGrab, ImpossibleGrabsGiveEmptyPictures) {
    EXPECT_TRUE(Picture::CreateBlank(0, 10).Empty());
    EXPECT_TRUE(Picture::CreateBlank(100000, 100000).Empty());
    EXPECT_TRUE(CaptureWindowArea(nullptr, false, 0, 0, 0, 0).Empty());
    EXPECT_TRUE(CaptureScreenToClipboard(nullptr, 10, 10, 5, 5).Empty());
    HWND gone = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ::DestroyWindow(gone);
    EXPECT_TRUE(GetScreenSnapshot(gone).Empty());
}

}  // namespace
}  // namespace snapora::test
