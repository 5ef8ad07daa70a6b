#include "app/Hotkeys.h"

#include "capture/CaptureCommands.h"
#include "frame/Frame.h"
#include "frame/logic/Hotkey.h"

namespace snapora {

void RunHotkeyCapture(Frame& frame, WPARAM id) {
    const HWND window = frame.Handle();
    // Hidden and minimised, the window waits in the notification area;
    // hidden otherwise, a capture is under way.
    const bool idle = ::IsWindowVisible(window) || (::IsIconic(window) && !CaptureUnderWay(frame));
    if (!idle || !::IsWindowEnabled(window)) return;
    // Row n is registered as id n + 1.
    if (id < 1 || id > kCaptureKeys.size()) return;
    frame.Execute(kCaptureKeys[id - 1].command);
}

}  // namespace snapora
