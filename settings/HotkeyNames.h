#pragma once
// The capture keys in words, as the notification area's tooltip lists
// them: one line per active key, its row's name and its key.
#include <string>

#include "frame/logic/Hotkey.h"

namespace snapora {

// "Ctrl+Alt+Shift+" and the keyboard's own name of the key.
std::wstring HotkeyName(const Hotkey& key);

// The rows that have a key the program holds, each on a line of its own,
// e.g. "矩形区域: Print Screen"; a line saying so when there is none.
std::wstring ActiveHotkeysText(const CaptureHotkeys& keys, const HotkeyAvailability& available);

}  // namespace snapora
