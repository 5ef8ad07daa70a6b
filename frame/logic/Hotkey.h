#pragma once
// The system-wide capture keys as plain values: a key with its modifiers,
// or none. The numbers are the system's own (virtual-key codes and the
// modifier bits RegisterHotKey takes), spelled out so no window header is
// needed here. The Windows key is not among the modifiers: the hotkey
// field of the options dialog cannot show or take it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "frame/ResourceIds.h"

namespace snapora {

namespace hotkey_modifier {
inline constexpr unsigned kAlt = 0x1;
inline constexpr unsigned kControl = 0x2;
inline constexpr unsigned kShift = 0x4;
inline constexpr unsigned kAll = kAlt | kControl | kShift;
}  // namespace hotkey_modifier

inline constexpr unsigned kPrintScreenKey = 0x2C;

struct Hotkey {
    unsigned modifiers = 0;  // hotkey_modifier bits
    unsigned key = 0;        // virtual-key code; 0 means no key at all

    [[nodiscard]] bool IsNone() const noexcept { return key == 0; }
    friend bool operator==(const Hotkey&, const Hotkey&) = default;
};

// The capture keys, one row each, in the order of their rows on the key
// page: a new capture key is a new row here plus its three controls on the
// page (ids from IDC_HOTKEY_FIRST_ROW on, three per row, see HotkeyPage.h).
struct CaptureKeyRow {
    Hotkey defaultKey;
    std::wstring_view storedName;  // the value that keeps it between runs
    unsigned command;              // what the key runs, as the frame's command id
};

inline constexpr std::array<CaptureKeyRow, 4> kCaptureKeys{{
    {{0, kPrintScreenKey}, L"RectangleHotkey", ID_CAPTURE_RECTANGLE},
    {{hotkey_modifier::kControl, kPrintScreenKey}, L"EntireScreenHotkey", ID_CAPTURE_ENTIRE_SCREEN},
    // At once: the key is pressed while the wanted window is in front.
    {{hotkey_modifier::kAlt, kPrintScreenKey}, L"WindowHotkey", ID_CAPTURE_WINDOW_AT_ONCE},
    // Pins the active document's picture; no key until the user gives it one.
    {{}, L"PinHotkey", ID_EDIT_PIN},
}};

inline constexpr std::size_t kHotkeyCaptureCount = kCaptureKeys.size();

using CaptureHotkeys = std::array<Hotkey, kHotkeyCaptureCount>;

// Per row: false when another program held the row's key the last time the
// program tried to register it.
using HotkeyAvailability = std::array<bool, kHotkeyCaptureCount>;

inline constexpr CaptureHotkeys kDefaultHotkeys = [] {
    CaptureHotkeys keys{};
    for (std::size_t row = 0; row < kCaptureKeys.size(); ++row) keys[row] = kCaptureKeys[row].defaultKey;
    return keys;
}();

// None, or a real key (not a mouse button, not a modifier on its own) with
// only the three known modifier bits.
bool IsUsableHotkey(const Hotkey& hotkey);

// The row that repeats the key of an earlier row, the first such; rows
// without a key never clash.
std::optional<std::size_t> FindRepeatedHotkey(const CaptureHotkeys& hotkeys);

// One number per key for storing: modifiers in bits 8-10, the key in bits
// 0-7, 0 for none. Unpacking refuses anything IsUsableHotkey refuses.
std::uint32_t PackHotkey(const Hotkey& hotkey);
std::optional<Hotkey> UnpackHotkey(std::uint32_t packed);

}  // namespace snapora
