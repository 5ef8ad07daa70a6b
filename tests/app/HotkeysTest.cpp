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

// Runs `command`, whose modal loop runs `steps` on the dialog it opens,
// found by its caption; each later step waits for a message box, which is
// answered and remembered.
std::wstring RunWithDialog(MainWindow& main, UINT command, const std::wstring& caption,
                           const std::vector<std::function<void(HWND)>>& steps) {
    std::wstring boxes;
    int boxCount = 0;
    DialogScript script;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        script.Then([&, i] {
            if (HWND box = FindMessageBox()) {
                boxes += MessageBoxText(box) + L"|" + WindowText(box) + L";";
                ++boxCount;
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                return false;
            }
            HWND dialog = FindDialog(caption);
            if (!dialog || boxCount < static_cast<int>(i)) return false;
            steps[i](dialog);
            return true;
        });
    }
    EXPECT_TRUE(script.Run([&] { main.Execute(command); }));
    return boxes;
}

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

    RunWithDialog(Main(), ID_HELP_ABOUT, L"关于", {[](HWND about) {
                      Xdotool(L"key ctrl+Print alt+Print Print");
                      PumpFor(500ms);
                      ::PostMessageW(about, WM_COMMAND, IDOK, 0);
                  }});
    PumpFor(800ms);
    EXPECT_EQ(Documents(Main().MdiClient()), 1);
    EXPECT_FALSE(Main().Timer(MainTimer::EntireScreen).Enabled() || Main().Timer(MainTimer::Rectangle).Enabled());
}

TEST_F(Hotkeys, KeysChangedOnTheirPageWorkAtOnceAndARepeatedKeyIsRefused) {
    int focused = 0;
    const std::wstring boxes = RunWithDialog(
        Main(), ID_SETTINGS_OPTIONS, L"截图选项设置",
        {[](HWND dialog) {
             // The program has let go of its keys, so the field takes them.
             ::SendMessageW(dialog, WM_NEXTDLGCTL, (WPARAM)::GetDlgItem(dialog, IDC_HOTKEY_ENTIRE_SCREEN), TRUE);
             Xdotool(L"key alt+Print");
             PumpUntil([&] { return LOBYTE(::SendDlgItemMessageW(dialog, IDC_HOTKEY_ENTIRE_SCREEN, HKM_GETHOTKEY, 0, 0)) == VK_SNAPSHOT; });
             ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_OK, BN_CLICKED), 0);
         },
         [&](HWND dialog) {
             focused = ::GetDlgCtrlID(::GetFocus());
             ExpectTidyLayout(dialog);  // the refusal shows the key page
             ::SendDlgItemMessageW(dialog, IDC_HOTKEY_ENTIRE_SCREEN, HKM_SETHOTKEY, MAKEWORD(VK_F9, HOTKEYF_SHIFT), 0);
             ::SendDlgItemMessageW(dialog, IDC_HOTKEY_WINDOW_ON, BM_CLICK, 0, 0);
             ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_OK, BN_CLICKED), 0);
         }});
    EXPECT_EQ(boxes, L"两项截图不能使用同一个热键！|Snapora;");
    EXPECT_EQ(focused, IDC_HOTKEY_ENTIRE_SCREEN);
    const CaptureHotkeys expected{kDefaultHotkeys[0], Hotkey{hotkey_modifier::kShift, VK_F9}, Hotkey{}};
    EXPECT_EQ(Main().Settings().hotkeys, expected);
    EXPECT_EQ(LoadStoredSettings().hotkeys, expected);

    ASSERT_TRUE(Xdotool(L"key ctrl+Print alt+Print"));
    PumpFor(800ms);
    EXPECT_EQ(Documents(Main().MdiClient()), 0);
    EXPECT_FALSE(Main().Timer(MainTimer::EntireScreen).Enabled());
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
    RunWithDialog(Main(), ID_SETTINGS_OPTIONS, L"截图选项设置", {[](HWND dialog) {
        ::SetDlgItemTextW(dialog, IDC_OPTIONS_PREFIX, L"截屏_");
        ::SetDlgItemTextW(dialog, IDC_OPTIONS_DURATION, L"0.5");
        ::SendDlgItemMessageW(dialog, IDC_HOTKEY_RECTANGLE_ON, BM_CLICK, 0, 0);
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_OK, BN_CLICKED), 0);
    }});
    const StoredValues applied = StoredFromSettings(Main().Settings());
    Restart(main_, mainWindow_);
    ASSERT_NE(main_, nullptr);
    EXPECT_EQ(StoredFromSettings(Main().Settings()), applied);
    EXPECT_EQ(Main().Settings().automaticPrefix, L"截屏_");
    EXPECT_TRUE(Main().Settings().hotkeys[0].IsNone());
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
    const std::wstring boxes = RunWithDialog(Main(), ID_SETTINGS_OPTIONS, L"截图选项设置", {[](HWND dialog) {
        ::SetDlgItemTextW(dialog, IDC_OPTIONS_PREFIX, L"新前缀");
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_OK, BN_CLICKED), 0);
    }});
    EXPECT_EQ(boxes, L"");
    EXPECT_EQ(Main().Settings().automaticPrefix, L"新前缀");
    ASSERT_TRUE(SetSettingsKeyDacl(nullptr));
    EXPECT_EQ(StoredFromSettings(LoadStoredSettings()), StoredFromSettings(expected));
}

}  // namespace
}  // namespace snapora::test
