#include "settings/HotkeyRegistration.h"

namespace snapora {

namespace {

// Row n is registered as id n + 1; the trial registration uses its own id.
constexpr int kTrialId = 0xB000;

bool RegisterKey(HWND window, int id, const Hotkey& key) {
    return ::RegisterHotKey(window, id, key.modifiers | MOD_NOREPEAT, key.key) != FALSE;
}

}  // namespace

HotkeyAvailability SystemHotkeys::Register(const CaptureHotkeys& keys) {
    Unregister();
    HotkeyAvailability available{};
    for (std::size_t row = 0; row < keys.size(); ++row) {
        registered_[row] = !keys[row].IsNone() && RegisterKey(window_, static_cast<int>(row) + 1, keys[row]);
        available[row] = keys[row].IsNone() || registered_[row];
    }
    return available;
}

void SystemHotkeys::Unregister() {
    for (std::size_t row = 0; row < registered_.size(); ++row) {
        if (registered_[row]) ::UnregisterHotKey(window_, static_cast<int>(row) + 1);
        registered_[row] = false;
    }
}

bool CanRegisterHotkey(HWND window, const Hotkey& key) {
    if (!RegisterKey(window, kTrialId, key)) return false;
    ::UnregisterHotKey(window, kTrialId);
    return true;
}

}  // namespace snapora
