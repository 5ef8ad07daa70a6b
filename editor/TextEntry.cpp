#include "editor/TextEntry.h"

#include <commctrl.h>

#include <vector>

#include "editor/GdiCanvas.h"
#include "win32/CommonControls.h"
#include "win32/Window.h"

namespace snapora {

namespace {

constexpr UINT_PTR kSubclassId = 1;

// Esc ends the text; the edit control itself would only beep.
LRESULT CALLBACK BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) noexcept {
    return win32::Guarded<LRESULT>(0, [&]() -> LRESULT {
        if ((message == WM_KEYDOWN || message == WM_CHAR) && wParam == VK_ESCAPE) {
            if (message == WM_KEYDOWN) ::PostMessageW(::GetParent(box), kEndTextMessage, 0, 0);
            return 0;
        }
        if (message == WM_NCDESTROY) win32::RemoveSubclass(box, &BoxProcedure, kSubclassId);
        return win32::CallNextSubclass(box, message, wParam, lParam);
    });
}

}  // namespace

bool TextEntry::Open(HWND document, PixelPoint at, int size, COLORREF colour) {
    Close();
    font_ = editor::MakeTextFont(size, false);
    const SIZE start = editor::MeasureText(L"M", size);
    box_ = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN,
                             at.x, at.y, start.cx * 2, start.cy, document, nullptr,
                             reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(document, GWLP_HINSTANCE)), nullptr);
    if (!box_) return false;
    at_ = at;
    size_ = size;
    colour_ = colour;
    win32::SetSubclass(box_, &BoxProcedure, kSubclassId, 0);
    ::SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    ::SendMessageW(box_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    ::SetFocus(box_);
    return true;
}

std::wstring TextEntry::Text() const {
    if (!box_) return {};
    const int length = ::GetWindowTextLengthW(box_);
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(box_, text.data(), length + 1);
    return std::wstring(text.data());
}

void TextEntry::Fit() {
    if (!box_) return;
    std::wstring text = Text();
    // Room for the next character and an empty last line.
    text += L"M";
    const SIZE size = editor::MeasureText(text, size_);
    ::SetWindowPos(box_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TextEntry::Colours(HDC dc) const {
    ::SetTextColor(dc, colour_);
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
}

void TextEntry::Close() {
    if (box_) {
        HWND box = box_;
        box_ = nullptr;
        ::DestroyWindow(box);
    }
    font_ = {};
}

}  // namespace snapora
