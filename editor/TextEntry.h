#pragma once
// The text tool's box: a real edit control placed on the picture, so that
// every input method works. Enter adds a line; Esc, or the box losing the
// keyboard, ends the text.
#include <windows.h>

#include <string>

#include "editor/logic/Geometry.h"
#include "win32/Handle.h"

namespace snapora {

// Posted to the document when the text box wants to end.
inline constexpr UINT kEndTextMessage = WM_APP + 40;

class TextEntry {
public:
    TextEntry() = default;
    TextEntry(const TextEntry&) = delete;
    TextEntry& operator=(const TextEntry&) = delete;
    ~TextEntry() { Close(); }

    // Opens the box at `at` (client pixels) over `document`.
    bool Open(HWND document, PixelPoint at, int size, COLORREF colour);
    [[nodiscard]] bool IsOpen() const noexcept { return box_ != nullptr; }
    [[nodiscard]] PixelPoint Origin() const noexcept { return at_; }
    [[nodiscard]] std::wstring Text() const;
    // Grows the box to what has been typed.
    void Fit();
    // The edit control's colours, for WM_CTLCOLOREDIT.
    LRESULT Colours(HDC dc) const;
    [[nodiscard]] HWND Box() const noexcept { return box_; }
    void Close();

private:
    HWND box_ = nullptr;
    PixelPoint at_;
    int size_ = 0;
    COLORREF colour_ = 0;
    win32::UniqueFont font_;
};

}  // namespace snapora
