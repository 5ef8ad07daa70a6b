#pragma once
// The capture keys registered with the system for the main window: pressed
// anywhere on the desktop, a key arrives as WM_HOTKEY and starts its
// capture as the menu command would.
#include <windows.h>

#include <array>

#include "settings/logic/Hotkey.h"

namespace snapora {

class Frame;

class SystemHotkeys {
public:
    void Attach(HWND window) noexcept { window_ = window; }

    // Registers every row that has a key, after letting go of the old ones.
    // A key that another program holds is left out, silently; the result
    // marks its row unavailable.
    HotkeyAvailability Register(const CaptureHotkeys& keys);
    void Unregister();

private:
    HWND window_ = nullptr;
    std::array<bool, kHotkeyCaptureCount> registered_{};
};

// Whether `key` could be registered now, tried for `window` and let go at
// once.
bool CanRegisterHotkey(HWND window, const Hotkey& key);

// The main window's WM_HOTKEY. The key does nothing while a capture that
// hides the main window is under way (its wait, the rectangle overlay, the
// window capture's pause) or while a modal dialog disables it.
void RunHotkeyCapture(Frame& frame, WPARAM id);

}  // namespace snapora
