#include "app/Hotkeys.h"

#include "capture/CaptureCommands.h"
#include "frame/Frame.h"
#include "frame/ResourceIds.h"
#include "settings/logic/Hotkey.h"

namespace snapora {

void RunHotkeyCapture(Frame& frame, WPARAM id) {
    const HWND window = frame.Handle();
    // Hidden and minimised, the window waits in the notification area;
    // hidden otherwise, a capture is under way.
    const bool idle = ::IsWindowVisible(window) || (::IsIconic(window) && !CaptureUnderWay(frame));
    if (!idle || !::IsWindowEnabled(window)) return;
    switch (id) {
        case static_cast<WPARAM>(HotkeyCapture::Rectangle) + 1:
            frame.Execute(ID_CAPTURE_RECTANGLE);
            return;
        case static_cast<WPARAM>(HotkeyCapture::EntireScreen) + 1:
            frame.Execute(ID_CAPTURE_ENTIRE_SCREEN);
            return;
        case static_cast<WPARAM>(HotkeyCapture::Pin) + 1:
            frame.Execute(ID_EDIT_PIN);
            return;
        case static_cast<WPARAM>(HotkeyCapture::WindowInFront) + 1:
            CaptureWindowInFrontAtOnce(frame);
            frame.RefreshUi();
            return;
        default:
            return;
    }
}

}  // namespace snapora
