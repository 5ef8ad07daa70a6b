#include "win32/Screen.h"

#include <cstdint>
#include <vector>

#include "win32/logic/Units.h"
#include "win32/Handle.h"

namespace snapora::win32 {

namespace {

int ScreenCaps(int index) {
    WindowDc screen(nullptr, WindowDc::Area::Client);
    const int value = screen ? ::GetDeviceCaps(screen.get(), index) : 0;
    return value > 0 ? value : USER_DEFAULT_SCREEN_DPI;
}

constexpr wchar_t kDpiProperty[] = L"SnaporaDpi";

// GetDpiForWindow, where the system has it (Windows 10 1607 and later).
int SystemWindowDpi(HWND window) {
    using GetDpiFn = UINT(WINAPI*)(HWND);
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    const auto getDpi = user32 ? reinterpret_cast<GetDpiFn>(
                                     reinterpret_cast<void*>(::GetProcAddress(user32, "GetDpiForWindow")))
                               : nullptr;
    return getDpi && window ? static_cast<int>(getDpi(window)) : 0;
}

}  // namespace

int WindowDpi(HWND window) {
    HWND top = window ? ::GetAncestor(window, GA_ROOT) : nullptr;
    if (top) {
        const auto noted = reinterpret_cast<std::intptr_t>(::GetPropW(top, kDpiProperty));
        if (noted > 0) return static_cast<int>(noted);
        if (const int dpi = SystemWindowDpi(top); dpi > 0) return dpi;
    }
    return ScreenDpiY();
}

int TwipsToPixelsX(int twips, HWND window) { return TwipsToPixels(twips, WindowDpi(window)); }
int TwipsToPixelsY(int twips, HWND window) { return TwipsToPixels(twips, WindowDpi(window)); }

int TakeDpiChange(HWND window, WPARAM wParam, const RECT* suggested) {
    const int dpi = LOWORD(wParam) > 0 ? LOWORD(wParam) : ScreenDpiY();
    ::SetPropW(window, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(dpi)));
    if (suggested) {
        ::SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return dpi;
}

int ScreenDpiX() { return ScreenCaps(LOGPIXELSX); }
int ScreenDpiY() { return ScreenCaps(LOGPIXELSY); }
int TwipsToPixelsX(int twips) { return TwipsToPixels(twips, ScreenDpiX()); }
int TwipsToPixelsY(int twips) { return TwipsToPixels(twips, ScreenDpiY()); }

SIZE PrimaryScreenSize() { return SIZE{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

std::wstring ProgramFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    while (true) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return L".";
        if (length < buffer.size()) {
            std::wstring path(buffer.data(), length);
            const auto slash = path.find_last_of(L"\\/");
            if (slash == std::wstring::npos) return L".";
            // Keep the backslash of a root folder ("C:\").
            return path.substr(0, slash == 2 && path[1] == L':' ? slash + 1 : slash);
        }
        buffer.resize(buffer.size() * 2);
    }
}

ProgramVersion ModuleVersion() {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16) /* RT_VERSION */);
    if (!info) return {};
    HGLOBAL loaded = ::LoadResource(module, info);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) return {};
    return ParseVersionResource(data, ::SizeofResource(module, info)).value_or(ProgramVersion{});
}

void EnableDpiAwareness() {
    using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    auto setContext = user32 ? reinterpret_cast<SetContextFn>(
                                   reinterpret_cast<void*>(::GetProcAddress(user32, "SetProcessDpiAwarenessContext")))
                             : nullptr;
    if (setContext) {
        if (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) return;
        if (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE)) return;
    }
    ::SetProcessDPIAware();
}

}  // namespace snapora::win32
