// The built Snapora.exe as a separate process: one copy at a time, and the
// ways it ends.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "app/resource.h"
#include "support/Files.h"
#include "support/Pixels.h"
#include "support/Processes.h"
#include "support/UiTest.h"
#include "win32/StatusBarControl.h"

namespace snapora::test {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kMainClass[] = L"SnaporaMainWindow";

HWND WaitForMainWindow(const ChildProcess& process) {
    HWND window = nullptr;
    PumpUntil([&] {
        window = FindProcessWindow(process.Id(), kMainClass);
        return window && ::IsWindowVisible(window);
    }, 20s);
    return window;
}

HWND MdiClientOf(HWND frame) { return ::FindWindowExW(frame, nullptr, L"MDICLIENT", nullptr); }

int ChildCount(HWND frame) {
    int count = 0;
    for (HWND child = ::GetWindow(MdiClientOf(frame), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        ++count;
    }
    return count;
}

TEST(SnaporaProcess, ASecondCopyEndsSilentlyAndLeavesTheFirstAsItWas) {
    ChildProcess first(L"Snapora.exe", L"");
    ASSERT_TRUE(first.Started());
    HWND frame = WaitForMainWindow(first);
    ASSERT_NE(frame, nullptr);
    RECT before{};
    ::GetWindowRect(frame, &before);
    // Another window in front: the first copy must not be brought forward.
    PatternWindow inFront(RECT{600, 400, 800, 560}, true, L"前台窗口");
    ::SetForegroundWindow(inFront.Handle());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == inFront.Handle(); }, 5s));

    ChildProcess second(L"Snapora.exe", L"");
    ASSERT_TRUE(second.Started());
    const auto code = second.Wait(20s);
    ASSERT_TRUE(code);
    EXPECT_EQ(*code, 0u);
    EXPECT_EQ(FindProcessWindow(second.Id(), kMainClass), nullptr);

    EXPECT_FALSE(first.Wait(0ms));
    EXPECT_TRUE(::IsWindowVisible(frame));
    RECT after{};
    ::GetWindowRect(frame, &after);
    EXPECT_TRUE(::EqualRect(&before, &after));
    PumpFor(200ms);
    EXPECT_EQ(::GetForegroundWindow(), inFront.Handle());
    first.Kill();
}

TEST(SnaporaProcess, ExitEndsAtOnceWithDocumentsOpenAndNoQuestion) {
    ChildProcess app(L"Snapora.exe", L"");
    HWND frame = WaitForMainWindow(app);
    ASSERT_NE(frame, nullptr);
    ::PostMessageW(frame, WM_COMMAND, ID_CAPTURE_ENTIRE_SCREEN, 0);
    ASSERT_TRUE(PumpUntil([&] { return ChildCount(frame) == 1 && ::IsWindowVisible(frame); }, 20s));
    ::PostMessageW(frame, WM_COMMAND, ID_CAPTURE_ENTIRE_SCREEN, 0);
    ASSERT_TRUE(PumpUntil([&] { return ChildCount(frame) == 2 && ::IsWindowVisible(frame); }, 20s));

    ::PostMessageW(frame, WM_COMMAND, ID_FILE_EXIT, 0);
    const auto code = app.Wait(20s);
    ASSERT_TRUE(code) << "the program asked something instead of ending";
    EXPECT_EQ(*code, 0u);
}

TEST(SnaporaProcess, ExitDuringAutomaticCaptureLeavesTheLastScreenOnTheClipboard) {
    const std::wstring folder = ProgramFolderForTests() + L"\\CapPicture";
    const std::wstring first = folder + L"\\Automatic1.bmp";
    ::DeleteFileW(first.c_str());
    ASSERT_TRUE(PutClipboardText(L"before"));
    ChildProcess app(L"Snapora.exe", L"");
    HWND frame = WaitForMainWindow(app);
    ASSERT_NE(frame, nullptr);
    ::PostMessageW(frame, WM_COMMAND, ID_CAPTURE_AUTOMATIC, 0);
    // The first picture comes after one interval (10 s at start).
    ASSERT_TRUE(PumpUntil([&] { return FileExists(first); }, 30s));
    ::PostMessageW(frame, WM_COMMAND, ID_FILE_EXIT, 0);
    ASSERT_TRUE(app.Wait(20s));

    // The program is gone; the screen it grabbed last is still there.
    ASSERT_TRUE(::OpenClipboard(nullptr));
    auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    BITMAP header{};
    if (bitmap) ::GetObjectW(bitmap, sizeof(header), &header);
    ::CloseClipboard();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(header.bmWidth, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(std::abs(header.bmHeight), ::GetSystemMetrics(SM_CYSCREEN));
    ::DeleteFileW(first.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

// Another process's window text, as the system hands it across.
std::wstring TextOf(HWND window) {
    wchar_t text[128] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
    return text;
}

// The smoke test of a build: it starts, its resources are there and read
// as UTF-8 (the version, a Chinese dialog caption), and the close box ends it
// when nothing is open.
TEST(SnaporaProcess, StartsWithItsResourcesAndTheCloseBoxEndsIt) {
    ChildProcess app(L"Snapora.exe", L"");
    HWND frame = WaitForMainWindow(app);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(TextOf(frame), L"Snapora");
    EXPECT_EQ(TextOf(::FindWindowExW(frame, nullptr, win32::kStatusBarClassName, nullptr)), L"2.0.0");
    // The common controls load when something needs them, not with the
    // program: here the options dialog's tabs.
    EXPECT_FALSE(ProcessHasModule(app.Id(), L"comctl32.dll"));
    ::PostMessageW(frame, WM_COMMAND, ID_SETTINGS_OPTIONS, 0);
    HWND dialog = nullptr;
    PumpUntil([&] { return (dialog = FindProcessWindow(app.Id(), L"#32770")) != nullptr; }, 20s);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), L"截图选项设置");
    EXPECT_NE(::FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr), nullptr);
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    PumpUntil([&] { return !::IsWindow(dialog); }, 20s);
    ::PostMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    const auto code = app.Wait(20s);
    ASSERT_TRUE(code);
    EXPECT_EQ(*code, 0u);
}

}  // namespace
}  // namespace snapora::test
