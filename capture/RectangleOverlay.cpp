#include "capture/RectangleOverlay.h"

#include <windowsx.h>

#include <utility>

#include "capture/CaptureModes.h"
#include "capture/CaptureResource.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "frame/Frame.h"
#include "frame/Texts.h"
#include "win32/Screen.h"
#include "win32/WindowPlacement.h"

namespace snapora {

namespace {

constexpr wchar_t kClassName[] = L"SnaporaRectangleOverlay";
constexpr COLORREF kLabelColour = RGB(255, 0, 0);
constexpr int kLabelPoints = 9;
constexpr UINT kLabelFormat = DT_LEFT | DT_TOP | DT_NOPREFIX | DT_NOCLIP;

Picture CopySelection(const Picture& frozen, int left, int top, int width, int height) {
    return frozen.CopyArea(left, top, width, height);
}

// The system's text for an error code, without its closing line break.
std::wstring ErrorDescription(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length && buffer ? std::wstring(buffer, length) : LoadText(IDS_UNKNOWN_ERROR);
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    return text;
}

}  // namespace

RectangleOverlay* RectangleOverlay::Find() { return FromHandle(::FindWindowW(kClassName, nullptr)); }

void RectangleOverlay::CloseForGood() {
    if (RectangleOverlay* overlay = Find()) {
        overlay->closingForGood_ = true;
        overlay->Close();
    }
}

RectangleOverlay* RectangleOverlay::Open(Frame& frame, Picture frozen, const PixelRect& desktop, SelectionReceiver receiver) {
    if (frozen.Empty()) return nullptr;
    RectangleOverlay* overlay = Find();
    if (!overlay) {
        HINSTANCE module = frame.Instance();
        // No background brush: the frozen picture covers every pixel, and an
        // erase first would flash.
        win32::WindowClassOptions options;
        options.cursor = IDC_CROSS;
        if (!win32::RegisterWindowClassOnce(module, kClassName, &Procedure, options)) return nullptr;
        Owner self(new RectangleOverlay(frame));
        self->MakeLabelFont(win32::ScreenDpiY());
        overlay = FromHandle(::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP,
                                               desktop.left, desktop.top, desktop.Width(), desktop.Height(), nullptr,
                                               nullptr, module, reinterpret_cast<void*>(Handover(self))));
        if (!overlay) return nullptr;
    }
    overlay->frozen_ = std::move(frozen);
    overlay->desktop_ = desktop;
    overlay->receiver_ = std::move(receiver);
    ::InvalidateRect(overlay->window_, nullptr, FALSE);
    overlay->Show();
    return overlay;
}

void RectangleOverlay::MakeLabelFont(int dpi) {
    labelFont_.reset(::CreateFontW(-::MulDiv(kLabelPoints, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                   DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg 2"));
}

void RectangleOverlay::Show() {
    // The desktop may have changed since the window was made.
    ::SetWindowPos(window_, HWND_TOPMOST, desktop_.left, desktop_.top, desktop_.Width(), desktop_.Height(),
                   SWP_SHOWWINDOW);
    ::SetForegroundWindow(window_);
    ::SetFocus(window_);
    ::UpdateWindow(window_);
}

void RectangleOverlay::Close() { ::DestroyWindow(window_); }

LRESULT RectangleOverlay::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            OnMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            OnMouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(wParam);
            return 0;
        case WM_DPICHANGED:
            // The overlay spans every monitor and stays where it is, whatever
            // the system suggests for the monitor it counts as on; only the
            // read-out follows the new DPI.
            MakeLabelFont(win32::TakeDpiChange(window_, wParam, nullptr));
            return 0;
        case WM_DESTROY:
            Unload();
            return 0;
        default:
            break;
    }
    return CallDefault(window_, message, wParam, lParam);
}

void RectangleOverlay::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window_, &paint);
    if (dc) {
        // The DC is clipped to what needs repainting, so putting the outline
        // and the label back over the restored picture touches only pixels
        // that were just restored.
        RestoreFrozen(dc, paint.rcPaint);
        if (drag_.OutlineShown()) InvertOutline(dc, drag_.Last());
        if (labelVisible_) DrawLabel(dc);
    }
    ::EndPaint(window_, &paint);
}

void RectangleOverlay::OnMouseDown(int x, int y) {
    if (!drag_.Press({x, y})) return;
    // Keep the release even if it happens off the window.
    ::SetCapture(window_);
}

void RectangleOverlay::OnMouseMove(int x, int y) {
    if (!drag_.Dragging()) return;
    // The old label goes first: the new outline may cross where it was,
    // and restoring the picture there later would cut into the outline.
    HideLabel();
    MoveLines(x, y);
    const PixelPoint pointer = drag_.Last();
    // The read-out gives desktop coordinates, negative left of or above the
    // primary monitor.
    const PixelPoint origin{desktop_.left, desktop_.top};
    const auto onDesktop = [origin](PixelPoint p) { return PixelPoint{p.x + origin.x, p.y + origin.y}; };
    ShowLabel(PositionLabelOrigin(drag_.Start(), pointer), PositionLabelText(onDesktop(drag_.Start()), onDesktop(pointer)));
}

void RectangleOverlay::MoveLines(int x, int y) {
    const auto move = drag_.MoveTo({x, y});
    if (!move || !window_) return;
    win32::WindowDc dc(window_, win32::WindowDc::Area::Client);
    if (!dc) return;
    if (move->eraseOutlineTo) InvertOutline(dc.get(), *move->eraseOutlineTo);
    InvertOutline(dc.get(), move->drawOutlineTo);
}

void RectangleOverlay::OnMouseUp(int x, int y) {
    HideLabel();
    const RectangleDrag::Release release = drag_.ReleaseAt({x, y});
    if (release.kind == RectangleDrag::ReleaseKind::Ignored) return;
    if (::GetCapture() == window_) ::ReleaseCapture();
    if (release.eraseOutlineTo) {
        win32::WindowDc dc(window_, win32::WindowDc::Area::Client);
        if (dc) InvertOutline(dc.get(), *release.eraseOutlineTo);
    }
    switch (release.kind) {
        case RectangleDrag::ReleaseKind::Click:
            Close();
            return;
        case RectangleDrag::ReleaseKind::ZeroSize:
            ShowMessage(window_, LoadText(IDS_ZERO_SIZE_SELECTION));
            return;
        case RectangleDrag::ReleaseKind::Capture:
            MakeDocument(release.corner, release.width, release.height);
            return;
        case RectangleDrag::ReleaseKind::Ignored:
            return;
    }
}

void RectangleOverlay::OnKeyDown(WPARAM key) {
    if (key == VK_ESCAPE) Close();
}

void RectangleOverlay::MakeDocument(PixelPoint corner, int width, int height) {
    // The picture is made before the document, so a failure leaves no
    // empty document behind.
    ::SetLastError(ERROR_SUCCESS);
    const CaptureModes* modes = CaptureModes::Of(frame_.Handle());
    const CaptureModes::SelectionCopier copier = modes ? modes->selectionCopier : nullptr;
    Picture picture = (copier ? copier : &CopySelection)(frozen_, corner.x, corner.y, width, height);
    if (picture.Empty()) {
        const DWORD code = ::GetLastError();
        ShowError(code != ERROR_SUCCESS ? code : ERROR_NOT_ENOUGH_MEMORY);
        return;
    }
    if (receiver_) {
        const SelectionReceiver receiver = std::exchange(receiver_, {});
        receiver(&picture);
        Close();
        return;
    }
    ::SetLastError(ERROR_SUCCESS);
    DocumentWindow* document = DocumentWindow::Create(frame_);
    if (!document) {
        const DWORD code = ::GetLastError();
        ShowError(code != ERROR_SUCCESS ? code : ERROR_NOT_ENOUGH_MEMORY);
        return;
    }
    SetCurrentDocument(frame_, document);
    document->RestoreIfMaximized();
    document->ClearPicture();
    document->SetSurfaceSize(width, height);
    document->SetClientSize(width, height);
    document->SetPicture(std::move(picture));
    // In desktop coordinates, as the read-out gave them.
    document->SetScreenOrigin({corner.x + desktop_.left, corner.y + desktop_.top});
    ShowCaptureDocument(frame_, *document);
    Close();
}

void RectangleOverlay::ShowError(DWORD code) {
    ShowMessage(window_, FormatText(IDS_ERROR_NUMBER, ErrorDescription(code)) + std::to_wstring(code));
}

void RectangleOverlay::Unload() {
    drag_.Reset();
    labelVisible_ = false;
    // The frozen screen can be tens of megabytes; the next use grabs anew.
    frozen_ = Picture{};
    if (receiver_) {
        const SelectionReceiver receiver = std::exchange(receiver_, {});
        receiver(nullptr);
        return;
    }
    if (!closingForGood_) win32::ShowHiddenWindowAgain(frame_.Handle());
}

void RectangleOverlay::ShowLabel(PixelPoint origin, std::wstring text) {
    labelText_ = std::move(text);
    RECT bounds{origin.x, origin.y, origin.x, origin.y};
    win32::WindowDc dc(window_, win32::WindowDc::Area::Client);
    if (!dc) return;
    {
        win32::ScopedSelect font(dc.get(), labelFont_ ? static_cast<HGDIOBJ>(labelFont_.get())
                                                      : ::GetStockObject(DEFAULT_GUI_FONT));
        ::DrawTextW(dc.get(), labelText_.c_str(), -1, &bounds, kLabelFormat | DT_CALCRECT);
    }
    labelRect_ = bounds;
    labelVisible_ = true;
    DrawLabel(dc.get());
}

void RectangleOverlay::HideLabel() {
    if (!labelVisible_) return;
    labelVisible_ = false;
    if (!window_) return;
    win32::WindowDc dc(window_, win32::WindowDc::Area::Client);
    if (dc) RestoreFrozen(dc.get(), labelRect_);
}

void RectangleOverlay::DrawLabel(HDC dc) const {
    win32::ScopedSelect font(dc, labelFont_ ? static_cast<HGDIOBJ>(labelFont_.get()) : ::GetStockObject(DEFAULT_GUI_FONT));
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dc, kLabelColour);
    RECT bounds = labelRect_;
    ::DrawTextW(dc, labelText_.c_str(), -1, &bounds, kLabelFormat);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
}

void RectangleOverlay::InvertOutline(HDC dc, PixelPoint end) const {
    const OutlineStrips outline = OutlineBetween(drag_.Start(), end);
    for (int i = 0; i < outline.count; ++i) {
        const PixelRect& strip = outline.strips[static_cast<std::size_t>(i)];
        ::PatBlt(dc, strip.left, strip.top, strip.Width(), strip.Height(), DSTINVERT);
    }
}

void RectangleOverlay::RestoreFrozen(HDC dc, const RECT& area) const {
    if (frozen_.Empty() || area.right <= area.left || area.bottom <= area.top) return;
    win32::UniqueMemoryDc source(::CreateCompatibleDC(dc));
    if (!source) return;
    win32::ScopedSelect select(source.get(), frozen_.Bitmap());
    ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source.get(), area.left, area.top,
             SRCCOPY);
}

}  // namespace snapora
