// The capture keys of this process's main window, pressed on the X display.
#include <windows.h>
#include <commctrl.h>

#include "app/resource.h"
#include "capture/RectangleOverlay.h"
#include "help/HelpTestSupport.h"
#include "settings/SettingsResource.h"
#include "settings/SettingsStore.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

using namespace std::chrono_literals;
using helpsupport::ModalScript;
using helpsupport::ThreadDialogs;
using Hotkeys = MainWindowTest;

int DocumentCount(MainWindow& main) {
    int count = 0;
    for (HWND child = ::GetWindow(main.MdiClient(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) ++count;
    return count;
}

bool OverlayShown() {
    RectangleOverlay* overlay = RectangleOverlay::Existing();
    return overlay && overlay->Handle() && ::IsWindowVisible(overlay->Handle());
}

// Nothing started: no new document, no capture waiting, the window shown.
void ExpectNothingStarted(MainWindow& main, int documents) {
    PumpFor(800ms);
    EXPECT_EQ(DocumentCount(main), documents);
    EXPECT_FALSE(main.Timer(MainTimer::EntireScreen).Enabled());
    EXPECT_FALSE(main.Timer(MainTimer::Rectangle).Enabled());
    EXPECT_FALSE(OverlayShown());
}

TEST_F(Hotkeys, AKeyStartsACaptureOnlyWhenNoCaptureOrModalDialogIsUnderWay) {
    HWND frame = Main().Handle();
    ::ShowWindow(frame, SW_MINIMIZE);
    ASSERT_TRUE(Xdotool(L"key ctrl+Print"));
    ASSERT_TRUE(PumpUntil([&] { return DocumentCount(Main()) == 1; }));
    EXPECT_TRUE(::IsWindowVisible(frame));
    EXPECT_FALSE(::IsIconic(frame));

    ASSERT_TRUE(Xdotool(L"key Print"));
    ASSERT_TRUE(PumpUntil(OverlayShown));
    ASSERT_TRUE(Xdotool(L"key Print ctrl+Print alt+Print"));
    PumpFor(800ms);
    EXPECT_TRUE(OverlayShown());
    EXPECT_EQ(DocumentCount(Main()), 1);
    EXPECT_FALSE(Main().Timer(MainTimer::EntireScreen).Enabled());
    ASSERT_TRUE(Xdotool(L"key Escape"));
    ASSERT_TRUE(PumpUntil([&] { return !OverlayShown() && ::IsWindowVisible(frame); }));

    ModalScript script;
    script.Then([&] { return !ThreadDialogs(frame).empty(); })
        .Then([] { return Xdotool(L"key ctrl+Print alt+Print Print"); })
        .Then([&] {
            PumpFor(500ms);
            for (HWND dialog : ThreadDialogs(frame)) ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            return true;
        });
    EXPECT_TRUE(script.Run([&] { Main().ExecuteCommand(ID_HELP_ABOUT); }));
    ExpectNothingStarted(Main(), 1);
}

HWND OptionsDialog() {
    for (HWND dialog : ThreadDialogs()) {
        if (::GetDlgItem(dialog, IDC_OPTIONS_TAB)) return dialog;
    }
    return nullptr;
}

TEST_F(Hotkeys, KeysChangedOnTheirPageWorkAtOnceAndARepeatedKeyIsRefused) {
    HWND dialog = nullptr;
    std::wstring refusal;
    int focusedAfterRefusal = 0;
    bool hotkeyPageShown = false;
    const auto field = [&](int id) { return ::GetDlgItem(dialog, id); };
    ModalScript script;
    script.Then([&] { return (dialog = OptionsDialog()) != nullptr; })
        .Then([&] {
            // The program lets go of its keys, so the field takes them.
            ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field(IDC_HOTKEY_ENTIRE_SCREEN)), TRUE);
            return Xdotool(L"key alt+Print");
        })
        .Then([&] {
            if (LOBYTE(::SendMessageW(field(IDC_HOTKEY_ENTIRE_SCREEN), HKM_GETHOTKEY, 0, 0)) != VK_SNAPSHOT) return false;
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_OK, BN_CLICKED), 0);
            return true;
        })
        .Then([&] {
            HWND box = FindMessageBox();
            if (!box) return false;
            refusal = MessageBoxText(box) + L"|" + WindowText(box);
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            return true;
        })
        .Then([&] {
            if (FindMessageBox()) return false;
            focusedAfterRefusal = ::GetDlgCtrlID(::GetFocus());
            hotkeyPageShown = ::IsWindowVisible(field(IDC_OPTIONS_HOTKEY_PAGE)) && !::IsWindowVisible(field(IDC_OPTIONS_PREFIX));
            ::SendMessageW(field(IDC_HOTKEY_ENTIRE_SCREEN), HKM_SETHOTKEY, MAKEWORD(VK_F9, HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
            ::SendMessageW(field(IDC_HOTKEY_WINDOW_ON), BM_CLICK, 0, 0);
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_OK, BN_CLICKED), 0);
            return true;
        });
    ASSERT_TRUE(script.Run([&] { Main().ExecuteCommand(ID_SETTINGS_OPTIONS); }));
    EXPECT_EQ(refusal, L"两项截图不能使用同一个热键！|Snapora");
    EXPECT_EQ(focusedAfterRefusal, IDC_HOTKEY_ENTIRE_SCREEN);
    EXPECT_TRUE(hotkeyPageShown);
    using namespace hotkey_modifier;
    const CaptureHotkeys expected{kDefaultHotkeys[0], Hotkey{kControl | kShift, VK_F9}, Hotkey{}};
    EXPECT_EQ(Main().Settings().hotkeys, expected);
    EXPECT_EQ(LoadStoredSettings().settings.hotkeys, expected);

    // The old keys and the key turned off do nothing; the new one captures.
    ASSERT_TRUE(Xdotool(L"key ctrl+Print alt+Print"));
    ExpectNothingStarted(Main(), 0);
    ASSERT_TRUE(Xdotool(L"key ctrl+shift+F9"));
    EXPECT_TRUE(PumpUntil([&] { return DocumentCount(Main()) == 1; }));
}

}  // namespace
}  // namespace snapora::test
