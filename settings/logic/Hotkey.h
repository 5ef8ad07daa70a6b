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

// The captures a key can start, in the order of their rows on the page.
// The last pins the active document's picture on top of the desktop.
enum class HotkeyCapture : std::size_t { Rectangle, EntireScreen, WindowInFront, Pin };
inline constexpr std::size_t kHotkeyCaptureCount = 4;

using CaptureHotkeys = std::array<Hotkey, kHotkeyCaptureCount>;

// Per row: false when another program held the row's key the last time the
// program tried to register it.
using HotkeyAvailability = std::array<bool, kHotkeyCaptureCount>;

inline constexpr CaptureHotkeys kDefaultHotkeys{{
    {0, kPrintScreenKey},
    {hotkey_modifier::kControl, kPrintScreenKey},
    {hotkey_modifier::kAlt, kPrintScreenKey},
    {},  // pinning has no key until the user gives it one
}};

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
