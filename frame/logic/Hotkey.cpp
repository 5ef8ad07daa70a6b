#include "frame/logic/Hotkey.h"

namespace snapora {

namespace {

// Mouse buttons, and keys that only ever act as modifiers.
bool IsReservedKey(unsigned key) {
    switch (key) {
        case 0x01: case 0x02: case 0x04: case 0x05: case 0x06:  // mouse buttons
        case 0x10: case 0x11: case 0x12:                        // shift, control, alt
        case 0x5B: case 0x5C:                                   // the Windows keys
        case 0xA0: case 0xA1: case 0xA2: case 0xA3: case 0xA4: case 0xA5:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool IsUsableHotkey(const Hotkey& hotkey) {
    if (hotkey.IsNone()) return hotkey.modifiers == 0;
    return hotkey.key <= 0xFE && !IsReservedKey(hotkey.key) && (hotkey.modifiers & ~hotkey_modifier::kAll) == 0;
}

std::optional<std::size_t> FindRepeatedHotkey(const CaptureHotkeys& hotkeys) {
    for (std::size_t row = 1; row < hotkeys.size(); ++row) {
        if (hotkeys[row].IsNone()) continue;
        for (std::size_t earlier = 0; earlier < row; ++earlier) {
            if (hotkeys[earlier] == hotkeys[row]) return row;
        }
    }
    return std::nullopt;
}

std::uint32_t PackHotkey(const Hotkey& hotkey) {
    if (hotkey.IsNone()) return 0;
    return ((hotkey.modifiers & hotkey_modifier::kAll) << 8) | (hotkey.key & 0xFFu);
}

std::optional<Hotkey> UnpackHotkey(std::uint32_t packed) {
    if (packed > 0xFFFu) return std::nullopt;
    const Hotkey hotkey{packed >> 8, packed & 0xFFu};
    if (!IsUsableHotkey(hotkey)) return std::nullopt;
    return hotkey;
}

}  // namespace snapora
