#include "help/ContentsWindow.h"

#include "app/MainWindow.h"
#include "app/Workspace.h"
#include "app/resource.h"
#include "help/logic/HelpText.h"
#include "win32/Screen.h"
#include "win32/WindowPlacement.h"

namespace snapora {

namespace {

constexpr wchar_t kClassName[] = L"SnaporaContents";
constexpr wchar_t kCaption[] = L"主题";
constexpr int kTextBoxId = 1;
constexpr int kMarginTwips = 100;
// Where the text box sits until the window first lays it out.
constexpr int kInitialLeftTwips = 240;
constexpr int kInitialTopTwips = 120;
constexpr int kInitialWidthTwips = 4095;
constexpr int kInitialHeightTwips = 2655;

ContentsWindow* openWindow = nullptr;


// The system's message font at the screen's DPI, the one users see in
// their other windows.
HFONT CreateDefaultTextFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
    return ::CreateFontIndirectW(&metrics.lfMessageFont);
}

}  // namespace

ContentsWindow::ContentsWindow(MainWindow& main) : main_(main) {}

ContentsWindow* ContentsWindow::Current() { return openWindow; }

ContentsWindow* ContentsWindow::Open(MainWindow& main) {
    if (openWindow) {
        ::SendMessageW(main.MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(openWindow->window_), 0);
        return openWindow;
    }
    win32::WindowClassOptions options;
    options.iconId = IDI_SNAPORA;
    options.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!win32::RegisterWindowClassOnce(main.Instance(), kClassName, &ContentsWindow::WindowProc, options)) {
        return nullptr;
    }
    auto* self = new ContentsWindow(main);
    MDICREATESTRUCTW create{};
    create.szClass = kClassName;
    create.szTitle = kCaption;
    create.hOwner = main.Instance();
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    create.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    create.lParam = reinterpret_cast<LPARAM>(self);
    HWND window = reinterpret_cast<HWND>(
        ::SendMessageW(main.MdiClient(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (!window) {
        // A window that got as far as WM_NCCREATE frees itself on destroy.
        if (!self->window_) delete self;
        return nullptr;
    }
    return self;
}

LRESULT CALLBACK ContentsWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ContentsWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        const auto* mdi = static_cast<MDICREATESTRUCTW*>(create->lpCreateParams);
        self = reinterpret_cast<ContentsWindow*>(mdi->lParam);
        self->window_ = window;
        openWindow = self;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<ContentsWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWorkspaceChildProc(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (openWindow == self) openWindow = nullptr;
        delete self;
        return DefWorkspaceChildProc(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT ContentsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (!Initialise()) return -1;
            break;
        case WM_SIZE:
            OnResize(LOWORD(lParam), HIWORD(lParam));
            break;  // the MDI child's own sizing still has to run
        case WM_SETFOCUS:
            // The MDI child activates itself first; then the text takes the
            // focus so that the keys scroll it.
            DefWorkspaceChildProc(window_, message, wParam, lParam);
            if (text_) ::SetFocus(text_);
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            // Also when the window goes without being asked to close.
            OnQueryUnload();
            break;
        default:
            break;
    }
    return DefWorkspaceChildProc(window_, message, wParam, lParam);
}

bool ContentsWindow::Initialise() {
    text_ = ::CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", nullptr,
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
        win32::TwipsToPixelsX(kInitialLeftTwips), win32::TwipsToPixelsY(kInitialTopTwips),
        win32::TwipsToPixelsX(kInitialWidthTwips), win32::TwipsToPixelsY(kInitialHeightTwips), window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextBoxId)), main_.Instance(), nullptr);
    if (!text_) return false;
    font_.reset(CreateDefaultTextFont());
    if (font_) ::SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    ::SetWindowTextW(text_, HelpContentsText().c_str());
    return true;
}

void ContentsWindow::OnResize(int clientWidth, int clientHeight) {
    if (!text_) return;
    const InsetBox box = InsetWithMargins(clientWidth, clientHeight, win32::TwipsToPixelsX(kMarginTwips),
                                          win32::TwipsToPixelsY(kMarginTwips));
    ::MoveWindow(text_, box.left, box.top, box.width, box.height, TRUE);
}

void ContentsWindow::OnQueryUnload() {
    main_.SetMenuChecked(ID_HELP_CONTENTS, false);
    main_.SetToolbarButtonPressed(ID_HELP_CONTENTS, false);
}

void ContentsWindow::OnClose() {
    // The help window never refuses to close.
    OnQueryUnload();
    ::SendMessageW(main_.MdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window_), 0);
}

void ContentsWindow::Close() { ::SendMessageW(window_, WM_CLOSE, 0, 0); }

}  // namespace snapora
