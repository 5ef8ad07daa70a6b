#pragma once
// The borderless window over the whole primary screen that shows
// the frozen screen while the user drags out a rectangle. An inverted
// outline follows the pointer and a red read-out sits beside
// the moving corner; on release the selected pixels of the frozen picture
// open as a new document.
//
// One overlay serves the whole run: its window is made each time it is
// shown and destroyed each time it closes, its variables stay.
#include <windows.h>

#include <string>

#include "picture/Picture.h"
#include "capture/logic/RectangleSelection.h"
#include "win32/Handle.h"

namespace snapora {

class RectangleOverlay {
public:
    // The overlay of this run, made on first use.
    static RectangleOverlay& Instance();
    // The overlay if it has been made, otherwise nullptr.
    static RectangleOverlay* Existing();
    // Closes the window without bringing the main window back and forgets
    // the overlay; the main window's unload calls this.
    static void CloseForGood();

    RectangleOverlay(const RectangleOverlay&) = delete;
    RectangleOverlay& operator=(const RectangleOverlay&) = delete;
    ~RectangleOverlay();

    // Makes `frozen` the background, loading the window (hidden) first when
    // it is not loaded. False when there is no picture or no window.
    bool SetBackground(Picture frozen);
    // Puts the loaded window in front of everything, covering the screen.
    void Show();
    // Closes the window; the main window comes back.
    void Close();

    [[nodiscard]] HWND Handle() const noexcept { return window_; }
    [[nodiscard]] bool IsDragging() const noexcept { return drag_.Dragging(); }
    [[nodiscard]] bool LabelVisible() const noexcept { return labelVisible_; }
    [[nodiscard]] const std::wstring& LabelText() const noexcept { return labelText_; }
    [[nodiscard]] RECT LabelRect() const noexcept { return labelRect_; }

    // Moves the outline from the press point to (x, y), erasing the one the
    // previous move drew.
    void MoveLines(int x, int y);

    // How the selection is cut out of the frozen picture. It reports a
    // failure as an empty picture with the reason in GetLastError(); a
    // replacement lets that failure be provoked. Nullptr restores the
    // usual copy.
    using SelectionCopier = Picture (*)(const Picture& frozen, int left, int top, int width, int height);
    static void SetSelectionCopier(SelectionCopier copier);

private:
    RectangleOverlay() = default;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool Load();
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

    HWND window_ = nullptr;
    bool closingForGood_ = false;
    Picture frozen_;
    win32::UniqueFont labelFont_;
    RectangleDrag drag_;
    bool labelVisible_ = false;
    std::wstring labelText_;
    RECT labelRect_{};
};

}  // namespace snapora
