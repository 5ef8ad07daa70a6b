#pragma once
// The capture keys registered with the system for one window: pressed
// anywhere on the desktop, a key arrives there as WM_HOTKEY with its row's
// number plus one.
#include <windows.h>

#include <array>

#include "frame/logic/Hotkey.h"

namespace snapora {

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

}  // namespace snapora
