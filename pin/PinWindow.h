#pragma once
// A picture pinned on top of the desktop: a borderless window above every
// ordinary window, showing its own copy of the picture, so it stays when
// the document closes. It never takes the focus from the window the user
// is typing in until it is clicked. Dragged with the left button, zoomed
// with the wheel about the pointer, closed with Esc or a double-click;
// Ctrl+C copies; the right button offers the rest.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "picture/Picture.h"
#include "pin/logic/PinGeometry.h"
#include "win32/Window.h"

namespace snapora {

class PinWindow : public win32::WindowBase<PinWindow, win32::WindowKind::TopLevel> {
public:
    // Pins a copy of `picture` at its pixel size: at `screenOrigin`, where
    // it was on the screen, or near the pointer, inside that monitor.
    // Nullptr for an empty picture or when no window can be made.
    static PinWindow* Open(HINSTANCE instance, const Picture& picture, std::optional<POINT> screenOrigin);
    // The pins of this thread, and closing them all.
    static std::vector<HWND> All();
    static void CloseAll();

    [[nodiscard]] int ZoomPercent() const noexcept { return kPinZoomSteps[step_]; }
    [[nodiscard]] const Picture& GetPicture() const noexcept { return picture_; }

private:
    friend class win32::WindowBase<PinWindow, win32::WindowKind::TopLevel>;
    explicit PinWindow(Picture picture) : picture_(std::move(picture)) {}

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void OnPaint();
    LRESULT OnMouseActivate();
    void OnButtonDown(POINT screen);
    void OnMouseMove(POINT screen);
    void OnWheel(int delta, POINT screen);
    bool OnKeyDown(WPARAM key);
    void ShowMenu(POINT screen);
    void RunMenuCommand(UINT id);
    void ZoomTo(std::size_t step, POINT pointer);
    void Copy() const;
    void SaveAs();

    Picture picture_;
    std::size_t step_ = kPinFullSizeStep;
    // Wheel turns smaller than a notch, kept until they make one.
    int wheelRemainder_ = 0;
    bool dragging_ = false;
    POINT dragStart_{};
    POINT windowStart_{};
};

}  // namespace snapora
