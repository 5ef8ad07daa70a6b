#include "app/Hotkeys.h"

#include "frame/Frame.h"
#include "frame/logic/Hotkey.h"

namespace snapora {

void RunHotkeyCapture(Frame& frame, WPARAM id) {
    const HWND window = frame.Handle();
    if (!::IsWindowVisible(window) || !::IsWindowEnabled(window)) return;
    // Row n is registered as id n + 1.
    if (id < 1 || id > kCaptureKeys.size()) return;
    frame.Execute(kCaptureKeys[id - 1].command);
}

}  // namespace snapora
