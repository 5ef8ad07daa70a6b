#include "documents/DocumentWindow.h"

#include "documents/CaptureDocuments.h"
#include "documents/SaveDocument.h"
#include "frame/Frame.h"
#include "frame/ResourceIds.h"
#include "frame/CaptureDocumentState.h"
#include "win32/Screen.h"
#include "win32/WindowPlacement.h"
#include "win32/Workspace.h"

namespace snapora {

namespace {

constexpr wchar_t kClassName[] = L"SnaporaDocument";
constexpr int kInitialSurfaceWidthTwips = 2535;
constexpr int kInitialSurfaceHeightTwips = 2055;

}  // namespace

DocumentWindow* DocumentWindow::Create(Frame& frame) {
    win32::WindowClassOptions options;
    options.iconId = IDI_DOCUMENT;
    options.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    options.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    if (!win32::RegisterWindowClassOnce(frame.Instance(), kClassName, &Procedure, options)) return nullptr;
    Owner self(new DocumentWindow(frame));
    self->surface_ = SIZE{win32::TwipsToPixelsX(kInitialSurfaceWidthTwips), win32::TwipsToPixelsY(kInitialSurfaceHeightTwips)};
    MDICREATESTRUCTW create{};
    create.szClass = kClassName;
    create.szTitle = L"";
    create.hOwner = frame.Instance();
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    create.style = WS_OVERLAPPEDWINDOW;
    create.lParam = Handover(self);
    HWND window = reinterpret_cast<HWND>(::SendMessageW(frame.MdiClient(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (FromHandle(window)) frame.DocumentCreated(window);
    return FromHandle(window);
}

LRESULT DocumentWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (overlay_ && message != WM_NCDESTROY && message != WM_PAINT && overlay_->HandleMessage(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_MDIACTIVATE:
            OnActivate(reinterpret_cast<HWND>(lParam) == window_);
            break;
        case WM_KEYDOWN:
            if (OnKeyDown(wParam)) return 0;
            break;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_NCDESTROY:
            OnDestroy();
            break;
        default:
            break;
    }
    return CallDefault(window_, message, wParam, lParam);
}

void DocumentWindow::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window_, &paint);
    if (dc) PaintSurface(dc, paint.rcPaint);
    ::EndPaint(window_, &paint);
}

void DocumentWindow::PaintSurface(HDC dc, const RECT& area) {
    if (!overlay_) {
        picture_.Draw(dc, 0, 0, surface_.cx, surface_.cy);
        return;
    }
    RECT part{};
    const RECT surface{0, 0, surface_.cx, surface_.cy};
    if (::IntersectRect(&part, &area, &surface)) overlay_->Paint(dc, part);
}

void DocumentWindow::OnActivate(bool active) {
    if (!active) return;
    frame_.RefreshUi();
}

void DocumentWindow::NoteEdit() {
    frame_.RefreshUi();
}

void DocumentWindow::SetOverlay(std::unique_ptr<PictureOverlay> overlay) {
    overlay_ = std::move(overlay);
    InvalidateSurface();
}

bool DocumentWindow::OnKeyDown(WPARAM key) {
    if (key != VK_SPACE && key != VK_RETURN) return false;
    frame_.Execute(ID_CAPTURE_POINTER_AREA);
    return true;
}

void DocumentWindow::OnClose() {
    HWND window = window_;
    HWND mdiClient = frame_.MdiClient();
    // The question may run a modal loop: only the handles are used after it.
    if (!ConfirmDocumentClose(window)) return;
    if (::IsWindow(window)) ::SendMessageW(mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
}

void DocumentWindow::OnDestroy() {
    CaptureDocumentState& run = frame_.Captures();
    if (run.currentDocument == window_) run.currentDocument = nullptr;
}

void DocumentWindow::MarkSaved() {
    isDirty_ = false;
    if (overlay_) overlay_->MarkSaved();
}

bool DocumentWindow::Close() {
    HWND window = window_;
    ::SendMessageW(window, WM_CLOSE, 0, 0);
    return !::IsWindow(window);
}

void DocumentWindow::SetPicture(Picture picture) { (void)ExchangePicture(std::move(picture)); }

Picture DocumentWindow::ExchangePicture(Picture picture) {
    // A picture that covers the whole surface is painted over the old one
    // without erasing first: the pointer-area preview changes twenty times
    // a second and would flicker.
    const bool covers = picture.Width() >= surface_.cx && picture.Height() >= surface_.cy;
    std::swap(picture_, picture);
    if (overlay_) overlay_->PictureReplaced();
    if (!covers || !DrawPictureNow()) {
        RECT surface{0, 0, surface_.cx, surface_.cy};
        ::InvalidateRect(window_, &surface, covers ? FALSE : TRUE);
    }
    return picture;
}

// The pointer-area preview's new picture goes onto the screen at once:
// under Wine, the paint message's round trip cost ten times the drawing.
// What is not visible is left to WM_PAINT.
bool DocumentWindow::DrawPictureNow() {
    if (!::IsWindowVisible(window_) || ::IsIconic(window_)) return false;
    // Sibling documents above this one keep their pixels: every MDI child
    // has WS_CLIPSIBLINGS, which GetDC follows.
    win32::WindowDc dc(window_, win32::WindowDc::Area::Client);
    if (!dc) return false;
    PaintSurface(dc.get(), {0, 0, surface_.cx, surface_.cy});
    return true;
}

void DocumentWindow::AdoptEditedPicture(Picture picture) {
    const bool resized = picture.Width() != picture_.Width() || picture.Height() != picture_.Height();
    picture_ = std::move(picture);
    if (resized) {
        RestoreIfMaximized();
        SetSurfaceSize(picture_.Width(), picture_.Height());
        SetClientSize(picture_.Width(), picture_.Height());
    }
    InvalidateSurface();
}

const Picture& DocumentWindow::OutputPicture(Picture& holder) const {
    holder = overlay_ ? overlay_->Flatten() : Picture{};
    return holder.Empty() ? picture_ : holder;
}

void DocumentWindow::ClearPicture() {
    picture_ = Picture{};
    if (overlay_) overlay_->PictureReplaced();
    InvalidateSurface();
}

void DocumentWindow::SetSurfaceSize(int width, int height) {
    InvalidateSurface();
    surface_ = SIZE{width > 0 ? width : 0, height > 0 ? height : 0};
    InvalidateSurface();
}

void DocumentWindow::SetOuterSize(int width, int height) {
    ::SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DocumentWindow::SetClientSize(int width, int height) {
    RECT frame{0, 0, 0, 0};
    if (::IsZoomed(window_) || ::IsIconic(window_)) {
        // No frame of its own to measure: the system's rule for its styles.
        const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_STYLE)) & ~(WS_MAXIMIZE | WS_MINIMIZE);
        const auto extended = static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_EXSTYLE));
        ::AdjustWindowRectEx(&frame, style, FALSE, extended);
    } else {
        // The frame as drawn now, whatever the DPI and the theme.
        RECT outer{};
        RECT client{};
        ::GetWindowRect(window_, &outer);
        ::GetClientRect(window_, &client);
        frame = RECT{0, 0, (outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
    }
    SetOuterSize(width + (frame.right - frame.left), height + (frame.bottom - frame.top));
}

void DocumentWindow::RestoreIfMaximized() {
    if (::IsZoomed(window_)) ::SendMessageW(frame_.MdiClient(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(window_), 0);
}

void DocumentWindow::InvalidateSurface() {
    RECT surface{0, 0, surface_.cx, surface_.cy};
    ::InvalidateRect(window_, &surface, TRUE);
}

}  // namespace snapora
