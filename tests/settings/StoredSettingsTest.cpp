// The settings kept under HKEY_CURRENT_USER\Software\Snapora: what OK
// writes is there at the next start, bad stored values fall back one by
// one, and a registry that cannot be written changes nothing.
#include <windows.h>
#include <commctrl.h>

#include "app/resource.h"
#include "help/HelpTestSupport.h"
#include "settings/SettingsResource.h"
#include "settings/SettingsStore.h"
#include "support/Processes.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

using namespace std::chrono_literals;
using helpsupport::ModalScript;
using StoredSettings = MainWindowTest;

HWND SnaporaOptions(const ChildProcess& app) {
    HWND frame = nullptr;
    PumpUntil([&] { return (frame = FindProcessWindow(app.Id(), L"SnaporaMainWindow")) && ::IsWindowVisible(frame); }, 20s);
    ::PostMessageW(frame, WM_COMMAND, ID_SETTINGS_OPTIONS, 0);
    HWND dialog = nullptr;
    PumpUntil([&] { return (dialog = FindProcessWindow(app.Id(), L"#32770")) && ::IsWindowVisible(dialog); }, 10s);
    return dialog;
}

std::wstring FieldText(HWND dialog, int id) {
    wchar_t text[64] = {};
    ::SendMessageTimeoutW(::GetDlgItem(dialog, id), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), 0, 2000, nullptr);
    return text;
}

TEST(StoredSettingsProcess, WhatOkAppliedIsThereAtTheNextStart) {
    ForgetStoredSettings();
    const int fields[] = {IDC_OPTIONS_PREFIX, IDC_OPTIONS_INTERVAL, IDC_OPTIONS_DURATION,
                          IDC_OPTIONS_FOLDER, IDC_OPTIONS_AREA_HEIGHT, IDC_OPTIONS_AREA_WIDTH};
    const std::wstring typed[] = {L"截屏_", L"7", L"0.5", L"my pics", L"200", L"320"};
    const WPARAM windowKey = MAKEWORD('W', HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    {
        ChildProcess app(L"Snapora.exe", L"");
        HWND dialog = SnaporaOptions(app);
        ASSERT_NE(dialog, nullptr);
        for (int i = 0; i < 6; ++i) ::SendMessageW(::GetDlgItem(dialog, fields[i]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed[i].c_str()));
        ::SendMessageW(::GetDlgItem(dialog, IDC_HOTKEY_WINDOW), HKM_SETHOTKEY, windowKey, 0);
        ::SendMessageW(::GetDlgItem(dialog, IDC_HOTKEY_RECTANGLE_ON), BM_CLICK, 0, 0);
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_OK, BN_CLICKED), 0);
        ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(dialog); }));
        ::PostMessageW(FindProcessWindow(app.Id(), L"SnaporaMainWindow"), WM_COMMAND, ID_FILE_EXIT, 0);
        ASSERT_TRUE(app.Wait(20s));
    }
    ChildProcess again(L"Snapora.exe", L"");
    HWND dialog = SnaporaOptions(again);
    ASSERT_NE(dialog, nullptr);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(FieldText(dialog, fields[i]), typed[i]);
    EXPECT_EQ(LOWORD(::SendMessageW(::GetDlgItem(dialog, IDC_HOTKEY_WINDOW), HKM_GETHOTKEY, 0, 0)), windowKey);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, IDC_HOTKEY_RECTANGLE_ON), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, IDC_HOTKEY_ENTIRE_SCREEN_ON), BM_GETCHECK, 0, 0), BST_CHECKED);
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    again.Kill();
    ForgetStoredSettings();
}

bool SetKeyDacl(const ACL* dacl) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, WRITE_DAC, &key) != ERROR_SUCCESS) return false;
    SECURITY_DESCRIPTOR descriptor{};
    ::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    ::SetSecurityDescriptorDacl(&descriptor, TRUE, const_cast<ACL*>(dacl), FALSE);
    const bool done = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return done;
}

TEST_F(StoredSettings, BadValuesFallBackOneByOneAndAnUnwritableRegistryChangesNothing) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                nullptr), ERROR_SUCCESS);
    const auto text = [key](const wchar_t* name, const std::wstring& value) {
        ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * 2));
    };
    const auto number = [key](const wchar_t* name, DWORD value) {
        ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    };
    const std::wstring tooLong(101, L'x');
    text(L"AutomaticPrefix", tooLong);   // over-long
    text(L"AutomaticInterval", L"7");    // wrong type
    text(L"AutomaticDuration", L"0.5");
    text(L"AutomaticFolder", L"a|b");    // forbidden folder name
    number(L"PointerAreaHeight", 481);   // out of range
    number(L"PointerAreaWidth", 320);
    number(L"WindowHotkey", 0x657);      // control+shift+W
    ::RegCloseKey(key);

    ::DestroyWindow(Main().Handle());
    PumpFor(50ms);  // takes the quit that the closing window posted
    main_ = MainWindow::Create(::GetModuleHandleW(nullptr));
    ASSERT_NE(main_, nullptr);
    main_->Show(SW_SHOWNORMAL);
    const CaptureSettings& settings = Main().Settings();
    EXPECT_EQ(settings.automaticPrefix, L"Automatic");
    EXPECT_EQ(Main().Timer(MainTimer::Automatic).Interval(), 10000u);
    EXPECT_EQ(settings.automaticDuration, 30.0f);
    EXPECT_EQ(settings.automaticFolder, L"CapPicture");
    EXPECT_EQ(settings.pointerAreaHeight, 120);
    EXPECT_EQ(settings.pointerAreaWidth, 320.0f);
    EXPECT_EQ(settings.hotkeys[0], kDefaultHotkeys[0]);
    EXPECT_EQ(settings.hotkeys[2], (Hotkey{hotkey_modifier::kControl | hotkey_modifier::kShift, 'W'}));

    // No access at all: OK still applies in memory and says nothing.
    ACL denyAll{};
    ::InitializeAcl(&denyAll, sizeof(denyAll), ACL_REVISION);
    ASSERT_TRUE(SetKeyDacl(&denyAll));
    bool messageShown = false;
    ModalScript script;
    script.Then([] {
              HWND dialog = helpsupport::FindThreadDialog(L"截图选项设置");
              if (!dialog) return false;
              ::SetDlgItemTextW(dialog, IDC_OPTIONS_PREFIX, L"新前缀");
              ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_OK, BN_CLICKED), 0);
              return true;
          })
        .Then([&] {
            messageShown = messageShown || FindMessageBox();
            return false;
        });
    script.RunDuring([&] { Main().ExecuteCommand(ID_SETTINGS_OPTIONS); });
    EXPECT_FALSE(messageShown);
    EXPECT_EQ(Main().Settings().automaticPrefix, L"新前缀");
    ASSERT_TRUE(SetKeyDacl(nullptr));
    EXPECT_EQ(LoadStoredSettings().settings.pointerAreaWidth, 320.0f);  // as it was
    EXPECT_EQ(LoadStoredSettings().settings.automaticPrefix, L"Automatic");
}

}  // namespace
}  // namespace snapora::test
