#include "win32/StatusBarControl.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win32/Handle.h"
#include "win32/Window.h"
#include "win32/WindowPlacement.h"

namespace snapora::win32 {

namespace {

// As the system's bar: panels 2 pixels from the top and bottom, 2 apart,
// their text 3 pixels in from the left edge.
constexpr int kBorder = 2;
constexpr int kGap = 2;
constexpr int kTextInset = 3;

class StatusBarControl : public WindowBase<StatusBarControl, WindowKind::TopLevel> {
public:
    static HWND Create(HWND parent, UINT id) {
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        if (!RegisterWindowClassOnce(instance, kStatusBarClassName, &Procedure)) return nullptr;
        Owner self(new StatusBarControl());
        constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        return ::CreateWindowExW(0, kStatusBarClassName, nullptr, style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance,
                                 reinterpret_cast<void*>(Handover(self)));
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    StatusBarControl() {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
            font_.reset(::CreateFontIndirectW(&metrics.lfStatusFont));
        }
    }

    HFONT Font() const {
        return font_ ? font_.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    }
    RECT GripRect() const {
        RECT client{};
        ::GetClientRect(window_, &client);
        client.left = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
        client.top = client.bottom - ::GetSystemMetrics(SM_CYHSCROLL);
        return client;
    }
    RECT PanelRect(std::size_t index) const {
        RECT client{};
        ::GetClientRect(window_, &client);
        const int left = index == 0 ? 0 : edges_[index - 1] + kGap;
        const int right = edges_[index] < 0 ? client.right : edges_[index];
        return RECT{left, kBorder, right, client.bottom - kBorder};
    }
    void Paint(HDC dc) const;
    LRESULT SetParts(WPARAM count, const int* edges);
    LRESULT GetText(WPARAM panel, wchar_t* out) const;
    LRESULT OnHitTest(LPARAM lParam) const;
    LRESULT OnPanelMessage(UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<int> edges_{-1};
    std::vector<std::wstring> texts_{std::wstring()};
    UniqueFont font_;
};

void StatusBarControl::Paint(HDC dc) const {
    RECT client{};
    ::GetClientRect(window_, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    ScopedSelect font(dc, Font());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    for (std::size_t i = 0; i < edges_.size(); ++i) {
        RECT panel = PanelRect(i);
        ::DrawEdge(dc, &panel, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        panel.left += kTextInset;
        ::DrawTextW(dc, texts_[i].c_str(), static_cast<int>(texts_[i].size()), &panel,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    RECT grip = GripRect();
    ::DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

LRESULT StatusBarControl::SetParts(WPARAM count, const int* edges) {
    if (count == 0 || count > 256 || !edges) return FALSE;
    edges_.assign(edges, edges + count);
    texts_.resize(count);
    ::InvalidateRect(window_, nullptr, TRUE);
    return TRUE;
}

LRESULT StatusBarControl::GetText(WPARAM panel, wchar_t* out) const {
    const std::size_t index = LOWORD(panel);
    if (index >= texts_.size()) return 0;
    const std::wstring& text = texts_[index];
    if (out) std::copy(text.c_str(), text.c_str() + text.size() + 1, out);
    return MAKELRESULT(text.size(), 0);
}

LRESULT StatusBarControl::OnHitTest(LPARAM lParam) const {
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::ScreenToClient(window_, &point);
    const RECT grip = GripRect();
    // The grip sizes the parent, unless the parent fills the screen.
    if (::PtInRect(&grip, point) && !::IsZoomed(::GetParent(window_))) return HTBOTTOMRIGHT;
    return HTCLIENT;
}

// The status bar's own messages: its panels and their texts.
LRESULT StatusBarControl::OnPanelMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case SB_SETPARTS:
            return SetParts(wParam, reinterpret_cast<const int*>(lParam));
        case SB_GETPARTS: {
            auto* out = reinterpret_cast<int*>(lParam);
            for (std::size_t i = 0; out && i < edges_.size() && i < wParam; ++i) out[i] = edges_[i];
            return LRESULT(edges_.size());
        }
        case SB_SETTEXTW: {
            const std::size_t index = LOBYTE(LOWORD(wParam));
            if (index >= texts_.size()) return FALSE;
            const auto* text = reinterpret_cast<const wchar_t*>(lParam);
            // The same text again (a timer's tick, say) is not painted again.
            if (texts_[index] == (text ? text : L"")) return TRUE;
            texts_[index] = text ? text : L"";
            RECT panel = PanelRect(index);
            ::InvalidateRect(window_, &panel, TRUE);
            return TRUE;
        }
        case SB_GETTEXTW:
            return GetText(wParam, reinterpret_cast<wchar_t*>(lParam));
        case SB_GETTEXTLENGTHW:
            return GetText(wParam, nullptr);
        case WM_GETTEXTLENGTH:
            return LRESULT(texts_[0].size());
        default: {  // WM_GETTEXT
            if (wParam == 0 || !lParam) return 0;
            const std::size_t count = std::min<std::size_t>(texts_[0].size(), wParam - 1);
            auto* out = reinterpret_cast<wchar_t*>(lParam);
            std::copy(texts_[0].c_str(), texts_[0].c_str() + count, out);
            out[count] = L'\0';
            return LRESULT(count);
        }
    }
}

LRESULT StatusBarControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            if (HDC dc = ::BeginPaint(window_, &paint)) Paint(dc);
            ::EndPaint(window_, &paint);
            return 0;
        }
        case WM_SIZE:
            ::InvalidateRect(window_, nullptr, TRUE);
            return 0;
        case WM_NCHITTEST:
            return OnHitTest(lParam);
        case WM_NCLBUTTONDOWN:
            // Pressed on the grip: the parent's corner is what moves.
            if (wParam != HTBOTTOMRIGHT) break;
            return ::SendMessageW(::GetParent(window_), WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, lParam);
        case SB_SETPARTS:
        case SB_GETPARTS:
        case SB_SETTEXTW:
        case SB_GETTEXTW:
        case SB_GETTEXTLENGTHW:
        case WM_GETTEXTLENGTH:
        case WM_GETTEXT:
            return OnPanelMessage(message, wParam, lParam);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(Font());
        default:
            break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace

HWND CreateStatusBarControl(HWND parent, UINT id) { return StatusBarControl::Create(parent, id); }

}  // namespace snapora::win32
