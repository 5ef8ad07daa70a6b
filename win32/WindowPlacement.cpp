#include "win32/WindowPlacement.h"

#include "win32/Screen.h"

namespace snapora::win32 {

bool RegisterWindowClassOnce(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                             const WindowClassOptions& options) {
    WNDCLASSEXW existing{sizeof(existing)};
    if (::GetClassInfoExW(instance, name, &existing)) return true;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = options.style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    if (options.iconId) {
        wc.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(options.iconId), IMAGE_ICON, 32, 32, 0));
        wc.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(options.iconId), IMAGE_ICON, 16, 16, 0));
    }
    wc.hCursor = ::LoadCursorW(nullptr, options.cursor);
    wc.hbrBackground = options.background;
    wc.lpszMenuName = options.menu;
    wc.lpszClassName = name;
    return ::RegisterClassExW(&wc) != 0;
}

void PlaceControlInTwips(HWND dialog, const TwipsRect& place, int offsetLeft, int offsetTop) {
    HWND control = ::GetDlgItem(dialog, place.id);
    if (!control) return;
    ::SetWindowPos(control, nullptr, TwipsToPixelsX(offsetLeft + place.left, dialog),
                   TwipsToPixelsY(offsetTop + place.top, dialog), TwipsToPixelsX(place.width, dialog),
                   TwipsToPixelsY(place.height, dialog), SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowHiddenWindowAgain(HWND window) {
    if (::IsIconic(window)) {
        ::ShowWindow(window, SW_RESTORE);
    } else if (!::IsWindowVisible(window)) {
        ::ShowWindow(window, SW_SHOW);
    }
}

void CentreOnOwner(HWND window, HWND owner) {
    RECT box{};
    ::GetWindowRect(window, &box);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;

    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT around = monitor.rcWork;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &around);

    int left = around.left + (around.right - around.left - width) / 2;
    int top = around.top + (around.bottom - around.top - height) / 2;
    // Keep the whole window on the screen even when the owner hangs off it.
    const RECT& work = monitor.rcWork;
    if (work.right > work.left) {
        if (left + width > work.right) left = work.right - width;
        if (top + height > work.bottom) top = work.bottom - height;
        if (left < work.left) left = work.left;
        if (top < work.top) top = work.top;
    }
    ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetWindowIcons(HWND window, int iconId, WindowIcons& icons) {
    const auto load = [iconId](int width, int height) {
        return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                               ::GetSystemMetrics(width), ::GetSystemMetrics(height), 0));
    };
    icons.large.reset(load(SM_CXICON, SM_CYICON));
    icons.small.reset(load(SM_CXSMICON, SM_CYSMICON));
    if (icons.large) ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.large.get()));
    if (icons.small) ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.small.get()));
}

std::wstring WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

}  // namespace snapora::win32
