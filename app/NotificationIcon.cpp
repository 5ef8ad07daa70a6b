#include "app/NotificationIcon.h"

#include <shellapi.h>

#include "app/resource.h"
#include "win32/SystemLibrary.h"

namespace snapora {

namespace {

// The shell's DLL is loaded when the icon is first shown: imported, it and
// all it imports would load at every start of the program.
bool NotifyShell(DWORD message, NOTIFYICONDATAW& data) {
    const auto notify = win32::LoadSystemFunction<decltype(&::Shell_NotifyIconW)>(L"shell32.dll", "Shell_NotifyIconW");
    return notify && notify(message, &data);
}

}  // namespace

void NotificationIcon::Attach(HWND window, HINSTANCE instance) {
    window_ = window;
    instance_ = instance;
    icon_.reset(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_SNAPORA), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0)));
}

NOTIFYICONDATAW NotificationIcon::Data(const std::wstring& tooltip) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = kNotificationIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kNotificationIconMessage;
    data.hIcon = icon_.get();
    ::lstrcpynW(data.szTip, tooltip.c_str(), ARRAYSIZE(data.szTip));
    return data;
}

bool NotificationIcon::Show(const std::wstring& tooltip) {
    NOTIFYICONDATAW data = Data(tooltip);
    if (added_ && tooltip == tooltip_) return true;
    if (!NotifyShell(added_ ? NIM_MODIFY : NIM_ADD, data)) return false;
    added_ = true;
    tooltip_ = tooltip;
    return true;
}

bool NotificationIcon::Hide() {
    if (!added_) return false;
    NOTIFYICONDATAW data = Data({});
    data.uFlags = 0;
    added_ = false;
    return NotifyShell(NIM_DELETE, data);
}

bool NotificationIcon::Restore() {
    if (!added_) return false;
    NOTIFYICONDATAW data = Data(tooltip_);
    return NotifyShell(NIM_ADD, data);
}

UINT NotificationIcon::TrackMenu(const UiFacts& facts) const {
    win32::UniqueMenu menu(::LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_NOTIFICATION_MENU)));
    if (!menu) return 0;
    HMENU popup = ::GetSubMenu(menu.get(), 0);
    DrawUiState(facts, popup, nullptr);
    POINT at{};
    ::GetCursorPos(&at);
    // In front, or the menu would not close when the user clicks elsewhere.
    ::SetForegroundWindow(window_);
    const HWND window = window_;
    const UINT id = static_cast<UINT>(
        ::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, window, nullptr));
    ::PostMessageW(window, WM_NULL, 0, 0);
    return id;
}

}  // namespace snapora
