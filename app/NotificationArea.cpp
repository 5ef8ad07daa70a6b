// The main window's place in the notification area: the icon that follows
// the option, a minimised window waiting there off the task bar, the
// icon's clicks and menu, and the icon put back after Explorer restarts.
#include "app/MainWindow.h"

#include "frame/ResourceIds.h"
#include "frame/Texts.h"
#include "settings/HotkeyNames.h"
#include "win32/WindowPlacement.h"

namespace snapora {

void MainWindow::AttachNotificationIcon() {
    notificationIcon_.Attach(window_, instance_);
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
}

bool MainWindow::HandleNotificationArea(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && message != 0) {
        (void)notificationIcon_.Restore();
        return true;
    }
    if (message == kNotificationIconMessage) {
        if (wParam == kNotificationIconId) OnNotificationIcon(LOWORD(lParam));
        return true;
    }
    // Minimised with the icon shown: off the task bar, into the notification area.
    if (message == WM_SIZE && wParam == SIZE_MINIMIZED && notificationIcon_.Shown()) {
        ::ShowWindow(window_, SW_HIDE);
        return true;
    }
    return false;
}

void MainWindow::UpdateNotificationIcon() {
    if (settings_.notificationIcon) {
        // The tooltip says which keys capture, as registered just now.
        (void)notificationIcon_.Show(LoadText(IDS_APP_TITLE) + L"\n" +
                                     ActiveHotkeysText(settings_.hotkeys, keysAvailable_));
        return;
    }
    (void)notificationIcon_.Hide();
    // Waiting in the notification area, it would be lost without the icon.
    if (::IsIconic(window_) && !::IsWindowVisible(window_)) ::ShowWindow(window_, SW_SHOWMINNOACTIVE);
}

void MainWindow::OnNotificationIcon(UINT event) {
    if (event == WM_RBUTTONUP || event == WM_CONTEXTMENU) {
        ShowNotificationMenu();
        return;
    }
    if (event != WM_LBUTTONUP) return;
    // Hidden without being minimised, a capture is under way: it shows the
    // window again itself.
    if (!::IsIconic(window_) && !::IsWindowVisible(window_)) return;
    win32::ShowHiddenWindowAgain(window_);
    ::SetForegroundWindow(window_);
}

void MainWindow::ShowNotificationMenu() {
    const HWND window = window_;
    const UINT id = notificationIcon_.TrackMenu(Facts());
    // The menu ran a modal loop: the program may have ended meanwhile.
    if (id != 0 && ::IsWindow(window)) Execute(id);
}

}  // namespace snapora
