#pragma once
// The capture keys registered with the system for the main window: pressed
// anywhere on the desktop, a key arrives as WM_HOTKEY and starts its
// capture as the menu command would.
#include <windows.h>

#include "settings/logic/Hotkey.h"

namespace snapora {

class MainWindow;

class SystemHotkeys {
public:
    void Attach(HWND window) noexcept { window_ = window; }

    // Registers every row that has a key, after letting go of the old ones.
    // A key that another program holds is left out and its row counts as
    // unavailable; nothing is said.
    void Register(const CaptureHotkeys& keys);
    // Lets go of every key; the availability stays as last found.
    void Unregister();

    [[nodiscard]] const HotkeyAvailability& Availability() const noexcept { return available_; }

private:
    HWND window_ = nullptr;
    std::array<bool, kHotkeyCaptureCount> registered_{};
    HotkeyAvailability available_{true, true, true};
};

// Whether `key` could be registered now, tried for `window` and let go at
// once.
bool CanRegisterHotkey(HWND window, const Hotkey& key);

// The main window's WM_HOTKEY. The key does nothing while a capture that
// hides the main window is under way (its wait, the rectangle overlay, the
// window capture's pause) or while a modal dialog disables it.
void RunHotkeyCapture(MainWindow& main, WPARAM id);

}  // namespace snapora
