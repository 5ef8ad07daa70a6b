// The capture keys of the built Snapora.exe, pressed on the X display while
// a window of this test program is in front.
#include <windows.h>
#include <commctrl.h>

#include "app/resource.h"
#include "settings/SettingsResource.h"
#include "support/Dialogs.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/Processes.h"
#include "support/Registry.h"
#include "support/UiTest.h"
#include "win32/Screen.h"

namespace snapora::test {
namespace {

using namespace std::chrono_literals;

struct RunningSnapora {
    ChildProcess process{L"Snapora.exe", L""};
    HWND frame = nullptr;

    RunningSnapora() {
        PumpUntil([&] {
            frame = FindProcessWindow(process.Id(), L"SnaporaMainWindow");
            return frame && ::IsWindowVisible(frame);
        }, 20s);
    }
    ~RunningSnapora() {
        if (frame) ::PostMessageW(frame, WM_COMMAND, ID_FILE_EXIT, 0);
        process.Wait(10s);
    }
    int Documents() const {
        int count = 0;
        HWND client = ::FindWindowExW(frame, nullptr, L"MDICLIENT", nullptr);
        for (HWND child = ::GetWindow(client, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) ++count;
        return count;
    }
    bool WaitForDocuments(int count) const {
        return PumpUntil([&] { return Documents() == count && ::IsWindowVisible(frame); }, 20s);
    }
    // The active document's picture as the clipboard gives it to a third
    // program, once it has the given width.
    std::optional<PeerBitmap> CopiedPicture(int width) const {
        ::PostMessageW(frame, WM_COMMAND, ID_EDIT_COPY, 0);
        std::optional<PeerBitmap> picture;
        PumpUntil([&] { return (picture = ReadClipboardBitmapFromPeer()) && picture->width == width; }, 10s);
        return picture;
    }
    HWND OpenOptions() const {
        ::PostMessageW(frame, WM_COMMAND, ID_SETTINGS_OPTIONS, 0);
        HWND dialog = nullptr;
        PumpUntil([&] {
            dialog = FindProcessWindow(process.Id(), L"#32770");
            return dialog && ::IsWindowVisible(dialog);
        }, 10s);
        return dialog;
    }
};

std::size_t Mismatches(const PeerBitmap& picture, POINT pictureOrigin, RECT area) {
    std::size_t wrong = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const auto at = static_cast<std::size_t>(y - pictureOrigin.y) * picture.width + (x - pictureOrigin.x);
            if (picture.pixels[at] != PatternPixel(x, y)) ++wrong;
        }
    }
    return wrong;
}

TEST(HotkeyProcess, EachDefaultKeyTakesItsCaptureWhileAnotherProgramIsInFront) {
    ForgetStoredSettings();
    RunningSnapora snapora;
    ASSERT_NE(snapora.frame, nullptr);
    {
        const RECT screen{0, 0, 1024, 768};
        PatternWindow pattern(screen);
        ::SetForegroundWindow(pattern.Handle());
        ASSERT_TRUE(Xdotool(L"key ctrl+Print"));
        ASSERT_TRUE(snapora.WaitForDocuments(1));
        const auto whole = ReadClipboardBitmapFromPeer();
        ASSERT_TRUE(whole && whole->width == 1024 && whole->height == 768);
        EXPECT_EQ(Mismatches(*whole, {0, 0}, screen), 0u);

        ASSERT_TRUE(Xdotool(L"key Print"));
        ASSERT_TRUE(PumpUntil([&] {
            HWND overlay = FindProcessWindow(snapora.process.Id(), L"SnaporaRectangleOverlay");
            return overlay && ::IsWindowVisible(overlay);
        }));
        ASSERT_TRUE(Xdotool(L"mousemove 100 50 sleep 0.2 mousedown 1 sleep 0.2 mousemove 200 120 sleep 0.2 "
                            L"mousemove 300 200 sleep 0.2 mouseup 1"));
        ASSERT_TRUE(snapora.WaitForDocuments(2));
        const auto part = snapora.CopiedPicture(201);
        ASSERT_TRUE(part && part->height == 151);
        EXPECT_EQ(Mismatches(*part, {100, 50}, RECT{100, 50, 301, 201}), 0u);
    }
    // The window in front when the key is pressed, taken at once: a window
    // brought forward a moment later is not the one taken.
    PatternWindow target(RECT{200, 150, 560, 410}, true, L"目标窗口");
    PatternWindow later(RECT{40, 40, 300, 200}, true, L"其他窗口");
    ::SetForegroundWindow(target.Handle());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == target.Handle(); }));
    ASSERT_TRUE(Xdotool(L"key alt+Print"));
    PumpFor(800ms);
    ::SetForegroundWindow(later.Handle());
    ASSERT_TRUE(snapora.WaitForDocuments(3));
    RECT frame{};
    ::GetWindowRect(target.Handle(), &frame);
    const auto window = snapora.CopiedPicture(frame.right - frame.left);
    ASSERT_TRUE(window && window->height == frame.bottom - frame.top);
    RECT client{};
    ::GetClientRect(target.Handle(), &client);
    ::MapWindowPoints(target.Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(Mismatches(*window, {frame.left, frame.top}, client), 0u);
}

TEST(HotkeyProcess, AKeyHeldByAnotherProgramAtStartIsLeftOutAndRefusedOnItsPage) {
    ForgetStoredSettings();
    ASSERT_TRUE(::RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_NOREPEAT, VK_SNAPSHOT));
    ASSERT_TRUE(::RegisterHotKey(nullptr, 2, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, VK_F11));
    RunningSnapora snapora;
    ASSERT_NE(snapora.frame, nullptr);
    EXPECT_EQ(FindProcessWindow(snapora.process.Id(), L"#32770"), nullptr);  // nothing said

    HWND dialog = snapora.OpenOptions();
    ASSERT_NE(dialog, nullptr);
    const auto visible = [&](int id) { return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE; };
    HWND tab = ::GetDlgItem(dialog, IDC_OPTIONS_TAB);
    ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tab), TRUE);
    ::PostMessageW(tab, WM_KEYDOWN, VK_RIGHT, 0);
    ::PostMessageW(tab, WM_KEYDOWN, VK_RIGHT, 0);
    // The page shows its rows one after another, and this process may look
    // in between: the last row's field comes after every note.
    ASSERT_TRUE(PumpUntil([&] { return visible(IDC_OPTIONS_HOTKEY_PAGE) && visible(IDC_HOTKEY_WINDOW); }));
    EXPECT_TRUE(visible(IDC_HOTKEY_ENTIRE_SCREEN_HELD));
    EXPECT_FALSE(visible(IDC_HOTKEY_RECTANGLE_HELD));
    EXPECT_FALSE(visible(IDC_HOTKEY_WINDOW_HELD));

    // A key held elsewhere given to a row is refused there.
    HWND rectangle = ::GetDlgItem(dialog, IDC_HOTKEY_RECTANGLE);
    ::SendMessageW(rectangle, HKM_SETHOTKEY, MAKEWORD(VK_F11, HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
    Press(dialog, IDC_OPTIONS_OK);
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        box = FindProcessWindow(snapora.process.Id(), L"#32770");
        return box && box != dialog && ::IsWindowVisible(box);
    }));
    wchar_t text[64] = {};
    ::SendMessageTimeoutW(::GetDlgItem(box, 0xFFFF), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), 0, 2000, nullptr);
    EXPECT_STREQ(text, L"该热键已被其他程序占用，请另选一个！");
    Press(box, IDOK);
    GUITHREADINFO focus{sizeof(focus)};
    EXPECT_TRUE(PumpUntil([&] {
        return ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &focus) && focus.hwndFocus == rectangle;
    }));
    Press(dialog, IDCANCEL);

    // The key stays with its holder.
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(snapora.frame) != FALSE; }));
    ASSERT_TRUE(Xdotool(L"key ctrl+Print"));
    PumpFor(800ms);
    EXPECT_EQ(snapora.Documents(), 0);
    EXPECT_TRUE(::IsWindowVisible(snapora.frame));
    ::UnregisterHotKey(nullptr, 1);
    ::UnregisterHotKey(nullptr, 2);
}

}  // namespace
}  // namespace snapora::test
