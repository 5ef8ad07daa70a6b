// The about box: what it shows, how it closes, and how it finds the
// system-information tool.
#include <windows.h>

#include <array>
#include <cstdlib>
#include <string>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "app/resource.h"
#include "help/AboutDialog.h"
#include "help/HelpResource.h"
#include "help/logic/SysInfoLocation.h"
#include "support/Dialogs.h"
#include "support/Files.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/Registry.h"
#include "support/UiTest.h"
#include "win32/Screen.h"

namespace snapora::test {
namespace {

using AboutBox = MainWindowTest;

constexpr wchar_t kUnavailable[] = L"System Information Is Unavailable At This Time";

HWND FindAbout(HWND owner) { return FindDialog(L"关于", owner); }

// The stand-in system-information program built beside the tests.
std::wstring ProbeProgramPath() { return ProgramFolderForTests() + L"\\snapora_sysinfo_probe.exe"; }

// What a started copy of the probe wrote beside itself, if it ran.
std::optional<std::string> ProbeReport(const std::wstring& programPath) {
    const std::string text = ReadWholeFile(programPath + L".ran");
    // The probe may still be writing: only a whole line counts.
    if (text.empty() || text.back() != '\n') return std::nullopt;
    return text;
}

TEST_F(AboutBox, ShowsTitleVersionAndEveryControlInItsPlace) {
    ExpectTheRunsDpi();
    const int dpiX = win32::ScreenDpiX();
    const int dpiY = win32::ScreenDpiY();
    auto px = [&](int twips) { return ::MulDiv(twips, dpiX, 1440); };
    auto py = [&](int twips) { return ::MulDiv(twips, dpiY, 1440); };
    HWND about = nullptr;
    DialogScript script;
    script.Then([&] { return (about = FindAbout(Main().Handle())) != nullptr; })
        .Then([&] {
            EXPECT_EQ(WindowText(::GetDlgItem(about, IDC_ABOUT_TITLE)), L"Snapora");
            EXPECT_EQ(WindowText(::GetDlgItem(about, IDC_ABOUT_VERSION)), L"Version 2.0.0");
            EXPECT_EQ(WindowText(::GetDlgItem(about, IDC_ABOUT_DESCRIPTION)),
                      L"屏幕截图软件，可以截取全屏、可以捕获窗体、可以捕获矩形区域、可以光标点取、也可以后台自动连续截图，"
                      L"支持相关文件操作，同时提供多文档管理方式。");
            EXPECT_FALSE(WindowText(::GetDlgItem(about, IDC_ABOUT_DISCLAIMER)).empty());
            EXPECT_EQ(WindowText(::GetDlgItem(about, IDOK)), L"OK");
            EXPECT_EQ(WindowText(::GetDlgItem(about, IDC_ABOUT_SYSINFO)), L"&System Info...");
            EXPECT_NE(::SendDlgItemMessageW(about, IDC_ABOUT_ICON, STM_GETICON, 0, 0), 0);

            // A fixed, owned box: no sizing, no minimise or maximise, no task bar button.
            const auto style = ::GetWindowLongPtrW(about, GWL_STYLE);
            const auto exStyle = ::GetWindowLongPtrW(about, GWL_EXSTYLE);
            EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
            EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
            EXPECT_EQ(::GetWindow(about, GW_OWNER), Main().Handle());
            EXPECT_FALSE(::IsWindowEnabled(Main().Handle())) << "modal";

            // Sized for this DPI, with every control inside and readable.
            RECT client{};
            ::GetClientRect(about, &client);
            EXPECT_EQ(client.right, px(5865));
            EXPECT_EQ(client.bottom, py(3525));
            ExpectTidyLayout(about);

            // Centred on the main window.
            RECT box{};
            RECT owner{};
            ::GetWindowRect(about, &box);
            ::GetWindowRect(Main().Handle(), &owner);
            EXPECT_LE(std::abs((box.left + box.right) - (owner.left + owner.right)), 2);
            EXPECT_LE(std::abs((box.top + box.bottom) - (owner.top + owner.bottom)), 2);

            // OK first and default, then System Info.
            HWND ok = ::GetDlgItem(about, IDOK);
            HWND sysInfo = ::GetDlgItem(about, IDC_ABOUT_SYSINFO);
            EXPECT_EQ(::GetFocus(), ok);
            EXPECT_EQ(LOWORD(::SendMessageW(about, DM_GETDEFID, 0, 0)), IDOK);
            EXPECT_EQ(::GetNextDlgTabItem(about, ok, FALSE), sysInfo);
            EXPECT_EQ(::GetNextDlgTabItem(about, sysInfo, FALSE), ok);

            // The title: 12 pt bold, dark red; the other labels keep black.
            HWND title = ::GetDlgItem(about, IDC_ABOUT_TITLE);
            LOGFONTW font{};
            EXPECT_TRUE(::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(title, WM_GETFONT, 0, 0)), sizeof(font),
                                     &font));
            EXPECT_GE(font.lfWeight, FW_BOLD);
            EXPECT_EQ(font.lfHeight, -::MulDiv(12, dpiY, 72));
            EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
            HDC dc = ::GetDC(title);
            ::SendMessageW(about, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(title));
            EXPECT_EQ(::GetTextColor(dc), RGB(0xC0, 0x00, 0x00));
            ::SetTextColor(dc, RGB(0, 0, 0));
            HWND version = ::GetDlgItem(about, IDC_ABOUT_VERSION);
            ::SendMessageW(about, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(version));
            EXPECT_EQ(::GetTextColor(dc), RGB(0, 0, 0));
            ::ReleaseDC(title, dc);

            // The etched separator: a grey line over a white one.
            ::RedrawWindow(about, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            POINT at{px(3000), py(2430)};
            ::ClientToScreen(about, &at);
            const auto pixels = ReadScreen(RECT{at.x, at.y - 1, at.x + 1, at.y + 4});
            EXPECT_EQ(pixels.size(), 5u);
            if (pixels.size() == 5) {
                EXPECT_NE(pixels[0], 0x808080u);
                EXPECT_EQ(pixels[1], 0x808080u);
                EXPECT_EQ(pixels[2], 0xFFFFFFu);
                EXPECT_EQ(pixels[3], 0xFFFFFFu);
                EXPECT_NE(pixels[4], 0xFFFFFFu);
            }
            ::PostMessageW(about, WM_COMMAND, IDOK, 0);
            return true;
        })
        .Then([&] { return !::IsWindow(about); });
    EXPECT_TRUE(script.Run([&] { Main().Execute(ID_HELP_ABOUT); }));
    EXPECT_TRUE(::IsWindowEnabled(Main().Handle()));
}

TEST_F(AboutBox, EnterAndEscapeBothCloseIt) {
    for (WORD key : {WORD{VK_RETURN}, WORD{VK_ESCAPE}}) {
        SCOPED_TRACE(testing::Message() << "key " << key);
        HWND about = nullptr;
        DialogScript script;
        script.Then([&] { return (about = FindAbout(Main().Handle())) != nullptr; })
            .Then([&] {
                HWND focus = ::GetFocus();
                EXPECT_TRUE(focus && ::IsChild(about, focus));
                PressKey(key);
                return true;
            })
            .Then([&] { return !::IsWindow(about); });
        EXPECT_TRUE(script.Run([&] { Main().Execute(ID_HELP_ABOUT); }));
    }
}

// The about box with the system-information button pressed once registry
// and files are ready; `whileOpen` checks what happened.
bool PressSystemInfo(MainWindow& main, const std::function<bool(HWND about)>& whileOpen) {
    HWND about = nullptr;
    DialogScript script;
    script.Then([&] { return (about = FindAbout(main.Handle())) != nullptr; })
        .Then([&] {
            Press(about, IDC_ABOUT_SYSINFO);
            return true;
        })
        .Then([&] { return whileOpen(about); })
        .Then([&] {
            ::PostMessageW(about, WM_COMMAND, IDOK, 0);
            return true;
        })
        .Then([&] { return !::IsWindow(about); });
    return script.Run([&] { main.Execute(ID_HELP_ABOUT); });
}

void ExpectStartedInANormalWindow(const std::string& report) {
    const auto flagsAt = report.find("flags=");
    const auto showAt = report.find(" show=");
    ASSERT_TRUE(flagsAt != std::string::npos && showAt != std::string::npos) << report;
    const unsigned long flags = std::stoul(report.substr(flagsAt + 6));
    const unsigned long show = std::stoul(report.substr(showAt + 6));
    EXPECT_TRUE(flags & STARTF_USESHOWWINDOW) << report;
    EXPECT_EQ(show, static_cast<unsigned long>(SW_SHOWNORMAL)) << report;
}

TEST_F(AboutBox, SystemInfoStartsTheProgramAtTheFullPathFirst) {
    // A folder and file name outside ASCII must survive the registry read.
    ScratchFolder folder(L"snapora 系统信息");
    ScratchFolder other(L"snapora msinfo");
    ASSERT_TRUE(folder.Valid() && other.Valid());
    const std::wstring first = folder.Path() + L"\\工具.exe";
    const std::wstring second = other.Path() + L"\\MSINFO32.EXE";
    ASSERT_TRUE(::CopyFileW(ProbeProgramPath().c_str(), first.c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(ProbeProgramPath().c_str(), second.c_str(), FALSE));
    RegistryValueOverride path(HKEY_LOCAL_MACHINE, kSysInfoPathKey, kSysInfoPathValue);
    RegistryValueOverride location(HKEY_LOCAL_MACHINE, kSysInfoFolderKey, kSysInfoFolderValue);
    ASSERT_TRUE(path.SetString(first));
    ASSERT_TRUE(location.SetString(other.Path()));

    std::optional<std::string> report;
    EXPECT_TRUE(PressSystemInfo(Main(), [&](HWND about) {
        EXPECT_EQ(FindMessageBox(about), nullptr);
        report = ProbeReport(first);
        return report.has_value();
    }));
    ASSERT_TRUE(report.has_value());
    ExpectStartedInANormalWindow(*report);
    EXPECT_FALSE(ProbeReport(second).has_value()) << "the folder is not consulted";
}

TEST_F(AboutBox, SystemInfoFallsBackToMsinfo32InTheNamedFolder) {
    ScratchFolder folder(L"snapora msinfo folder");
    ASSERT_TRUE(folder.Valid());
    const std::wstring program = folder.Path() + L"\\MSINFO32.EXE";
    ASSERT_TRUE(::CopyFileW(ProbeProgramPath().c_str(), program.c_str(), FALSE));
    RegistryValueOverride path(HKEY_LOCAL_MACHINE, kSysInfoPathKey, kSysInfoPathValue);
    RegistryValueOverride location(HKEY_LOCAL_MACHINE, kSysInfoFolderKey, kSysInfoFolderValue);
    path.Remove();
    ASSERT_TRUE(location.SetString(folder.Path()));

    std::optional<std::string> report;
    EXPECT_TRUE(PressSystemInfo(Main(), [&](HWND about) {
        EXPECT_EQ(FindMessageBox(about), nullptr);
        report = ProbeReport(program);
        return report.has_value();
    }));
    ASSERT_TRUE(report.has_value());
    ExpectStartedInANormalWindow(*report);
}

TEST_F(AboutBox, SystemInfoSaysItIsUnavailableAndTheBoxStaysOpen) {
    ScratchFolder empty(L"snapora no msinfo");
    ASSERT_TRUE(empty.Valid());
    RegistryValueOverride path(HKEY_LOCAL_MACHINE, kSysInfoPathKey, kSysInfoPathValue);
    RegistryValueOverride location(HKEY_LOCAL_MACHINE, kSysInfoFolderKey, kSysInfoFolderValue);
    path.Remove();
    ASSERT_TRUE(location.SetString(empty.Path()));

    HWND about = nullptr;
    HWND message = nullptr;
    int answered = 0;
    // Presses the button (or its access key), reads and answers the message,
    // and checks that the about box is still there.
    auto expectUnavailable = [&](DialogScript& script, bool byAccessKey) {
        script
            .Then([&, byAccessKey] {
                if (byAccessKey) {
                    ::PostMessageW(::GetFocus(), WM_SYSCHAR, L's', 1 << 29);
                } else {
                    Press(about, IDC_ABOUT_SYSINFO);
                }
                return true;
            })
            .Then([&] { return (message = FindMessageBox(about)) != nullptr; })
            .Then([&] {
                EXPECT_EQ(MessageBoxText(message), kUnavailable);
                EXPECT_EQ(WindowText(message), L"Snapora");
                EXPECT_NE(::GetDlgItem(message, IDOK), nullptr);
                EXPECT_EQ(::GetDlgItem(message, IDCANCEL), nullptr);
                ::PostMessageW(message, WM_COMMAND, IDOK, 0);
                return true;
            })
            .Then([&] {
                if (::IsWindow(message)) return false;
                EXPECT_TRUE(::IsWindow(about) && ::IsWindowVisible(about));
                ++answered;
                return true;
            });
    };

    DialogScript script;
    script.Then([&] { return (about = FindAbout(Main().Handle())) != nullptr; });
    expectUnavailable(script, false);  // only the folder, and no MSINFO32.EXE in it
    script.Then([&] {
        location.Remove();  // neither value
        return true;
    });
    expectUnavailable(script, true);
    script.Then([&] {
        // A full path that names nothing: starting it fails.
        return path.SetString(empty.Path() + L"\\missing.exe");
    });
    expectUnavailable(script, false);
    script.Then([&] {
        ::PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    script.Then([&] { return !::IsWindow(about); });
    EXPECT_TRUE(script.Run([&] { Main().Execute(ID_HELP_ABOUT); }));
    EXPECT_EQ(answered, 3);
}

using AboutRegistry = ::testing::Test;

TEST_F(AboutRegistry, GetKeyValueReadsOnlyTextAndReadsAllOfIt) {
    const std::wstring key = L"Software\\Snapora Tests\\About";
    RegistryValueOverride chinese(HKEY_CURRENT_USER, key, L"chinese");
    RegistryValueOverride number(HKEY_CURRENT_USER, key, L"number");
    RegistryValueOverride longText(HKEY_CURRENT_USER, key, L"long");
    RegistryValueOverride embedded(HKEY_CURRENT_USER, key, L"embedded");
    RegistryValueOverride expandable(HKEY_CURRENT_USER, key, L"expandable");

    ASSERT_TRUE(chinese.SetString(L"D:\\系统工具\\信息.exe"));
    const DWORD dword = 7;
    ASSERT_TRUE(number.SetRaw(REG_DWORD, &dword, sizeof(dword)));
    ASSERT_TRUE(expandable.SetString(L"%SystemRoot%\\msinfo32.exe", REG_EXPAND_SZ));
    const std::wstring many(3000, L'字');
    ASSERT_TRUE(longText.SetString(many));
    ASSERT_TRUE(embedded.SetRaw(REG_SZ, L"C:\\a.exe\0junk", 13 * sizeof(wchar_t)));

    std::wstring value = L"stale";
    EXPECT_TRUE(AboutDialog::GetKeyValue(HKEY_CURRENT_USER, key, L"chinese", value));
    EXPECT_EQ(value, L"D:\\系统工具\\信息.exe");
    EXPECT_TRUE(AboutDialog::GetKeyValue(HKEY_CURRENT_USER, key, L"long", value));
    EXPECT_EQ(value, many);
    EXPECT_TRUE(AboutDialog::GetKeyValue(HKEY_CURRENT_USER, key, L"embedded", value));
    EXPECT_EQ(value, L"C:\\a.exe");

    // Anything but plain text, and anything missing, reads as nothing.
    for (const auto& [path, name] : std::array<std::pair<std::wstring, const wchar_t*>, 4>{
             {{key, L"number"}, {key, L"expandable"}, {key, L"absent"}, {key + L"\\Nowhere", L"chinese"}}}) {
        value = L"stale";
        EXPECT_FALSE(AboutDialog::GetKeyValue(HKEY_CURRENT_USER, path, name, value)) << name;
        EXPECT_EQ(value, L"") << name;
    }
}

}  // namespace
}  // namespace snapora::test
