#include "app/MainWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "app/CommandHandover.h"
#include "app/Commands.h"
#include "app/Hotkeys.h"
#include "app/StatusBar.h"
#include "app/Toolbar.h"
#include "app/UiDrawing.h"
#include "app/resource.h"
#include "capture/CaptureCommands.h"
#include "editor/EditorCommands.h"
#include "documents/DocumentWindow.h"
#include "documents/SaveDocument.h"
#include "help/HelpCommands.h"
#include "frame/Texts.h"
#include "pin/PinCommands.h"
#include "settings/SettingsStore.h"
#include "win32/ButtonBar.h"
#include "win32/Screen.h"
#include "win32/WindowPlacement.h"
#include "win32/Workspace.h"

namespace snapora {

namespace {

constexpr wchar_t kClassName[] = L"SnaporaMainWindow";
constexpr UINT_PTR kClockTimerId = 100;
constexpr int kInitialClientWidthTwips = 7125;
constexpr int kInitialClientHeightTwips = 4245;

// Shown in the window's own style bits: while the frame is hidden for a
// capture, IsWindowVisible says no for every bar.
bool HasVisibleStyle(HWND window) { return (::GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace

MainWindow* MainWindow::Create(HINSTANCE instance) {
    // The MDI client paints the workspace colour; the frame shows only behind
    // the flat toolbar.
    win32::WindowClassOptions options;
    options.iconId = IDI_SNAPORA;
    options.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    options.menu = MAKEINTRESOURCEW(IDR_MAINMENU);
    if (!win32::RegisterWindowClassOnce(instance, kClassName, &Procedure, options)) return nullptr;

    RECT frame{0, 0, win32::TwipsToPixelsX(kInitialClientWidthTwips), win32::TwipsToPixelsY(kInitialClientHeightTwips)};
    constexpr DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    ::AdjustWindowRectEx(&frame, style, TRUE, 0);

    Owner self(new MainWindow(instance));
    const std::wstring title = LoadText(IDS_APP_TITLE);
    MainWindow* main = FromHandle(::CreateWindowExW(0, kClassName, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                                    frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                                    nullptr, instance, reinterpret_cast<void*>(Handover(self))));
    if (main) main->Initialise();
    return main;
}

const wchar_t* MainWindow::ClassName() noexcept { return kClassName; }

void MainWindow::Show(int showCommand) {
    ::ShowWindow(window_, showCommand);
    ::UpdateWindow(window_);
}

LRESULT MainWindow::CallDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefFrameProcW(window, nullptr, message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandleNotificationArea(message, wParam, lParam)) return 0;
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED && !LaidOutFor(LOWORD(lParam), HIWORD(lParam))) OnSize();
            return 0;
        case WM_COMMAND: {
            const UINT id = LOWORD(wParam);
            const HWND from = reinterpret_cast<HWND>(lParam);
            if ((lParam == 0 && id < IDM_FIRSTCHILD) || from == toolbar_ || from == drawingBar_) {
                Execute(id);
                return 0;
            }
            break;
        }
        case WM_INITMENUPOPUP:
            RefreshUi();
            break;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(wParam, reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SETTINGCHANGE:
            OnStatusBarClockTick();
            break;
        case WM_DISPLAYCHANGE:
            capture_.ForgetScreen();
            break;
        case WM_SYSCOLORCHANGE:
            // Only top-level windows hear of it; the tool bars keep their
            // pictures laid over the button colours.
            for (HWND bar : {toolbar_, drawingBar_}) ::SendMessageW(bar, WM_SYSCOLORCHANGE, wParam, lParam);
            break;
        case WM_HOTKEY:
            RunHotkeyCapture(*this, wParam);
            return 0;
        case WM_COPYDATA:
            return ReceiveHandedCommand(*this, reinterpret_cast<HWND>(wParam), *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_RENDERFORMAT:
        case WM_RENDERALLFORMATS:
        case WM_DESTROYCLIPBOARD:
            return HandleClipboard(message, wParam);
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_QUERYENDSESSION:
            return OnQueryEndSession() ? TRUE : FALSE;
        case WM_ENDSESSION:
            OnEndSession(wParam != FALSE);
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        default:
            break;
    }
    return ::DefFrameProcW(window_, mdiClient_, message, wParam, lParam);
}

LRESULT MainWindow::HandleClipboard(UINT message, WPARAM wParam) {
    if (message == WM_RENDERFORMAT) clipboard_.Render(static_cast<UINT>(wParam));
    if (message == WM_RENDERALLFORMATS) clipboard_.RenderAll(window_);
    if (message == WM_DESTROYCLIPBOARD) clipboard_.Forget();
    return 0;
}

bool MainWindow::OnCreate() {
    capture_.Attach(window_);
    hotkeys_.Attach(window_);
    AttachNotificationIcon();
    toolbar_ = CreateMainToolbar(window_, instance_);
    drawingBar_ = CreateDrawingBar(window_, instance_);
    statusBar_ = CreateMainStatusBar(window_);
    if (!toolbar_ || !drawingBar_ || !statusBar_) return false;

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
    versionText_ = FormatVersion(win32::ModuleVersion());
    SetStatusText({});
    SetCaption(LoadText(IDS_APP_TITLE));
    captures_.captureCount = 0;
    settings_ = LoadStoredSettings();
    ApplySettings();
    AppendDrawingMenu(::GetSubMenu(::GetMenu(window_), 1));
    OnStatusBarClockTick();
    RefreshUi();
    OnSize();
}

// Whether the bars already span a client area of this size, as after the
// layout at start-up when the first showing reports the same size again.
bool MainWindow::LaidOutFor(int width, int height) const {
    RECT status{};
    RECT tools{};
    ::GetWindowRect(statusBar_, &status);
    ::GetWindowRect(toolbar_, &tools);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&status), 2);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&tools), 2);
    return mdiClient_ && status.right == width && status.bottom == height && tools.right == width;
}

void MainWindow::OnSize() {
    if (!mdiClient_) return;
    RECT client{};
    ::GetClientRect(window_, &client);
    // Both bars keep their height in twips at the window's DPI.
    const int dpi = win32::WindowDpi(window_);
    const int toolbarHeight = MainToolbarHeight(dpi);
    const int statusBarHeight = MainStatusBarHeight(dpi);
    ::MoveWindow(toolbar_, 0, 0, client.right, toolbarHeight, TRUE);
    ::MoveWindow(statusBar_, 0, client.bottom - statusBarHeight, client.right, statusBarHeight, TRUE);
    LayoutStatusPanels(statusBar_, shownDate_, shownTime_);
    const int drawingTop = HasVisibleStyle(toolbar_) ? toolbarHeight : 0;
    ::MoveWindow(drawingBar_, 0, drawingTop, client.right, DrawingBarHeight(dpi), TRUE);
    const int top = drawingTop + (HasVisibleStyle(drawingBar_) ? DrawingBarHeight(dpi) : 0);
    const int bottom = HasVisibleStyle(statusBar_) ? statusBarHeight : 0;
    const int height = client.bottom - top - bottom;
    ::MoveWindow(mdiClient_, 0, top, client.right, height > 0 ? height : 0, TRUE);
}

void MainWindow::OnDpiChanged(WPARAM wParam, const RECT* suggested) {
    const int dpi = win32::TakeDpiChange(window_, wParam, suggested);
    ScaleToolbarArt(toolbar_, instance_, dpi);
    ScaleDrawingBarArt(drawingBar_, instance_, dpi);
    OnSize();
    // The documents' frames change with the DPI; their pictures do not, and
    // each client area stays exactly its picture.
    for (HWND child : Children()) {
        if (DocumentWindow* document = DocumentWindow::FromHandle(child)) {
            const SIZE surface = document->SurfaceSize();
            document->SetClientSize(surface.cx, surface.cy);
        }
    }
}

void MainWindow::OnStatusBarClockTick() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    std::wstring date = SystemShortDate(now);
    std::wstring time = SystemTime(now);
    if (date == shownDate_ && time == shownTime_) return;
    const bool widthMayChange = date.size() != shownDate_.size() || time.size() != shownTime_.size();
    shownDate_ = std::move(date);
    shownTime_ = std::move(time);
    if (widthMayChange) LayoutStatusPanels(statusBar_, shownDate_, shownTime_);
    ::SendMessageW(statusBar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(shownDate_.c_str()));
    ::SendMessageW(statusBar_, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(shownTime_.c_str()));
}

void MainWindow::SetStatusText(const std::wstring& text) {
    const std::wstring& shown = text.empty() ? versionText_ : text;
    ::SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(shown.c_str()));
}

void MainWindow::OnTimer(UINT_PTR id) {
    if (id == kClockTimerId) {
        OnStatusBarClockTick();
        return;
    }
    const HWND window = window_;
    // A pointer-area tick changes what the menus and bars show only when it
    // ends the mode; working them out twenty times a second for nothing was
    // most of the mode's cost.
    const bool pointerAreaTick = id == static_cast<UINT_PTR>(CaptureTimer::PointerArea);
    // A tick may end a mode; a tick that ran a modal loop may outlive us.
    if (!capture_.OnTimer(*this, id) || !::IsWindow(window)) return;
    if (!pointerAreaTick || !capture_.PointerAreaRunning()) RefreshUi();
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
    if (header.code == win32::kButtonBarMenu && header.hwndFrom == drawingBar_) {
        ShowDrawingDropDown(*this, drawing_, drawingBar_, static_cast<UINT>(header.idFrom));
        return 0;
    }
    const UINT id = static_cast<UINT>(header.idFrom);
    if (header.code == TTN_GETDISPINFOW && (HasToolbarButton(id) || IsDrawingCommand(id))) {
        // Each button's tooltip is the text with its command's id.
        auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        ::lstrcpynW(info.szText, LoadText(static_cast<UINT>(header.idFrom)).c_str(), ARRAYSIZE(info.szText));
        info.lpszText = info.szText;
        return 0;
    }
    return ::DefFrameProcW(window_, mdiClient_, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void MainWindow::Execute(UINT commandId) {
    if (IsDrawingCommand(commandId)) {
        const HWND window = window_;
        RunDrawingCommand(*this, drawing_, commandId);
        if (::IsWindow(window)) RefreshUi();
        return;
    }
    CommandHandler handler = FindCommandHandler(commandId);
    if (!handler) return;
    const HWND window = window_;
    // The options dialog's key fields must get the program's own keys, and
    // a key does nothing while it is open anyway: they are let go meanwhile
    // and registered again from the settings it leaves.
    const bool options = commandId == ID_SETTINGS_OPTIONS;
    if (options) hotkeys_.Unregister();
    handler(*this);
    // Commands that run modal loops may see the program closed meanwhile.
    if (!::IsWindow(window)) return;
    if (options) ApplySettings();
    RefreshUi();
}

// The keys and the automatic period follow the settings; a running
// automatic capture takes the new period at once.
void MainWindow::ApplySettings() {
    keysAvailable_ = hotkeys_.Register(settings_.hotkeys);
    capture_.Timer(CaptureTimer::Automatic).SetInterval(settings_.automaticIntervalMs);
    UpdateNotificationIcon();
}

UiFacts MainWindow::Facts() {
    if (const std::optional<bool> unsaved = ActiveDocumentUnsaved(*this)) saveEnabled_ = *unsaved;
    return {capture_.PointerAreaRunning(), capture_.AutomaticRunning(), HelpContentsShown(*this), saveEnabled_, bars_,
            CanPinLastCapture(*this)};
}

void MainWindow::RefreshUi() {
    DrawUiState(Facts(), ::GetMenu(window_), toolbar_);
    // Derived afresh as well: undo and redo from the active document.
    DrawDrawingState(DrawingStateOf(*this, drawing_), ::GetMenu(window_), drawingBar_);
    ShowBars();
}

void MainWindow::ShowBars() {
    const bool toolbarChanges = HasVisibleStyle(toolbar_) != bars_.toolbarShown;
    const bool statusBarChanges = HasVisibleStyle(statusBar_) != bars_.statusBarShown;
    const bool drawingBarChanges = HasVisibleStyle(drawingBar_) != settings_.drawing.barShown;
    if (!toolbarChanges && !statusBarChanges && !drawingBarChanges) return;
    ::ShowWindow(toolbar_, bars_.toolbarShown ? SW_SHOW : SW_HIDE);
    ::ShowWindow(drawingBar_, settings_.drawing.barShown ? SW_SHOW : SW_HIDE);
    ::ShowWindow(statusBar_, bars_.statusBarShown ? SW_SHOW : SW_HIDE);
    OnSize();
}

std::vector<HWND> MainWindow::Children() const {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(mdiClient_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::GetWindow(child, GW_OWNER)) children.push_back(child);
    }
    return children;
}

void MainWindow::OnClose() {
    // Children close one by one; an unsaved document may refuse, and then
    // the whole shutdown stops there.
    const std::vector<HWND> children = Children();
    const HWND window = window_;
    const HWND mdiClient = mdiClient_;
    for (HWND child : children) {
        if (!::IsWindow(child)) continue;
        ::SendMessageW(child, WM_CLOSE, 0, 0);
        // The question ran a modal loop; the frame may be gone as well.
        if (!::IsWindow(window)) return;
        if (::IsWindow(child) && ::GetParent(child) == mdiClient) return;
    }
    ::DestroyWindow(window_);
}

bool MainWindow::OnQueryEndSession() {
    // Asked again while our questions are still open: the first round decides.
    if (askingToEndSession_) return false;
    askingToEndSession_ = true;
    // A capture under way would hide the questions under its overlay and
    // could open a document after them: it ends first.
    EndCapturesUnderWay(*this);
    // The same question as closing the window asks, but nothing closes yet:
    // another program may still refuse the end of the session.
    const HWND window = window_;
    const std::vector<HWND> children = Children();
    BlockTheEndOfSession(std::any_of(children.begin(), children.end(), AsksBeforeClosing));
    bool agreed = true;
    for (HWND child : children) {
        agreed = ConfirmDocumentClose(child);
        // The questions ran modal loops; the frame may be gone meanwhile.
        if (!::IsWindow(window)) return true;
        if (!agreed) break;
    }
    askingToEndSession_ = false;
    askedAtQuery_ = agreed ? children : std::vector<HWND>{};
    // Refused: the system shows why until the session goes on.
    if (agreed) BlockTheEndOfSession(false);
    RefreshUi();
    return agreed;
}

void MainWindow::OnEndSession(bool ending) {
    if (!ending) {
        BlockTheEndOfSession(false);
        askedAtQuery_.clear();
        return;
    }
    // A document opened after the questions (the window capture's pause
    // runs every message) is asked about now; nothing stops the end any more.
    const HWND window = window_;
    for (HWND child : Children()) {
        if (std::find(askedAtQuery_.begin(), askedAtQuery_.end(), child) != askedAtQuery_.end()) continue;
        if (AsksBeforeClosing(child)) BlockTheEndOfSession(true);
        ConfirmDocumentClose(child);
        if (!::IsWindow(window)) return;
    }
    ::DestroyWindow(window_);
}

void MainWindow::BlockTheEndOfSession(bool block) {
    // Where the system has no such list (before Vista, Wine) this does
    // nothing, and the questions alone hold the end up.
    if (block) {
        static_cast<void>(::ShutdownBlockReasonCreate(window_, LoadText(IDS_UNSAVED_CAPTURES).c_str()));
    } else {
        static_cast<void>(::ShutdownBlockReasonDestroy(window_));
    }
}

void MainWindow::OnDestroy() {
    // The overlay is a window of its own that knows this frame: it goes
    // first, however the frame is being destroyed.
    CloseRectangleOverlay();
    // Pins belong to no window; they end with the program.
    CloseAllPins();
    (void)notificationIcon_.Hide();
    hotkeys_.Unregister();
    capture_.Detach();
    ::KillTimer(window_, kClockTimerId);
    ::PostQuitMessage(0);
}

void MainWindow::RequestExit() {
    // Ends the program at once: no questions, no closing handlers.
    // No window is destroyed on the way out, so an offered clipboard picture
    // is put there now or it would be lost.
    clipboard_.RenderAll(window_);
    CloseAllPins();
    (void)notificationIcon_.Hide();
    hotkeys_.Unregister();
    capture_.Detach();
    ::PostQuitMessage(0);
}

void MainWindow::DocumentCreated(HWND document) { AttachEditor(*this, drawing_, document); }

HWND MainWindow::ActiveChild() const {
    return reinterpret_cast<HWND>(::SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0));
}

void MainWindow::SetCaption(const std::wstring& caption) { ::SetWindowTextW(window_, caption.c_str()); }

}  // namespace snapora
