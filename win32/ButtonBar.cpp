#include "win32/ButtonBar.h"

#include <commctrl.h>

#include <vector>

#include "win32/CommonControls.h"
#include "win32/Window.h"
#include "win32/WindowPlacement.h"

namespace snapora::win32 {

namespace {

constexpr wchar_t kClassName[] = L"SnaporaButtonBar";
// At 96 dpi, as the system's flat tool bars: a button is its picture plus
// 7 pixels across and 6 down, a separator 8 wide, a menu button's arrow 11.
constexpr int kPadWidth = 7;
constexpr int kPadHeight = 6;
constexpr int kSeparatorWidth = 8;
constexpr int kArrowWidth = 11;
constexpr int kTop = 2;

// `strip` with its transparent colour replaced by `colour`: the pictures as
// they look on the bar, ready to be copied without a mask at every paint.
UniqueBitmap OverColour(HBITMAP strip, COLORREF colour) {
    BITMAP info{};
    if (!strip || !::GetObjectW(strip, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return {};
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap result(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    WindowDc screen(nullptr, WindowDc::Area::Client);
    if (!result || !bits || !screen ||
        ::GetDIBits(screen.get(), strip, 0, UINT(info.bmHeight), bits, &format, DIB_RGB_COLORS) != info.bmHeight) {
        return {};
    }
    const auto bgr = [](COLORREF c) { return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c); };
    const DWORD transparent = bgr(kBarTransparent);
    const DWORD replacement = bgr(colour);
    auto* pixels = static_cast<DWORD*>(bits);
    for (std::size_t i = 0; i < std::size_t(info.bmWidth) * std::size_t(info.bmHeight); ++i) {
        if ((pixels[i] & 0xFFFFFF) == transparent) pixels[i] = replacement;
    }
    ::GdiFlush();
    return result;
}

// A button that stays down shows a face halfway to the highlight colour.
COLORREF CheckedColour() {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    return RGB((GetRValue(face) + GetRValue(light)) / 2, (GetGValue(face) + GetGValue(light)) / 2,
               (GetBValue(face) + GetBValue(light)) / 2);
}

class ButtonBar : public WindowBase<ButtonBar, WindowKind::TopLevel> {
public:
    static HWND Create(HWND parent, UINT id, std::span<const BarButton> buttons, bool divider) {
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        if (!RegisterWindowClassOnce(instance, kClassName, &Procedure)) return nullptr;
        Owner self(new ButtonBar(buttons, divider));
        constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        return ::CreateWindowExW(0, kClassName, nullptr, style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance,
                                 reinterpret_cast<void*>(Handover(self)));
    }

    void SetArt(UniqueBitmap strip, int imageSize) {
        strip_ = std::move(strip);
        imageSize_ = imageSize;
        ComposeArt();
        Layout();
    }

    [[nodiscard]] int ImageSize() const noexcept { return imageSize_; }
    // The whole factor the art was enlarged by; the bar's spaces grow with it.
    [[nodiscard]] int Scale() const noexcept { return imageSize_ > 16 ? imageSize_ / 16 : 1; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Button {
        UINT command;
        BarButtonKind kind;
        int image = -1;
        bool checked = false;
        RECT rect{};
    };

    ButtonBar(std::span<const BarButton> buttons, bool divider) : divider_(divider) {
        int image = 0;
        for (const BarButton& button : buttons) {
            const bool separator = button.kind == BarButtonKind::Separator;
            buttons_.push_back({button.command, button.kind, separator ? -1 : image, false, {}});
            if (!separator) ++image;
        }
    }

    void ComposeArt() {
        faceArt_ = OverColour(strip_.get(), ::GetSysColor(COLOR_BTNFACE));
        checkedArt_ = OverColour(strip_.get(), CheckedColour());
        ::InvalidateRect(window_, nullptr, TRUE);
    }
    void Layout();
    void Paint(HDC dc, const RECT& area) const;
    void PaintButton(HDC dc, HDC art, const Button& button, int index) const;
    int HitTest(LPARAM lParam) const;
    int IndexOf(UINT command) const;
    void SetHot(int index);
    void Invalidate(int index) const;
    void OnMouseMove(LPARAM lParam);
    void OnButtonDown(LPARAM lParam);
    void OnButtonUp(LPARAM lParam);
    void EnsureTooltip();
    void PlaceTools() const;
    void SendTools(UINT message) const;
    LRESULT OnQuery(UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<Button> buttons_;
    bool divider_;
    UniqueBitmap strip_;       // as given, with the transparent colour
    UniqueBitmap faceArt_;     // over the button face
    UniqueBitmap checkedArt_;  // over a pressed button's face
    int imageSize_ = 0;
    int hot_ = -1;
    int pressed_ = -1;
    bool leaveTracked_ = false;
    HWND tooltip_ = nullptr;
};

void ButtonBar::Layout() {
    const int scale = Scale();
    const int height = imageSize_ + kPadHeight;
    int x = 0;
    for (Button& button : buttons_) {
        int width = imageSize_ + kPadWidth;
        if (button.kind == BarButtonKind::Separator) width = kSeparatorWidth * scale;
        if (button.kind == BarButtonKind::Menu) width += kArrowWidth * scale;
        button.rect = RECT{x, kTop, x + width, kTop + height};
        x += width;
    }
    PlaceTools();
}

void ButtonBar::PaintButton(HDC dc, HDC art, const Button& button, int index) const {
    RECT rect = button.rect;
    if (button.kind == BarButtonKind::Separator) {
        const int middle = (rect.left + rect.right) / 2;
        RECT line{middle - 1, rect.top, middle + 1, rect.bottom};
        ::DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
        return;
    }
    const bool down = button.checked || (index == pressed_ && index == hot_);
    const bool checkedFace = button.checked && index != hot_;
    if (checkedFace) {
        UniqueBrush light(::CreateSolidBrush(CheckedColour()));
        if (light) ::FillRect(dc, &rect, light.get());
    }
    if (down) {
        ::DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
    } else if (index == hot_) {
        ::DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
    }
    const int shift = down ? 1 : 0;
    const int left = rect.left + (kPadWidth + 1) / 2 + shift;
    const int top = rect.top + kPadHeight / 2 + shift;
    ScopedSelect look(art, checkedFace ? checkedArt_.get() : faceArt_.get());
    if (art) ::BitBlt(dc, left, top, imageSize_, imageSize_, art, button.image * imageSize_, 0, SRCCOPY);
    if (button.kind == BarButtonKind::Menu) {
        // A small black triangle pointing down, right of the picture.
        const int scale = Scale();
        const int centre = left + imageSize_ + (kArrowWidth * scale) / 2;
        const int middle = top + imageSize_ / 2;
        for (int row = 0; row < 3 * scale; ++row) {
            const int half = 3 * scale - row - 1;
            RECT line{centre - half, middle + row - scale, centre + half + 1, middle + row - scale + 1};
            ::FillRect(dc, &line, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        }
    }
}

void ButtonBar::Paint(HDC screen, const RECT& area) const {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    // Into memory first, to the screen in one copy: every piece drawn on
    // the window itself costs a trip through the window system.
    UniqueMemoryDc buffer(::CreateCompatibleDC(screen));
    UniqueBitmap pixels(buffer ? ::CreateCompatibleBitmap(screen, width, height) : nullptr);
    HDC dc = pixels ? buffer.get() : screen;
    ScopedSelect selectPixels(buffer.get(), pixels.get());
    if (pixels) ::SetViewportOrgEx(dc, -area.left, -area.top, nullptr);
    RECT client{};
    ::GetClientRect(window_, &client);
    ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
    if (divider_) ::DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_TOP);
    UniqueMemoryDc art(faceArt_ && checkedArt_ ? ::CreateCompatibleDC(screen) : nullptr);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        RECT overlap{};
        if (::IntersectRect(&overlap, &buttons_[i].rect, &area)) PaintButton(dc, art.get(), buttons_[i], int(i));
    }
    if (pixels) {
        ::SetViewportOrgEx(dc, 0, 0, nullptr);
        ::BitBlt(screen, area.left, area.top, width, height, dc, 0, 0, SRCCOPY);
    }
}

int ButtonBar::HitTest(LPARAM lParam) const {
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i].kind != BarButtonKind::Separator && ::PtInRect(&buttons_[i].rect, point)) return int(i);
    }
    return -1;
}

int ButtonBar::IndexOf(UINT command) const {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (command != 0 && buttons_[i].command == command) return int(i);
    }
    return -1;
}

void ButtonBar::Invalidate(int index) const {
    if (index >= 0) ::InvalidateRect(window_, &buttons_[std::size_t(index)].rect, TRUE);
}

void ButtonBar::SetHot(int index) {
    if (index == hot_) return;
    Invalidate(hot_);
    hot_ = index;
    Invalidate(hot_);
}

void ButtonBar::OnMouseMove(LPARAM lParam) {
    EnsureTooltip();
    if (!leaveTracked_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
        leaveTracked_ = ::TrackMouseEvent(&track) != FALSE;
    }
    SetHot(HitTest(lParam));
}

void ButtonBar::OnButtonDown(LPARAM lParam) {
    const int index = HitTest(lParam);
    if (index < 0) return;
    const Button& button = buttons_[std::size_t(index)];
    if (button.kind == BarButtonKind::Push) {
        pressed_ = index;
        ::SetCapture(window_);
        Invalidate(index);
        return;
    }
    // A menu button is down while its menu runs.
    pressed_ = hot_ = index;
    ::RedrawWindow(window_, &button.rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    NMHDR header{window_, button.command, kButtonBarMenu};
    const HWND self = window_;
    ::SendMessageW(::GetParent(self), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    // The menu ran a modal loop: the bar is found again by its handle.
    if (ButtonBar* bar = FromHandle(self)) {
        bar->pressed_ = bar->hot_ = -1;
        bar->Invalidate(index);
    }
}

void ButtonBar::OnButtonUp(LPARAM lParam) {
    const int index = pressed_;
    if (index < 0) return;
    const bool inside = HitTest(lParam) == index;
    ::ReleaseCapture();  // ends the press (WM_CAPTURECHANGED)
    if (!inside) return;
    const HWND self = window_;
    const auto command = static_cast<WORD>(buttons_[std::size_t(index)].command);
    ::SendMessageW(::GetParent(self), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), reinterpret_cast<LPARAM>(self));
}

void ButtonBar::EnsureTooltip() {
    if (tooltip_ || !UseCommonControls(ICC_BAR_CLASSES)) return;
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    if (tooltip_) SendTools(TTM_ADDTOOLW);
}

void ButtonBar::PlaceTools() const {
    if (tooltip_) SendTools(TTM_NEWTOOLRECTW);
}

// Each button is a tool of the tooltip, its text asked for when shown:
// added with `message` TTM_ADDTOOLW, given its new place with TTM_NEWTOOLRECTW.
void ButtonBar::SendTools(UINT message) const {
    for (const Button& button : buttons_) {
        if (button.kind == BarButtonKind::Separator) continue;
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = button.command;
        tool.rect = button.rect;
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        ::SendMessageW(tooltip_, message, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

LRESULT ButtonBar::OnQuery(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool byIndex = message == TB_GETBUTTON || message == TB_GETITEMRECT;
    const int index = byIndex ? (wParam < buttons_.size() ? int(wParam) : -1) : IndexOf(static_cast<UINT>(wParam));
    if (message == TB_BUTTONCOUNT) return LRESULT(buttons_.size());
    if (index < 0) return FALSE;
    Button& button = buttons_[std::size_t(index)];
    switch (message) {
        case TB_GETBUTTON: {
            auto* out = reinterpret_cast<TBBUTTON*>(lParam);
            *out = TBBUTTON{};
            out->iBitmap = button.image;
            out->idCommand = int(button.command);
            out->fsState = BYTE(TBSTATE_ENABLED | (button.checked ? TBSTATE_CHECKED : 0));
            const BarButtonKind kind = button.kind;
            out->fsStyle = BYTE(kind == BarButtonKind::Separator ? BTNS_SEP
                                : kind == BarButtonKind::Menu    ? BTNS_WHOLEDROPDOWN
                                                                 : BTNS_BUTTON);
            out->iString = -1;
            return TRUE;
        }
        case TB_GETITEMRECT:
        case TB_GETRECT:
            *reinterpret_cast<RECT*>(lParam) = button.rect;
            return TRUE;
        case TB_ISBUTTONCHECKED:
            return button.checked ? TRUE : FALSE;
        default:  // TB_CHECKBUTTON
            if (button.checked != (LOWORD(lParam) != 0)) {
                button.checked = LOWORD(lParam) != 0;
                Invalidate(index);
            }
            return TRUE;
    }
}

LRESULT ButtonBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // painted with the buttons
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = ::BeginPaint(window_, &paint);
            if (dc) Paint(dc, paint.rcPaint);
            ::EndPaint(window_, &paint);
            return 0;
        }
        case WM_MOUSEMOVE:
            OnMouseMove(lParam);
            return 0;
        case WM_MOUSELEAVE:
            leaveTracked_ = false;
            SetHot(-1);
            return 0;
        case WM_LBUTTONDOWN:
            OnButtonDown(lParam);
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(lParam);
            return 0;
        case WM_CAPTURECHANGED:
            Invalidate(pressed_);
            pressed_ = -1;
            return 0;
        case WM_SYSCOLORCHANGE:
            ComposeArt();
            return 0;
        case WM_NOTIFY:  // a tooltip asks the tool's window for a button's text
            return ::SendMessageW(::GetParent(window_), WM_NOTIFY, wParam, lParam);
        case TB_BUTTONCOUNT:
        case TB_GETBUTTON:
        case TB_GETITEMRECT:
        case TB_GETRECT:
        case TB_ISBUTTONCHECKED:
        case TB_CHECKBUTTON:
            return OnQuery(message, wParam, lParam);
        case WM_DESTROY:
            if (tooltip_) ::DestroyWindow(tooltip_);
            tooltip_ = nullptr;
            return 0;
        default:
            return ::DefWindowProcW(window_, message, wParam, lParam);
    }
}

}  // namespace

HWND CreateButtonBar(HWND parent, UINT id, std::span<const BarButton> buttons, bool divider) {
    return ButtonBar::Create(parent, id, buttons, divider);
}

void SetButtonBarArt(HWND bar, UniqueBitmap strip, int imageSize) {
    if (ButtonBar* self = ButtonBar::FromHandle(bar)) self->SetArt(std::move(strip), imageSize);
}

int ButtonBarImageSize(HWND bar) {
    const ButtonBar* self = ButtonBar::FromHandle(bar);
    return self ? self->ImageSize() : 0;
}

}  // namespace snapora::win32
