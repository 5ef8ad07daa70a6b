// The icon in the notification area, driven as the shell drives it, and
// the start with Windows as the Run value the system reads at log-on.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "app/NotificationIcon.h"
#include "frame/ResourceIds.h"
#include "pin/PinWindow.h"
#include "settings/SettingsResource.h"
#include "settings/SettingsStore.h"
#include "settings/StartWithWindows.h"
#include "support/Dialogs.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/Processes.h"
#include "support/Registry.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

using namespace std::chrono_literals;

// Asks the shell itself: only an icon it holds can be changed.
bool ShellHoldsIcon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = kNotificationIconId;
    return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// Sets the two check boxes of the page "常规" and presses OK.
void ApplyGeneralOptions(MainWindow& main, bool icon, bool start) {
    DialogScript script({[icon, start] {
        HWND dialog = FindDialogWith(IDC_OPTIONS_NOTIFICATION_ICON);
        if (!dialog) return false;
        ::CheckDlgButton(dialog, IDC_OPTIONS_NOTIFICATION_ICON, icon ? BST_CHECKED : BST_UNCHECKED);
        ::CheckDlgButton(dialog, IDC_OPTIONS_START_WITH_WINDOWS, start ? BST_CHECKED : BST_UNCHECKED);
        Press(dialog, IDC_OPTIONS_OK);
        return true;
    }});
    main.Execute(ID_SETTINGS_OPTIONS);
    EXPECT_TRUE(script.Finished());
}

void SendIconEvent(HWND window, UINT mouseMessage) {
    ::PostMessageW(window, kNotificationIconMessage, kNotificationIconId, mouseMessage);
}

class NotificationArea : public MainWindowTest {
protected:
    void TearDown() override {
        PinWindow::CloseAll();
        MainWindowTest::TearDown();
    }
    RegistryValueOverride run_{HKEY_CURRENT_USER, kRunKeyPath, kRunValueName};
};

TEST_F(NotificationArea, TheIconComesWithTheOptionHidesTheMinimisedWindowAndGoesAgain) {
    EXPECT_FALSE(Main().Icon().Shown());
    EXPECT_FALSE(ShellHoldsIcon(mainWindow_));
    ApplyGeneralOptions(Main(), true, false);
    ASSERT_TRUE(Main().Icon().Shown());
    EXPECT_TRUE(ShellHoldsIcon(mainWindow_));
    EXPECT_TRUE(LoadStoredSettings().notificationIcon);
    // The tooltip names the keys that capture; pinning has none yet.
    const std::wstring& tip = Main().Icon().Tooltip();
    EXPECT_EQ(tip.rfind(L"Snapora\n", 0), 0u) << tip.c_str();
    for (const wchar_t* row : {L"矩形区域: ", L"整个屏幕: Ctrl+", L"选择窗体: Alt+"}) {
        EXPECT_NE(tip.find(row), std::wstring::npos) << row;
    }
    EXPECT_EQ(tip.find(L"贴图"), std::wstring::npos);

    // Minimised, the window leaves the task bar; a click on the icon, as
    // the shell reports it, brings it back in front.
    ::ShowWindow(mainWindow_, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(mainWindow_); }));
    EXPECT_TRUE(::IsIconic(mainWindow_));
    SendIconEvent(mainWindow_, WM_LBUTTONUP);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(mainWindow_) && !::IsIconic(mainWindow_); }));
    EXPECT_EQ(::GetForegroundWindow(), mainWindow_);

    // Explorer restarted: its icons are gone, and this one comes back.
    NOTIFYICONDATAW gone{};
    gone.cbSize = sizeof(gone);
    gone.hWnd = mainWindow_;
    gone.uID = kNotificationIconId;
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &gone));
    ASSERT_FALSE(ShellHoldsIcon(mainWindow_));
    ::SendMessageW(mainWindow_, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(ShellHoldsIcon(mainWindow_));

    ApplyGeneralOptions(Main(), false, false);
    EXPECT_FALSE(Main().Icon().Shown());
    EXPECT_FALSE(ShellHoldsIcon(mainWindow_));
    EXPECT_FALSE(LoadStoredSettings().notificationIcon);
    // Without the icon, a minimised window stays on the task bar.
    ::ShowWindow(mainWindow_, SW_MINIMIZE);
    PumpFor(100ms);
    EXPECT_TRUE(::IsWindowVisible(mainWindow_));
}

TEST_F(NotificationArea, TheRightClickMenuPinsTheLastCaptureAndExits) {
    ApplyGeneralOptions(Main(), true, false);
    MoveMouse(500, 400);
    // Without a capture, its 贴图 is grey: the menu is closed unused.
    UINT state = 0;
    DialogScript look({[&state] {
        HWND menu = ::FindWindowW(L"#32768", nullptr);
        if (!menu || !::IsWindowVisible(menu)) return false;
        state = ::GetMenuState(reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0)), ID_PIN_LAST_CAPTURE,
                               MF_BYCOMMAND);
        PressKey(VK_ESCAPE);
        return true;
    }});
    ASSERT_TRUE(look.Run([&] { SendIconEvent(mainWindow_, WM_RBUTTONUP); }));
    EXPECT_NE(state & MF_GRAYED, 0u);
    ASSERT_NE(OpenPictureDocument(Main(), PatternPicture(40, 30)), nullptr);
    DialogScript pin({ChooseMenuItem(ID_PIN_LAST_CAPTURE)});
    ASSERT_TRUE(pin.Run([&] { SendIconEvent(mainWindow_, WM_RBUTTONUP); }));
    ASSERT_TRUE(PumpUntil([] { return PinWindow::All().size() == 1; }));

    DialogScript exit({ChooseMenuItem(ID_FILE_EXIT)});
    ASSERT_TRUE(exit.Run([&] { SendIconEvent(mainWindow_, WM_RBUTTONUP); }));
    ASSERT_TRUE(PumpUntil([] { return QuitPosted(); }));
    // The icon and the pins end with the program.
    EXPECT_FALSE(ShellHoldsIcon(mainWindow_));
    EXPECT_TRUE(PinWindow::All().empty());
}

TEST_F(NotificationArea, StartWithWindowsWritesTheQuotedProgramWithItsSwitchAndRemovesIt) {
    run_.Remove();
    ApplyGeneralOptions(Main(), false, true);
    wchar_t program[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
    wchar_t value[2 * MAX_PATH] = {};
    DWORD size = sizeof(value);
    DWORD type = 0;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kRunKeyPath, kRunValueName, RRF_RT_ANY | RRF_NOEXPAND, &type, value,
                             &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(value), L"\"" + std::wstring(program) + L"\" /tray");
    // The dialog shows what the registry holds.
    EXPECT_TRUE(LoadStoredSettings().startWithWindows);

    ApplyGeneralOptions(Main(), false, false);
    size = sizeof(value);
    EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kRunKeyPath, kRunValueName, RRF_RT_ANY, nullptr, value, &size),
              ERROR_FILE_NOT_FOUND);
}

// The start the Run value makes: minimised into the notification area, and
// out again with a click on the icon.
TEST(SnaporaProcess, StartsInTheNotificationAreaWithTheSwitch) {
    ForgetStoredSettings();
    RegistryValueOverride icon(HKEY_CURRENT_USER, kSettingsKeyPath, L"NotificationIcon");
    const DWORD on = 1;
    ASSERT_TRUE(icon.SetRaw(REG_DWORD, &on, sizeof(on)));
    ChildProcess app(L"Snapora.exe", L"/tray");
    HWND frame = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (frame = FindProcessWindow(app.Id(), L"SnaporaMainWindow")) != nullptr; }, 20s));
    ASSERT_TRUE(PumpUntil([&] { return ShellHoldsIcon(frame); }, 20s));
    PumpFor(300ms);
    EXPECT_FALSE(::IsWindowVisible(frame));
    EXPECT_TRUE(::IsIconic(frame));
    // Started again at log-on while it runs: the second copy ends at once
    // (a program of its own would wait in its message loop), and the first
    // stays where it waits.
    const ProgramRun again = RunCapturingOutput(L"Snapora.exe", L"/tray", 20s);
    EXPECT_EQ(again.exitCode, 0u);
    EXPECT_TRUE(again.error.empty()) << again.error;
    EXPECT_FALSE(::IsWindowVisible(frame));
    SendIconEvent(frame, WM_LBUTTONUP);
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(frame) && !::IsIconic(frame); }, 20s));
    ::PostMessageW(frame, WM_COMMAND, ID_FILE_EXIT, 0);
    EXPECT_TRUE(app.Wait(20s));
    ForgetStoredSettings();
}

}  // namespace
}  // namespace snapora::test
