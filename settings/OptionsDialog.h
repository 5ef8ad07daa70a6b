#pragma once
// The modal dialog that shows and validates the capture settings.
#include <windows.h>

#include <optional>

#include "frame/logic/CaptureSettings.h"

namespace snapora {

// Shows the dialog over `owner` and returns when it has closed: the
// settings OK applied (every field, the automatic-capture period and the
// hotkeys included), or nothing after Cancel and the close box.
// `hotkeysAvailable` marks the rows whose key another program held.
std::optional<CaptureSettings> ShowOptionsDialog(HWND owner, const CaptureSettings& current,
                                                 const HotkeyAvailability& hotkeysAvailable);

}  // namespace snapora
