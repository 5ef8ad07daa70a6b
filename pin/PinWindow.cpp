#include "pin/PinWindow.h"

#include <windowsx.h>

#include "documents/SaveDocument.h"
#include "frame/ResourceIds.h"
#include "frame/Texts.h"
#include "picture/PictureFile.h"
#include "picture/Clipboard.h"
#include "pin/PinResource.h"
#include "win32/Handle.h"
#include "win32/WindowPlacement.h"

namespace snapora {

namespace {

constexpr wchar_t kClassName[] = L"SnaporaPin";

// The monitor a pin at `rect` (desktop coordinates) is on: the one it
// shares the most with, else the nearest.
PixelRect MonitorOf(const PixelRect& rect) {
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &info)) {
        return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

BOOL CALLBACK CollectPin(HWND window, LPARAM found) {
    if (PinWindow::FromHandle(window)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

PinWindow* PinWindow::Open(HINSTANCE instance, const Picture& picture, std::optional<POINT> screenOrigin) {
    if (picture.Empty()) return nullptr;
    // A copy of its own: the document may change or close meanwhile.
    Picture copy = picture.CopyArea(0, 0, picture.Width(), picture.Height());
    if (copy.Empty()) return nullptr;
    win32::WindowClassOptions options;
    options.style = CS_DBLCLKS;
    options.cursor = IDC_SIZEALL;
    if (!win32::RegisterWindowClassOnce(instance, kClassName, &Procedure, options)) return nullptr;

    POINT cursor{};
    ::GetCursorPos(&cursor);
    const PixelPoint pointer{cursor.x, cursor.y};
    std::optional<PixelPoint> origin;
    if (screenOrigin) origin = PixelPoint{screenOrigin->x, screenOrigin->y};
    const PixelSize size{copy.Width(), copy.Height()};
    // Kept inside the monitor the unfitted place is mostly on.
    const PixelRect place = PlaceNewPin(size, origin, pointer, MonitorOf(UnfittedPin(size, origin, pointer)));

    // Not owned by the main window: a pin stays while that is minimised.
    Owner self(new PinWindow(std::move(copy)));
    // Captioned for the task lists that show it even so.
    const std::wstring caption = LoadText(ID_EDIT_PIN);
    PinWindow* pin = FromHandle(::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName,
                                                  caption.c_str(), WS_POPUP, place.left, place.top, place.Width(), place.Height(),
                                                  nullptr, nullptr, instance, reinterpret_cast<void*>(Handover(self))));
    if (!pin) return nullptr;
    // Shown at the top of the topmost windows without activating it.
    ::SetWindowPos(pin->window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::UpdateWindow(pin->window_);
    return pin;
}

std::vector<HWND> PinWindow::All() {
    std::vector<HWND> pins;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectPin, reinterpret_cast<LPARAM>(&pins));
    return pins;
}

void PinWindow::CloseAll() {
    for (HWND pin : All()) ::DestroyWindow(pin);
}

LRESULT PinWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the picture covers every pixel
        case WM_MOUSEACTIVATE:
            return OnMouseActivate();
        case WM_LBUTTONDOWN: {
            POINT screen = PointOf(lParam);
            ::ClientToScreen(window_, &screen);
            OnButtonDown(screen);
            return 0;
        }
        case WM_MOUSEMOVE: {
            POINT screen = PointOf(lParam);
            ::ClientToScreen(window_, &screen);
            OnMouseMove(screen);
            return 0;
        }
        case WM_LBUTTONUP:
            if (dragging_) ::ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            return 0;
        case WM_LBUTTONDBLCLK:
            ::DestroyWindow(window_);
            return 0;
        case WM_MOUSEWHEEL:
            OnWheel(GET_WHEEL_DELTA_WPARAM(wParam), PointOf(lParam));
            return 0;
        case WM_KEYDOWN:
            if (OnKeyDown(wParam)) return 0;
            break;
        case WM_CONTEXTMENU:
            ShowMenu(PointOf(lParam));
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

void PinWindow::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window_, &paint);
    if (dc) {
        RECT client{};
        ::GetClientRect(window_, &client);
        win32::UniqueMemoryDc source(::CreateCompatibleDC(dc));
        if (source) {
            win32::ScopedSelect select(source.get(), picture_.Bitmap());
            if (ZoomPercent() == 100) {
                ::BitBlt(dc, 0, 0, picture_.Width(), picture_.Height(), source.get(), 0, 0, SRCCOPY);
            } else {
                // Whole pixels, repeated or dropped: a pinned screen stays sharp.
                ::SetStretchBltMode(dc, COLORONCOLOR);
                ::StretchBlt(dc, 0, 0, client.right, client.bottom, source.get(), 0, 0, picture_.Width(),
                             picture_.Height(), SRCCOPY);
            }
        }
    }
    ::EndPaint(window_, &paint);
}

LRESULT PinWindow::OnMouseActivate() {
    // Clicked: from now on it takes the focus like any window, so Esc and
    // Ctrl+C reach it.
    const LONG_PTR extended = ::GetWindowLongPtrW(window_, GWL_EXSTYLE);
    if (extended & WS_EX_NOACTIVATE) ::SetWindowLongPtrW(window_, GWL_EXSTYLE, extended & ~WS_EX_NOACTIVATE);
    ::SetForegroundWindow(window_);
    return MA_ACTIVATE;
}

void PinWindow::OnButtonDown(POINT screen) {
    RECT rect{};
    ::GetWindowRect(window_, &rect);
    dragStart_ = screen;
    windowStart_ = {rect.left, rect.top};
    dragging_ = true;
    ::SetCapture(window_);
}

void PinWindow::OnMouseMove(POINT screen) {
    if (!dragging_) return;
    ::SetWindowPos(window_, nullptr, windowStart_.x + screen.x - dragStart_.x, windowStart_.y + screen.y - dragStart_.y,
                   0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PinWindow::OnWheel(int delta, POINT screen) {
    // Away from the user zooms in, one step a notch.
    wheelRemainder_ += delta;
    const int notches = wheelRemainder_ / WHEEL_DELTA;
    wheelRemainder_ -= notches * WHEEL_DELTA;
    if (notches != 0) ZoomTo(PinZoomStepAfter(step_, notches), screen);
}

void PinWindow::ZoomTo(std::size_t step, POINT pointer) {
    if (step == step_) return;
    RECT rect{};
    ::GetWindowRect(window_, &rect);
    const PixelRect shown{rect.left, rect.top, rect.right, rect.bottom};
    step_ = step;
    const PixelRect zoomed =
        ZoomPinAbout(shown, {pointer.x, pointer.y}, {picture_.Width(), picture_.Height()}, ZoomPercent());
    ::SetWindowPos(window_, nullptr, zoomed.left, zoomed.top, zoomed.Width(), zoomed.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(window_, nullptr, FALSE);
}

bool PinWindow::OnKeyDown(WPARAM key) {
    if (key == VK_ESCAPE) {
        ::DestroyWindow(window_);
        return true;
    }
    if (key == 'C' && ::GetKeyState(VK_CONTROL) < 0) {
        Copy();
        return true;
    }
    return false;
}

void PinWindow::ShowMenu(POINT screen) {
    if (screen.x == -1 && screen.y == -1) {
        // From the keyboard: at the window's corner.
        RECT rect{};
        ::GetWindowRect(window_, &rect);
        screen = {rect.left, rect.top};
    }
    win32::UniqueMenu menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_PIN_MENU)));
    if (!menu) return;
    HMENU popup = ::GetSubMenu(menu.get(), 0);
    ::EnableMenuItem(popup, IDM_PIN_FULL_SIZE, MF_BYCOMMAND | (ZoomPercent() == 100 ? MF_GRAYED : MF_ENABLED));
    const HWND window = window_;
    const UINT id = static_cast<UINT>(::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                                                       window_, nullptr));
    // The menu ran a modal loop: the pin may have closed meanwhile.
    if (id != 0 && FromHandle(window)) RunMenuCommand(id);
}

void PinWindow::RunMenuCommand(UINT id) {
    switch (id) {
        case IDM_PIN_COPY:
            Copy();
            return;
        case IDM_PIN_SAVE_AS:
            SaveAs();
            return;
        case IDM_PIN_FULL_SIZE: {
            RECT rect{};
            ::GetWindowRect(window_, &rect);
            ZoomTo(kPinFullSizeStep, {rect.left, rect.top});
            return;
        }
        case IDM_PIN_CLOSE:
            ::DestroyWindow(window_);
            return;
        case IDM_PIN_CLOSE_ALL:
            CloseAll();
            return;
        default:
            return;
    }
}

void PinWindow::Copy() const { (void)PlacePictureOnClipboard(window_, picture_); }

void PinWindow::SaveAs() {
    const HWND window = window_;
    const std::wstring path = AskForSavePath(window);
    // The dialog ran a message loop: the pin may be gone.
    const PinWindow* pin = FromHandle(window);
    if (path.empty() || !pin) return;
    // The name decides the format, as for a document.
    (void)WritePictureFile(pin->picture_, path, PictureFormatForFileName(path));
}

}  // namespace snapora
