#include "documents/DocumentWindow.h"

#include "app/MainWindow.h"
#include "app/Workspace.h"
#include "app/resource.h"
#include "documents/CaptureDocuments.h"
#include "output/OutputCommands.h"
#include "win32/Screen.h"
#include "win32/WindowPlacement.h"

namespace snapora {

namespace {

constexpr wchar_t kClassName[] = L"SnaporaDocument";
constexpr int kInitialSurfaceWidthTwips = 2535;
constexpr int kInitialSurfaceHeightTwips = 2055;


}  // namespace

DocumentWindow::DocumentWindow(MainWindow& main) : main_(main) {}

DocumentWindow* DocumentWindow::Create(MainWindow& main) {
    win32::WindowClassOptions options;
    options.iconId = IDI_DOCUMENT;
    options.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    options.style = CS_HREDRAW | CS_VREDRAW;
    if (!win32::RegisterWindowClassOnce(main.Instance(), kClassName, &DocumentWindow::WindowProc, options)) {
        return nullptr;
    }
    auto* self = new DocumentWindow(main);
    MDICREATESTRUCTW create{};
    create.szClass = kClassName;
    create.szTitle = L"";
    create.hOwner = main.Instance();
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    create.style = WS_OVERLAPPEDWINDOW;
    create.lParam = reinterpret_cast<LPARAM>(self);
    HWND window = reinterpret_cast<HWND>(::SendMessageW(main.MdiClient(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (!window) {
        // A window that got as far as WM_NCCREATE frees itself on destroy.
        if (!self->window_) delete self;
        return nullptr;
    }
    return self;
}

DocumentWindow* DocumentWindow::FromHandle(HWND window) {
    if (!window) return nullptr;
    wchar_t className[64] = {};
    if (!::GetClassNameW(window, className, 64) || ::lstrcmpW(className, kClassName) != 0) return nullptr;
    return reinterpret_cast<DocumentWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK DocumentWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DocumentWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        const auto* mdi = static_cast<MDICREATESTRUCTW*>(create->lpCreateParams);
        self = reinterpret_cast<DocumentWindow*>(mdi->lParam);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<DocumentWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWorkspaceChildProc(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        ForgetDocument(self);
        delete self;
        return DefWorkspaceChildProc(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT DocumentWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            Initialise();
            break;
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
        default:
            break;
    }
    return DefWorkspaceChildProc(window_, message, wParam, lParam);
}

void DocumentWindow::Initialise() {
    isDirty_ = true;
    surface_ = SIZE{win32::TwipsToPixelsX(kInitialSurfaceWidthTwips), win32::TwipsToPixelsY(kInitialSurfaceHeightTwips)};
}

void DocumentWindow::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window_, &paint);
    if (dc) picture_.Draw(dc, 0, 0, surface_.cx, surface_.cy);
    ::EndPaint(window_, &paint);
}

void DocumentWindow::OnActivate(bool active) {
    if (active) main_.SetMenuEnabled(ID_FILE_SAVE_AS, isDirty_);
}

bool DocumentWindow::OnKeyDown(WPARAM key) {
    if (key != VK_SPACE && key != VK_RETURN) return false;
    main_.ExecuteCommand(ID_CAPTURE_POINTER_AREA);
    return true;
}

void DocumentWindow::OnClose() {
    if (!ConfirmDocumentClose(*this)) return;
    ::SendMessageW(main_.MdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window_), 0);
}

bool DocumentWindow::Close() {
    HWND window = window_;
    ::SendMessageW(window, WM_CLOSE, 0, 0);
    return !::IsWindow(window);
}

void DocumentWindow::SetPicture(Picture picture) {
    // A picture that covers the whole surface is painted over the old one
    // without erasing first: the pointer-area preview changes twenty times
    // a second and would flicker.
    const bool covers = picture.Width() >= surface_.cx && picture.Height() >= surface_.cy;
    picture_ = std::move(picture);
    RECT surface{0, 0, surface_.cx, surface_.cy};
    ::InvalidateRect(window_, &surface, covers ? FALSE : TRUE);
}

void DocumentWindow::ClearPicture() {
    picture_ = Picture{};
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

void DocumentWindow::RestoreIfMaximized() {
    if (::IsZoomed(window_)) ::SendMessageW(main_.MdiClient(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(window_), 0);
}

void DocumentWindow::InvalidateSurface() {
    RECT surface{0, 0, surface_.cx, surface_.cy};
    ::InvalidateRect(window_, &surface, TRUE);
}

}  // namespace snapora
