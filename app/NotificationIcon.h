#pragma once
// The program's icon in the notification area. The shell reports clicks
// on it to the main window with kNotificationIconMessage (wParam the
// icon's id, lParam the mouse message), and forgets it when Explorer
// restarts, announcing that with the registered "TaskbarCreated".
#include <windows.h>

#include <string>

#include "app/UiDrawing.h"
#include "win32/Handle.h"

namespace snapora {

inline constexpr UINT kNotificationIconMessage = WM_APP + 21;
inline constexpr UINT kNotificationIconId = 1;

class NotificationIcon {
public:
    void Attach(HWND window, HINSTANCE instance);

    // Adds the icon, or changes its tooltip when it is there. False when
    // the shell refused.
    bool Show(const std::wstring& tooltip);
    // Removes it; false when the shell refused or it was not there.
    bool Hide();
    // After Explorer restarted: the icon that was shown is added again.
    bool Restore();
    [[nodiscard]] bool Shown() const noexcept { return added_; }
    // The icon's right-click menu at the pointer, drawn from `facts`: the
    // command chosen, or 0. It runs a modal loop.
    [[nodiscard]] UINT TrackMenu(const UiFacts& facts) const;
    [[nodiscard]] const std::wstring& Tooltip() const noexcept { return tooltip_; }

private:
    [[nodiscard]] NOTIFYICONDATAW Data(const std::wstring& tooltip) const;

    HWND window_ = nullptr;
    HINSTANCE instance_ = nullptr;
    win32::UniqueIcon icon_;
    std::wstring tooltip_;
    // Whether the shell took the icon, as far as the program told it.
    bool added_ = false;
};

}  // namespace snapora
