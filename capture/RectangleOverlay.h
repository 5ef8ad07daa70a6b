#pragma once
// The borderless window over the whole desktop, every monitor, that shows
// the frozen desktop while the user drags out a rectangle. An inverted
// outline follows the pointer and a red read-out sits beside
// the moving corner; on release the selected pixels of the frozen picture
// open as a new document.
//
// The overlay is made each time it is shown and goes each time it closes.
#include <windows.h>

#include <functional>
#include <string>

#include "capture/logic/RectangleSelection.h"
#include "picture/Picture.h"
#include "win32/Handle.h"
#include "win32/Window.h"

namespace snapora {

class Frame;

class RectangleOverlay : public win32::WindowBase<RectangleOverlay, win32::WindowKind::TopLevel> {
public:
    // Where a selection goes instead of a new document: the selected
    // picture, or nullptr when the overlay closed without one. Called once;
    // the main window is then left as it is.
    using SelectionReceiver = std::function<void(Picture* selected)>;

    // Shows `frozen`, the picture of the desktop rectangle `desktop`, over
    // that rectangle, in front of everything, in the open overlay or a new
    // one. Nullptr when there is no picture or no window.
    static RectangleOverlay* Open(Frame& frame, Picture frozen, const PixelRect& desktop, SelectionReceiver receiver = {});
    // The open overlay, or nullptr.
    static RectangleOverlay* Find();
    // Closes the overlay without bringing the main window back; the main
    // window's unload calls this.
    static void CloseForGood();

    // Closes the window; the main window comes back.
    void Close();

    [[nodiscard]] bool IsDragging() const noexcept { return drag_.Dragging(); }
    [[nodiscard]] bool LabelVisible() const noexcept { return labelVisible_; }
    [[nodiscard]] const std::wstring& LabelText() const noexcept { return labelText_; }
    [[nodiscard]] RECT LabelRect() const noexcept { return labelRect_; }
    [[nodiscard]] HFONT LabelFont() const noexcept { return labelFont_.get(); }

    // Moves the outline from the press point to (x, y), erasing the one the
    // previous move drew.
    void MoveLines(int x, int y);

private:
    friend class win32::WindowBase<RectangleOverlay, win32::WindowKind::TopLevel>;
    explicit RectangleOverlay(Frame& frame) : frame_(frame) {}

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Show();
    void MakeLabelFont(int dpi);
    void OnPaint();
    void OnMouseDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnMouseUp(int x, int y);
    void OnKeyDown(WPARAM key);
    void Unload();

    void MakeDocument(PixelPoint corner, int width, int height);
    void ShowError(DWORD code);
    void ShowLabel(PixelPoint origin, std::wstring text);
    void HideLabel();
    void DrawLabel(HDC dc) const;
    void InvertOutline(HDC dc, PixelPoint end) const;
    void RestoreFrozen(HDC dc, const RECT& area) const;

    Frame& frame_;
    SelectionReceiver receiver_;
    bool closingForGood_ = false;
    Picture frozen_;
    PixelRect desktop_;  // where the window and the frozen picture lie
    win32::UniqueFont labelFont_;
    RectangleDrag drag_;
    bool labelVisible_ = false;
    std::wstring labelText_;
    RECT labelRect_{};
};

}  // namespace snapora
