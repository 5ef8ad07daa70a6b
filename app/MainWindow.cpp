#include "app/MainWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <vector>

#include "app/Commands.h"
#include "app/StatusBar.h"
#include "app/Toolbar.h"
#include "app/Workspace.h"
#include "app/resource.h"
#include "capture/CaptureCommands.h"
#include "picture/Clipboard.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "settings/SettingsStore.h"
#include "win32/Screen.h"
#include "win32/WindowPlacement.h"

namespace snapora {

namespace {

constexpr wchar_t kClassName[] = L"SnaporaMainWindow";
constexpr UINT_PTR kClockTimerId = 100;
constexpr int kInitialClientWidthTwips = 7125;
constexpr int kInitialClientHeightTwips = 4245;

MainWindow* current = nullptr;


int VisibleHeight(HWND bar) {
    if (!bar || !::IsWindowVisible(bar)) return 0;
    RECT rect{};
    ::GetWindowRect(bar, &rect);
    return rect.bottom - rect.top;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

MainWindow* MainWindow::Current() { return current; }

MainWindow* MainWindow::Create(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    // The MDI client paints the workspace colour; the frame shows only behind
    // the flat toolbar.
    win32::WindowClassOptions options;
    options.iconId = IDI_SNAPORA;
    options.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    options.menu = MAKEINTRESOURCEW(IDR_MAINMENU);
    if (!win32::RegisterWindowClassOnce(instance, kClassName, &MainWindow::WindowProc, options)) return nullptr;

    RECT frame{0, 0, win32::TwipsToPixelsX(kInitialClientWidthTwips), win32::TwipsToPixelsY(kInitialClientHeightTwips)};
    constexpr DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    ::AdjustWindowRectEx(&frame, style, TRUE, 0);

    auto* self = new MainWindow(instance);
    HWND window = ::CreateWindowExW(0, kClassName, kAppTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                    self);
    if (!window) {
        // WM_NCDESTROY has freed `self` if the window got that far.
        if (current == self) current = nullptr;
        return nullptr;
    }
    self->Initialise();
    return self;
}

void MainWindow::Show(int showCommand) {
    ::ShowWindow(window_, showCommand);
    ::UpdateWindow(window_);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        current = self;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return ::DefFrameProcW(window, nullptr, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        const LRESULT result = ::DefFrameProcW(window, self->mdiClient_, message, wParam, lParam);
        if (current == self) current = nullptr;
        delete self;
        return result;
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) OnSize();
            return 0;
        case WM_COMMAND: {
            const UINT id = LOWORD(wParam);
            if ((lParam == 0 && id < IDM_FIRSTCHILD) || reinterpret_cast<HWND>(lParam) == toolbar_) {
                ExecuteCommand(id);
                return 0;
            }
            break;
        }
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_SETTINGCHANGE:
            OnStatusBarClockTick();
            break;
        case WM_HOTKEY:
            RunHotkeyCapture(*this, wParam);
            return 0;
        case WM_RENDERFORMAT:
            RenderOfferedPicture(static_cast<UINT>(wParam));
            return 0;
        case WM_RENDERALLFORMATS:
            RenderAllOfferedPictures(window_);
            return 0;
        case WM_DESTROYCLIPBOARD:
            ForgetOfferedPicture();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        default:
            break;
    }
    return ::DefFrameProcW(window_, mdiClient_, message, wParam, lParam);
}

bool MainWindow::OnCreate() {
    for (auto& timer : timers_) timer.Attach(window_);
    hotkeys_.Attach(window_);
    toolbar_ = CreateMainToolbar(window_, instance_, &toolbarImages_);
    statusBar_ = CreateMainStatusBar(window_, instance_);
    if (!toolbar_ || !statusBar_) return false;

    CLIENTCREATESTRUCT client{};
    client.hWindowMenu = nullptr;  // no window-list menu
    client.idFirstChild = IDM_FIRSTCHILD;
    mdiClient_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                   WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0, 0, window_, nullptr,
                                   instance_, &client);
    if (!mdiClient_ || !AttachWorkspaceScrolling(mdiClient_)) return false;
    ::SetTimer(window_, kClockTimerId, 1000, nullptr);
    return true;
}

void MainWindow::Initialise() {
    // Start-up in its fixed order: version, caption, counter, settings.
    const std::wstring version = FormatVersion(win32::ModuleVersion());
    ::SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(version.c_str()));
    SetCaption(kAppTitle);
    ResetCaptureCount();
    const LoadedSettings stored = LoadStoredSettings();
    settings_ = stored.settings;
    Timer(MainTimer::Automatic).SetInterval(stored.automaticIntervalMs);
    hotkeys_.Register(settings_.hotkeys);
    OnStatusBarClockTick();
    OnSize();
}

void MainWindow::OnSize() {
    if (!mdiClient_) return;
    RECT client{};
    ::GetClientRect(window_, &client);
    ::SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    ::SendMessageW(statusBar_, WM_SIZE, 0, 0);
    LayoutStatusBarPanels();
    const int top = VisibleHeight(toolbar_);
    const int bottom = VisibleHeight(statusBar_);
    const int height = client.bottom - top - bottom;
    ::MoveWindow(mdiClient_, 0, top, client.right, height > 0 ? height : 0, TRUE);
}

void MainWindow::LayoutStatusBarPanels() { LayoutStatusPanels(statusBar_, shownDate_, shownTime_); }

void MainWindow::OnStatusBarClockTick() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    std::wstring date = SystemShortDate(now);
    std::wstring time = SystemTime(now);
    if (date == shownDate_ && time == shownTime_) return;
    const bool widthMayChange = date.size() != shownDate_.size() || time.size() != shownTime_.size();
    shownDate_ = std::move(date);
    shownTime_ = std::move(time);
    if (widthMayChange) LayoutStatusBarPanels();
    ::SendMessageW(statusBar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(shownDate_.c_str()));
    ::SendMessageW(statusBar_, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(shownTime_.c_str()));
}

void MainWindow::OnTimer(UINT_PTR id) {
    if (id == kClockTimerId) {
        OnStatusBarClockTick();
        return;
    }
    CommandHandler handler = FindTimerHandler(static_cast<MainTimer>(id));
    if (!handler) return;
    try {
        handler(*this);
    } catch (...) {
        // A failed tick is abandoned like a failed command.
    }
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
    if (header.code == TTN_GETDISPINFOW) {
        auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        if (const ToolbarButton* button = FindToolbarButton(static_cast<UINT>(header.idFrom))) {
            info.lpszText = const_cast<wchar_t*>(button->tooltip);
        }
        return 0;
    }
    return ::DefFrameProcW(window_, mdiClient_, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void MainWindow::ExecuteCommand(UINT commandId) {
    CommandHandler handler = FindCommandHandler(commandId);
    if (!handler) return;
    try {
        handler(*this);
    } catch (...) {
        // The command stops at the failing step; the program carries on.
    }
}

void MainWindow::OnClose() {
    // Children close one by one; an unsaved document may refuse, and then
    // the whole shutdown stops there.
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(mdiClient_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::GetWindow(child, GW_OWNER)) children.push_back(child);
    }
    for (HWND child : children) {
        if (!::IsWindow(child)) continue;
        ::SendMessageW(child, WM_CLOSE, 0, 0);
        if (::IsWindow(child) && ::GetParent(child) == mdiClient_) return;
    }
    Unload();
}

void MainWindow::Unload() {
    CloseRectangleOverlay();
    ::DestroyWindow(window_);
}

void MainWindow::OnDestroy() {
    hotkeys_.Unregister();
    for (auto& timer : timers_) timer.SetEnabled(false);
    ::KillTimer(window_, kClockTimerId);
    if (toolbarImages_) {
        ::SendMessageW(toolbar_, TB_SETIMAGELIST, 0, 0);
        ::ImageList_Destroy(toolbarImages_);
        toolbarImages_ = nullptr;
    }
    ::PostQuitMessage(0);
}

void MainWindow::RequestExit() {
    // Ends the program at once: no questions, no closing handlers.
    exitRequested_ = true;
    // No window is destroyed on the way out, so an offered clipboard picture
    // is put there now or it would be lost.
    RenderAllOfferedPictures(window_);
    hotkeys_.Unregister();
    for (auto& timer : timers_) timer.SetEnabled(false);
    ::PostQuitMessage(0);
}

HWND MainWindow::ActiveChild() const {
    return reinterpret_cast<HWND>(::SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0));
}

DocumentWindow* MainWindow::ActiveDocument() const { return DocumentWindow::FromHandle(ActiveChild()); }

bool MainWindow::IsMenuChecked(UINT commandId) const {
    return (::GetMenuState(::GetMenu(window_), commandId, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MainWindow::SetMenuChecked(UINT commandId, bool checked) {
    ::CheckMenuItem(::GetMenu(window_), commandId, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MainWindow::IsMenuEnabled(UINT commandId) const {
    return (::GetMenuState(::GetMenu(window_), commandId, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

void MainWindow::SetMenuEnabled(UINT commandId, bool enabled) {
    ::EnableMenuItem(::GetMenu(window_), commandId, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool MainWindow::IsToolbarButtonPressed(UINT commandId) const {
    return ::SendMessageW(toolbar_, TB_ISBUTTONCHECKED, commandId, 0) != 0;
}

void MainWindow::SetToolbarButtonPressed(UINT commandId, bool pressed) {
    ::SendMessageW(toolbar_, TB_CHECKBUTTON, commandId, MAKELPARAM(pressed ? TRUE : FALSE, 0));
}

bool MainWindow::ToggleTimedMode(UINT commandId, MainTimer timer) {
    const bool on = !IsMenuChecked(commandId);
    SetMenuChecked(commandId, on);
    Timer(timer).SetEnabled(on);
    SetToolbarButtonPressed(commandId, on);
    return on;
}

win32::WindowTimer& MainWindow::Timer(MainTimer which) {
    return timers_[static_cast<std::size_t>(which) - 1];
}

void MainWindow::SetCaption(const std::wstring& caption) { ::SetWindowTextW(window_, caption.c_str()); }

void MainWindow::ToggleToolbar() {
    const bool show = !IsMenuChecked(ID_SETTINGS_TOOLBAR);
    SetMenuChecked(ID_SETTINGS_TOOLBAR, show);
    ::ShowWindow(toolbar_, show ? SW_SHOW : SW_HIDE);
    OnSize();
}

void MainWindow::ToggleStatusBar() {
    const bool show = !IsMenuChecked(ID_SETTINGS_STATUS_BAR);
    SetMenuChecked(ID_SETTINGS_STATUS_BAR, show);
    ::ShowWindow(statusBar_, show ? SW_SHOW : SW_HIDE);
    OnSize();
}

}  // namespace snapora
