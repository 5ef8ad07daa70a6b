#include "help/ContentsWindow.h"

#include "frame/Frame.h"
#include "frame/ResourceIds.h"
#include "frame/Texts.h"
#include "help/HelpResource.h"
#include "help/logic/HelpText.h"
#include "win32/Workspace.h"
#include "win32/Screen.h"
#include "win32/WindowPlacement.h"

namespace snapora {

namespace {

constexpr wchar_t kClassName[] = L"SnaporaContents";
constexpr int kTextBoxId = 1;
constexpr int kMarginTwips = 100;
// Where the text box sits until the window first lays it out.
constexpr int kInitialLeftTwips = 240;
constexpr int kInitialTopTwips = 120;
constexpr int kInitialWidthTwips = 4095;
constexpr int kInitialHeightTwips = 2655;


// The system's message font at the screen's DPI, the one users see in
// their other windows.
HFONT CreateDefaultTextFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
    return ::CreateFontIndirectW(&metrics.lfMessageFont);
}

}  // namespace

ContentsWindow* ContentsWindow::Find(const Frame& frame) {
    ContentsWindow* window = FromHandle(::FindWindowExW(frame.MdiClient(), nullptr, kClassName, nullptr));
    return window && !window->closing_ ? window : nullptr;
}

ContentsWindow* ContentsWindow::Open(Frame& frame) {
    if (ContentsWindow* open = Find(frame)) {
        ::SendMessageW(frame.MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(open->window_), 0);
        return open;
    }
    win32::WindowClassOptions options;
    options.iconId = IDI_SNAPORA;
    options.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!win32::RegisterWindowClassOnce(frame.Instance(), kClassName, &Procedure, options)) return nullptr;
    Owner self(new ContentsWindow(frame));
    const std::wstring caption = LoadText(IDS_CONTENTS_CAPTION);
    MDICREATESTRUCTW create{};
    create.szClass = kClassName;
    create.szTitle = caption.c_str();
    create.hOwner = frame.Instance();
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    create.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    create.lParam = Handover(self);
    return FromHandle(reinterpret_cast<HWND>(
        ::SendMessageW(frame.MdiClient(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create))));
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
    return CallDefault(window_, message, wParam, lParam);
}

bool ContentsWindow::Initialise() {
    text_ = ::CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", nullptr,
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
        win32::TwipsToPixelsX(kInitialLeftTwips), win32::TwipsToPixelsY(kInitialTopTwips),
        win32::TwipsToPixelsX(kInitialWidthTwips), win32::TwipsToPixelsY(kInitialHeightTwips), window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextBoxId)), frame_.Instance(), nullptr);
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
    // From here on the window no longer counts as shown.
    closing_ = true;
    frame_.RefreshUi();
}

void ContentsWindow::OnClose() {
    // The help window never refuses to close.
    OnQueryUnload();
    ::SendMessageW(frame_.MdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window_), 0);
}

void ContentsWindow::Close() { ::SendMessageW(window_, WM_CLOSE, 0, 0); }

}  // namespace snapora
