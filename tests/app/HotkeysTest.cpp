// The capture keys of this process's main window, pressed on the X
// display, and the settings stored for the next start.
#include <windows.h>
#include <commctrl.h>

#include "app/resource.h"
#include "capture/RectangleOverlay.h"
#include "settings/SettingsResource.h"
#include "settings/SettingsStore.h"
#include "support/Dialogs.h"
#include "support/Input.h"
#include "support/Registry.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

using namespace std::chrono_literals;
using Hotkeys = MainWindowTest;

int Documents(HWND mdiClient) {
    int count = 0;
    for (HWND child = ::GetWindow(mdiClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) ++count;
    return count;
}

bool OverlayShown() {
    RectangleOverlay* overlay = RectangleOverlay::Find();
    return overlay && overlay->Handle() && ::IsWindowVisible(overlay->Handle());
}

// A step that acts on the dialog captioned `caption` once it shows.
DialogScript::Step InDialog(const wchar_t* caption, std::function<void(HWND)> act) {
    return [caption, act] {
        HWND dialog = FindDialog(caption);
        if (dialog && !FindMessageBox()) act(dialog);
        return dialog && !FindMessageBox();
    };
}

constexpr wchar_t kOptions[] = L"截图选项设置";

TEST_F(Hotkeys, AKeyCapturesOnlyWhenNoCaptureOrModalDialogIsUnderWay) {
    ::ShowWindow(mainWindow_, SW_MINIMIZE);
    ASSERT_TRUE(Xdotool(L"key ctrl+Print"));
    ASSERT_TRUE(PumpUntil([&] { return Documents(Main().MdiClient()) == 1; }));
    EXPECT_TRUE(::IsWindowVisible(mainWindow_) && !::IsIconic(mainWindow_));

    ASSERT_TRUE(Xdotool(L"key Print"));
    ASSERT_TRUE(PumpUntil(OverlayShown));
    ASSERT_TRUE(Xdotool(L"key Print ctrl+Print alt+Print"));
    PumpFor(800ms);
    EXPECT_TRUE(OverlayShown());
    ASSERT_TRUE(Xdotool(L"key Escape"));
    ASSERT_TRUE(PumpUntil([&] { return !OverlayShown() && ::IsWindowVisible(mainWindow_); }));

    DialogScript about({InDialog(L"关于", [](HWND dialog) {
        Xdotool(L"key ctrl+Print alt+Print Print");
        PumpFor(500ms);
        Press(dialog, IDOK);
    })});
    EXPECT_TRUE(about.Run([&] { Main().Execute(ID_HELP_ABOUT); }));
    PumpFor(800ms);
    EXPECT_EQ(Documents(Main().MdiClient()), 1);
    EXPECT_FALSE(Capture().Timer(CaptureTimer::EntireScreen).Enabled() || Capture().Timer(CaptureTimer::Rectangle).Enabled());
}

TEST_F(Hotkeys, KeysChangedOnTheirPageWorkAtOnceAndARepeatedKeyIsRefused) {
    int focused = 0;
    SeenBox refusal;
    DialogScript script({InDialog(kOptions, [](HWND dialog) {
                             // The program has let go of its keys, so the field takes them.
                             HWND field = ::GetDlgItem(dialog, IDC_HOTKEY_ENTIRE_SCREEN);
                             ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
                             Xdotool(L"key alt+Print");
                             PumpUntil([&] { return LOBYTE(::SendMessageW(field, HKM_GETHOTKEY, 0, 0)) == VK_SNAPSHOT; });
                             Press(dialog, IDC_OPTIONS_OK);
                         }),
                         AnswerMessageBox(IDOK, &refusal), InDialog(kOptions, [&](HWND dialog) {
                             focused = ::GetDlgCtrlID(::GetFocus());
                             ExpectTidyLayout(dialog);  // the refusal shows the key page
                             ::SendDlgItemMessageW(dialog, IDC_HOTKEY_ENTIRE_SCREEN, HKM_SETHOTKEY, MAKEWORD(VK_F9, HOTKEYF_SHIFT), 0);
                             ::SendDlgItemMessageW(dialog, IDC_HOTKEY_WINDOW_ON, BM_CLICK, 0, 0);
                             Press(dialog, IDC_OPTIONS_OK);
                         })});
    ASSERT_TRUE(script.Run([&] { Main().Execute(ID_SETTINGS_OPTIONS); }));
    EXPECT_EQ(refusal.text + L"|" + refusal.title, L"两项截图不能使用同一个热键！|Snapora");
    EXPECT_EQ(focused, IDC_HOTKEY_ENTIRE_SCREEN);
    const CaptureHotkeys expected{kDefaultHotkeys[0], Hotkey{hotkey_modifier::kShift, VK_F9}, Hotkey{}};
    EXPECT_EQ(Main().Settings().hotkeys, expected);
    EXPECT_EQ(LoadStoredSettings().hotkeys, expected);

    ASSERT_TRUE(Xdotool(L"key ctrl+Print alt+Print"));
    PumpFor(800ms);
    EXPECT_EQ(Documents(Main().MdiClient()), 0);
    EXPECT_FALSE(Capture().Timer(CaptureTimer::EntireScreen).Enabled());
    ASSERT_TRUE(Xdotool(L"key shift+F9"));
    EXPECT_TRUE(PumpUntil([&] { return Documents(Main().MdiClient()) == 1; }));
}

bool SetSettingsKeyDacl(const ACL* dacl) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, WRITE_DAC, &key) != ERROR_SUCCESS) return false;
    SECURITY_DESCRIPTOR descriptor{};
    ::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    ::SetSecurityDescriptorDacl(&descriptor, TRUE, const_cast<ACL*>(dacl), FALSE);
    const bool done = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return done;
}

using StoredSettings = MainWindowTest;

// A new start of the main window, reading the stored settings.
void Restart(MainWindow*& main, HWND& window) {
    ::DestroyWindow(window);
    PumpFor(50ms);  // takes the quit the closing window posted
    main = MainWindow::Create(::GetModuleHandleW(nullptr));
    window = main ? main->Handle() : nullptr;
}

TEST_F(StoredSettings, WhatOkAppliedIsThereAfterARestart) {
    DialogScript script({InDialog(kOptions, [](HWND dialog) {
        ::SetDlgItemTextW(dialog, IDC_OPTIONS_PREFIX, L"截屏_");
        ::SetDlgItemTextW(dialog, IDC_OPTIONS_DURATION, L"0.5");
        ::SendDlgItemMessageW(dialog, IDC_HOTKEY_RECTANGLE_ON, BM_CLICK, 0, 0);
        ::SendDlgItemMessageW(dialog, IDC_OPTIONS_RANGE, CB_SETCURSEL, 1, 0);
        Press(dialog, IDC_OPTIONS_OK);
    })});
    ASSERT_TRUE(script.Run([&] { Main().Execute(ID_SETTINGS_OPTIONS); }));
    const StoredValues applied = StoredFromSettings(Main().Settings());
    Restart(main_, mainWindow_);
    ASSERT_NE(main_, nullptr);
    EXPECT_EQ(StoredFromSettings(Main().Settings()), applied);
    EXPECT_EQ(Main().Settings().automaticPrefix, L"截屏_");
    EXPECT_TRUE(Main().Settings().hotkeys[0].IsNone());
    EXPECT_EQ(Main().Settings().screenRange, ScreenRange::AllMonitors);
}

TEST_F(StoredSettings, BadValuesFallBackOneByOneAndAnUnwritableKeyChangesNothing) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const auto put = [key](const wchar_t* name, DWORD type, const void* data, std::size_t size) {
        EXPECT_EQ(::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size)),
                  ERROR_SUCCESS);
    };
    const std::wstring tooLong(101, L'x');
    const DWORD height = 481;
    const DWORD width = 320;
    const DWORD windowKey = 0x657;  // control+shift+W
    put(L"AutomaticPrefix", REG_SZ, tooLong.c_str(), (tooLong.size() + 1) * 2);
    put(L"AutomaticInterval", REG_SZ, L"7", 4);  // of the wrong type
    put(L"AutomaticDuration", REG_SZ, L"0.5", 8);
    put(L"AutomaticFolder", REG_SZ, L"a|b", 8);
    put(L"PointerAreaHeight", REG_DWORD, &height, 4);
    put(L"PointerAreaWidth", REG_DWORD, &width, 4);
    put(L"WindowHotkey", REG_DWORD, &windowKey, 4);
    ::RegCloseKey(key);
    Restart(main_, mainWindow_);
    ASSERT_NE(main_, nullptr);

    CaptureSettings expected;
    expected.automaticDuration = 30;
    expected.pointerAreaWidth = 320;
    expected.hotkeys[2] = {hotkey_modifier::kControl | hotkey_modifier::kShift, 'W'};
    EXPECT_EQ(StoredFromSettings(Main().Settings()), StoredFromSettings(expected));

    // No access at all: OK applies in memory and says nothing.
    ACL denyAll{};
    ::InitializeAcl(&denyAll, sizeof(denyAll), ACL_REVISION);
    ASSERT_TRUE(SetSettingsKeyDacl(&denyAll));
    DialogScript script({InDialog(kOptions, [](HWND dialog) {
        ::SetDlgItemTextW(dialog, IDC_OPTIONS_PREFIX, L"新前缀");
        Press(dialog, IDC_OPTIONS_OK);
    })});
    // Nothing is said: a message box after OK would keep the script waiting
    // until it times out and fails with the box's text.
    ASSERT_TRUE(script.Run([&] { Main().Execute(ID_SETTINGS_OPTIONS); }));
    EXPECT_EQ(Main().Settings().automaticPrefix, L"新前缀");
    ASSERT_TRUE(SetSettingsKeyDacl(nullptr));
    EXPECT_EQ(StoredFromSettings(LoadStoredSettings()), StoredFromSettings(expected));
}

}  // namespace
}  // namespace snapora::test
