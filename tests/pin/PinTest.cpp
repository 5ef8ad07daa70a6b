// Pinned pictures driven by real input: where they appear and with which
// pixels, dragging, the wheel's zoom, Esc, the double-click and the
// right-click menu.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <optional>

#include <gtest/gtest.h>

#include "capture/CommandCapture.h"
#include "documents/DocumentWindow.h"
#include "frame/ResourceIds.h"
#include "pin/PinResource.h"
#include "pin/PinWindow.h"
#include "settings/SettingsResource.h"
#include "support/Dialogs.h"
#include "support/Files.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/Processes.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

constexpr int kPinButton = 11;  // the tool bar's place for "贴图"

RECT RectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

POINT Centre(HWND window) {
    const RECT rect = RectOf(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The pattern picture pinned at a whole zoom factor: each picture pixel
// fills a `factor` x `factor` block of the screen, nothing blended.
int ShownMismatches(HWND pin, int factor) {
    const RECT rect = RectOf(pin);
    const int width = rect.right - rect.left;
    const std::vector<std::uint32_t> shown = ReadScreen(rect);
    int wrong = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const int x = static_cast<int>(i) % width;
        const int y = static_cast<int>(i) / width;
        if (shown[i] != PatternPixel(x / factor, y / factor)) ++wrong;
    }
    return wrong;
}

void TurnWheel(POINT at, int notches) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    MoveMouse(at.x, at.y);
    ASSERT_EQ(::SendInput(1, &input, sizeof(input)), 1u);
}

class Pin : public MainWindowTest {
protected:
    void TearDown() override {
        PinWindow::CloseAll();
        ::SetCursorPos(512, 700);
        MainWindowTest::TearDown();
    }

    // A document of the pattern, once on the screen at `origin`, pinned
    // with the tool bar's button; the new pin, or nullptr.
    HWND PinPattern(int width, int height, std::optional<POINT> origin) {
        DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(width, height));
        if (!document) return nullptr;
        if (origin) document->SetScreenOrigin(*origin);
        const std::vector<HWND> before = PinWindow::All();
        ClickToolbarButton(Main(), kPinButton);
        HWND pin = nullptr;
        PumpUntil([&] {
            for (HWND candidate : PinWindow::All()) {
                if (std::find(before.begin(), before.end(), candidate) == before.end()) pin = candidate;
            }
            return pin && ::IsWindowVisible(pin) && InputQueueEmpty();
        });
        PumpFor(std::chrono::milliseconds(50));
        return pin;
    }

    // Right-clicks the pin and clicks the item `command` of its menu.
    bool ChooseFromMenu(HWND pin, UINT command, DialogScript::Step then = nullptr) {
        DialogScript script({ChooseMenuItem(command)});
        if (then) script.Then(then);
        const POINT at = Centre(pin);
        return script.Run([at] {
            MoveMouse(at.x, at.y);
            SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_RIGHTDOWN, at.x, at.y);
            SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_RIGHTUP, at.x, at.y);
        });
    }
};

TEST_F(Pin, ShowsTheExactPixelsWhereTheCaptureWasAndLeavesTheFocusAlone) {
    ExpectTheRunsDpi();
    HWND pin = PinPattern(120, 80, POINT{200, 150});
    ASSERT_NE(pin, nullptr);
    const RECT rect = RectOf(pin);
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.top, 150);
    EXPECT_EQ(rect.right - rect.left, 120);
    EXPECT_EQ(rect.bottom - rect.top, 80);
    EXPECT_EQ(ShownMismatches(pin, 1), 0);
    // The click on the button left the main window in front; the pin took
    // nothing from it, and a key goes there still.
    EXPECT_EQ(::GetForegroundWindow(), mainWindow_);
    EXPECT_NE(::GetFocus(), pin);
    PressKey(VK_ESCAPE);
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_TRUE(::IsWindow(pin));
    EXPECT_EQ(ShownMismatches(pin, 1), 0);

    // Closing the document keeps the pin and its own copy of the picture.
    // (Under Wine the main window's restacking then covers the pin's
    // pixels on the screen, so its picture is read from the pin.)
    for (HWND document : Documents(Main())) ::DestroyWindow(document);
    PumpFor(std::chrono::milliseconds(50));
    ASSERT_NE(PinWindow::FromHandle(pin), nullptr);
    EXPECT_EQ(PinWindow::FromHandle(pin)->GetPicture().ReadPixels(), PatternPixels(0, 0, 120, 80));
}

TEST_F(Pin, AWindowOrRectangleCaptureIsPinnedWhereItWasOnTheScreen) {
    const RECT area{150, 120, 390, 300};
    auto pattern = std::make_unique<PatternWindow>(area);
    ::SetForegroundWindow(pattern->Handle());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == pattern->Handle(); }));
    Main().Execute(ID_CAPTURE_WINDOW_AT_ONCE);
    // A script's rectangle, opened in a document as the menu's would be.
    bool ended = false;
    const CaptureRequest rect{CommandCaptureKind::Rect, 200, 150, 60, 50};
    ASSERT_TRUE(StartCommandCapture(Main(), rect, [&ended](const CommandResult&) { ended = true; }));
    ASSERT_TRUE(PumpUntil([&] { return ended && Documents(Main()).size() == 2; }));
    for (HWND document : Documents(Main())) {
        ::SendMessageW(Main().MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(document), 0);
        Main().Execute(ID_EDIT_PIN);
    }
    std::vector<HWND> pins = PinWindow::All();
    ASSERT_EQ(pins.size(), 2u);
    std::sort(pins.begin(), pins.end(), [](HWND a, HWND b) { return RectOf(a).left < RectOf(b).left; });
    const RECT expected[] = {area, {200, 150, 260, 200}};
    for (std::size_t i = 0; i < pins.size(); ++i) {
        const RECT shown = RectOf(pins[i]);
        EXPECT_TRUE(::EqualRect(&shown, &expected[i])) << shown.left << "," << shown.top;
    }
    // With the pattern gone, the pins (the rectangle's above the window's)
    // show what was there, pixel for pixel.
    pattern.reset();
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(ScreenMismatches(area), 0);
}

TEST_F(Pin, WithoutAPlaceGoesNearThePointerInsideTheScreenAndSeveralStayOpen) {
    const RECT screen = PrimaryScreenRect();
    ASSERT_NE(OpenPictureDocument(Main(), PatternPicture(60, 40)), nullptr);
    MoveMouse(screen.right - 14, 20);
    Main().Execute(ID_EDIT_PIN);
    Main().Execute(ID_EDIT_PIN);
    const std::vector<HWND> pins = PinWindow::All();
    ASSERT_EQ(pins.size(), 2u);
    for (HWND pin : pins) {
        const RECT rect = RectOf(pin);
        EXPECT_EQ(rect.right, screen.right);
        EXPECT_EQ(rect.top, 0);
        EXPECT_EQ(rect.bottom, 40);
    }
    // Without a document there is nothing to pin.
    for (HWND document : Documents(Main())) ::DestroyWindow(document);
    Main().Execute(ID_EDIT_PIN);
    EXPECT_EQ(PinWindow::All().size(), 2u);
}

TEST_F(Pin, DragsWithTheLeftButtonAndZoomsInStepsAboutThePointer) {
    HWND pin = PinPattern(100, 60, POINT{300, 200});
    ASSERT_NE(pin, nullptr);
    MoveMouse(320, 220);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, 320, 220);
    MoveMouse(340, 235);
    MoveMouse(357, 243);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, 357, 243);
    ASSERT_TRUE(PumpUntil([&] { return RectOf(pin).left == 337 && RectOf(pin).top == 223 && InputQueueEmpty(); }));
    const RECT moved = RectOf(pin);

    // A notch away from the user zooms in a step, about the pointer: the
    // picture pixel under it stays under it.
    const POINT pointer{moved.left + 40, moved.top + 20};
    TurnWheel(pointer, 1);
    ASSERT_TRUE(PumpUntil([&] { return RectOf(pin).right - RectOf(pin).left == 125; }));
    const RECT zoomed = RectOf(pin);
    EXPECT_EQ(zoomed.bottom - zoomed.top, 75);
    EXPECT_EQ(zoomed.left, pointer.x - 50);
    EXPECT_EQ(zoomed.top, pointer.y - 25);
    // One notch back is exactly where it was, pixel for pixel.
    TurnWheel(pointer, -1);
    ASSERT_TRUE(PumpUntil([&] { return RectOf(pin).right - RectOf(pin).left == 100; }));
    const RECT back = RectOf(pin);
    EXPECT_TRUE(::EqualRect(&moved, &back));
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(ShownMismatches(pin, 1), 0);

    // Three notches make 200 %: every pixel a sharp two-by-two block.
    TurnWheel(pointer, 3);
    ASSERT_TRUE(PumpUntil([&] { return RectOf(pin).right - RectOf(pin).left == 200; }));
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(ShownMismatches(pin, 2), 0);
    // Held at 400 % and at 10 %, however far the wheel turns.
    TurnWheel(pointer, 12);
    ASSERT_TRUE(PumpUntil([&] { return RectOf(pin).right - RectOf(pin).left == 400; }));
    TurnWheel(Centre(pin), -30);
    ASSERT_TRUE(PumpUntil([&] { return RectOf(pin).right - RectOf(pin).left == 10; }));
    // "缩放 100%" brings the picture back to its pixels.
    ASSERT_TRUE(ChooseFromMenu(pin, IDM_PIN_FULL_SIZE));
    ASSERT_TRUE(PumpUntil([&] { return RectOf(pin).right - RectOf(pin).left == 100; }));
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(ShownMismatches(pin, 1), 0);
}

TEST_F(Pin, CtrlCCopiesAndEscOrADoubleClickClosesIt) {
    HWND pin = PinPattern(50, 50, POINT{100, 100});
    ASSERT_NE(pin, nullptr);
    Click(Centre(pin));
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == pin && InputQueueEmpty(); }));
    // Clicked, it has the keys: Ctrl+C copies, Esc closes.
    ASSERT_TRUE(PutClipboardText(L"before"));
    PressKey('C', VK_CONTROL);
    ASSERT_TRUE(PumpUntil([] { return ::IsClipboardFormatAvailable(CF_BITMAP) != FALSE; }));
    const auto clip = ReadClipboardBitmapFromPeer();
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->pixels, PatternPixels(0, 0, 50, 50));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(pin); }));

    pin = PinPattern(50, 50, POINT{100, 100});
    ASSERT_NE(pin, nullptr);
    Click(Centre(pin));
    Click(Centre(pin));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(pin); }));
}

TEST_F(Pin, TheRightClickMenuCopiesSavesAndCloses) {
    ScratchFolder folder;
    HWND first = PinPattern(30, 20, POINT{100, 100});
    HWND second = PinPattern(30, 20, POINT{300, 100});
    HWND third = PinPattern(30, 20, POINT{500, 100});
    ASSERT_TRUE(first && second && third);

    ASSERT_TRUE(ChooseFromMenu(first, IDM_PIN_COPY));
    const auto clip = ReadClipboardBitmapFromPeer();
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->width, 30);
    EXPECT_EQ(clip->pixels, PatternPixels(0, 0, 30, 20));

    const std::wstring path = folder.File(L"pinned.bmp");
    ASSERT_TRUE(ChooseFromMenu(first, IDM_PIN_SAVE_AS, SaveAs(path)));
    const LoadedBitmap saved = LoadBitmapFile(path);
    EXPECT_EQ(saved.width, 30);
    EXPECT_EQ(saved.pixels, PatternPixels(0, 0, 30, 20));

    ASSERT_TRUE(ChooseFromMenu(first, IDM_PIN_CLOSE));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(first); }));
    EXPECT_TRUE(::IsWindow(second) && ::IsWindow(third));
    ASSERT_TRUE(ChooseFromMenu(second, IDM_PIN_CLOSE_ALL));
    EXPECT_TRUE(PumpUntil([&] { return PinWindow::All().empty(); }));
}

TEST_F(Pin, ItsKeyIsOffUntilGivenOnTheKeyPageAndThenPinsWhileMinimised) {
    EXPECT_TRUE(Main().Settings().hotkeys[3].IsNone());
    ASSERT_NE(OpenPictureDocument(Main(), PatternPicture(40, 30)), nullptr);
    DialogScript script({[] {
        HWND dialog = FindDialogWith(IDC_HOTKEY_PIN);
        if (!dialog) return false;
        ::CheckDlgButton(dialog, IDC_HOTKEY_PIN_ON, BST_CHECKED);
        ::SendDlgItemMessageW(dialog, IDC_HOTKEY_PIN, HKM_SETHOTKEY, MAKEWORD('P', HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
        Press(dialog, IDC_OPTIONS_OK);
        return true;
    }});
    Main().Execute(ID_SETTINGS_OPTIONS);
    ASSERT_TRUE(script.Finished());
    ::ShowWindow(mainWindow_, SW_MINIMIZE);
    ASSERT_TRUE(Xdotool(L"key ctrl+shift+p"));
    ASSERT_TRUE(PumpUntil([] { return PinWindow::All().size() == 1; }));
    EXPECT_TRUE(::IsIconic(mainWindow_));
}

TEST_F(Pin, PinsCloseWithTheProgram) {
    ASSERT_NE(PinPattern(20, 20, POINT{10, 10}), nullptr);
    ::DestroyWindow(mainWindow_);
    EXPECT_TRUE(PinWindow::All().empty());
}

}  // namespace
}  // namespace snapora::test
