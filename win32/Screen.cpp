#include "win32/Screen.h"

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

}  // namespace

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
