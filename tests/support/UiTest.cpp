#include "support/UiTest.h"

#include <commctrl.h>

#include <cstdlib>

#include "picture/Picture.h"
#include "settings/SettingsStore.h"
#include "support/Processes.h"
#include "win32/Handle.h"
#include "win32/Screen.h"

namespace snapora::test {

namespace {

bool quitPosted = false;

LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = ::BeginPaint(window, &paint);
        RECT client{};
        ::GetClientRect(window, &client);
        POINT origin{0, 0};
        ::ClientToScreen(window, &origin);
        const int width = client.right;
        const int height = client.bottom;
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) pixels[static_cast<std::size_t>(y) * width + x] = PatternPixel(origin.x + x, origin.y + y);
        }
        const BITMAPINFO info = TopDownBgra32Info(width, height);
        ::SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
        ::EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    // A lone Alt would open the window menu, whose loop would hold the test:
    // keys like Alt+Print, taken by the system, leave exactly that.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) return 0;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (true) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitPosted = true;
                continue;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(std::chrono::milliseconds duration) {
    PumpUntil([] { return false; }, duration);
}

bool QuitPosted() { return quitPosted; }

bool Xdotool(const std::wstring& arguments) {
    // Wine starts a Unix program given by its Unix path, but its process
    // handle cannot be waited for: the shell leaves a file saying how it
    // went, seen here through the drive that maps the Unix root.
    static unsigned counter = 0;
    const std::wstring name =
        L"snapora-xdotool-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    std::wstring commandLine = L"/bin/sh -c \"/usr/bin/xdotool " + arguments + L" && echo ok >/tmp/" + name +
                               L" || echo failed >/tmp/" + name + L"\"";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return false;
    }
    ::CloseHandle(info.hProcess);
    ::CloseHandle(info.hThread);
    const std::wstring marker = L"Z:\\tmp\\" + name;
    std::vector<std::uint8_t> report;
    PumpUntil([&] {
        report = ReadFileBytes(marker);
        return !report.empty() && report.back() == '\n';
    });
    ::DeleteFileW(marker.c_str());
    return report.size() == 3 && report[0] == 'o' && report[1] == 'k';
}

void ForgetStoredSettings() { ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKeyPath); }

void MainWindowTest::SetUp() {
    win32::EnableDpiAwareness();
    // Every window test starts from the defaults, whatever an earlier test
    // applied with OK.
    ForgetStoredSettings();
    quitPosted = false;
    main_ = MainWindow::Create(::GetModuleHandleW(nullptr));
    ASSERT_NE(main_, nullptr);
    mainWindow_ = main_->Handle();
    main_->Show(SW_SHOWNORMAL);
    PumpFor(std::chrono::milliseconds(50));
}

void MainWindowTest::TearDown() {
    if (MainWindow::FromHandle(mainWindow_)) ::DestroyWindow(mainWindow_);
    PumpFor(std::chrono::milliseconds(20));
    ForgetStoredSettings();
    quitPosted = false;
}

std::uint32_t PatternPixel(int x, int y) {
    const auto r = static_cast<std::uint32_t>((x * 7 + y * 3) & 0xFF);
    const auto g = static_cast<std::uint32_t>((x * 13 + y * 29) & 0xFF);
    const auto b = static_cast<std::uint32_t>((x ^ y) * 5 & 0xFF);
    return (r << 16) | (g << 8) | b;
}

PatternWindow::PatternWindow(RECT rect, bool withFrame, const wchar_t* title) {
    static bool registered = false;
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PatternProc;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"SnaporaTestPattern";
        registered = ::RegisterClassW(&wc) != 0;
    }
    const DWORD style = withFrame ? WS_OVERLAPPEDWINDOW : WS_POPUP;
    window_ = ::CreateWindowExW(withFrame ? 0 : WS_EX_TOPMOST, L"SnaporaTestPattern", title, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(window_, SW_SHOW);
    ::UpdateWindow(window_);
    PumpFor(std::chrono::milliseconds(100));
}

PatternWindow::~PatternWindow() {
    if (window_) ::DestroyWindow(window_);
}

std::vector<std::uint32_t> ReadScreen(RECT rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    win32::WindowDc screen(nullptr, win32::WindowDc::Area::Client);
    win32::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    const BITMAPINFO info = TopDownBgra32Info(width, height);
    void* bits = nullptr;
    win32::UniqueBitmap bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<std::uint32_t> pixels;
    if (!bitmap || !memory) return pixels;
    {
        win32::ScopedSelect select(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
        ::GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        pixels.assign(p, p + static_cast<std::size_t>(width) * height);
    }
    for (auto& p : pixels) p &= 0x00FFFFFFu;
    return pixels;
}

HWND FindMessageBox() {
    struct Search {
        HWND found = nullptr;
    } search;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            wchar_t className[32] = {};
            ::GetClassNameW(window, className, 32);
            if (::lstrcmpW(className, L"#32770") == 0 && ::IsWindowVisible(window) && ::GetDlgItem(window, 0xFFFF)) {
                reinterpret_cast<Search*>(param)->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring MessageBoxText(HWND box) { return WindowText(::GetDlgItem(box, 0xFFFF)); }

std::wstring WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

int ExpectedDpiOrZero() {
    const char* value = std::getenv("SNAPORA_EXPECT_DPI");
    return value ? std::atoi(value) : 0;
}

std::wstring ProgramFolderForTests() { return win32::ProgramFolder(); }

bool MenuChecked(HWND frame, UINT commandId) {
    return (::GetMenuState(::GetMenu(frame), commandId, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool MenuEnabled(HWND frame, UINT commandId) {
    return (::GetMenuState(::GetMenu(frame), commandId, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

bool ToolbarPressed(HWND toolbar, UINT commandId) {
    return ::SendMessageW(toolbar, TB_ISBUTTONCHECKED, commandId, 0) != 0;
}

}  // namespace snapora::test
