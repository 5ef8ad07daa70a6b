#pragma once
// The modal dialog that shows and validates the capture
// settings.
#include <windows.h>

#include "settings/logic/CaptureSettings.h"

namespace snapora {

// Shows the dialog over `owner` and returns when it has closed. On OK every
// setting is written, the automatic-capture period (milliseconds) and the
// hotkeys included, and the result is true; Cancel and the close box change
// nothing. `hotkeysAvailable` marks the rows whose key another program held.
bool ShowOptionsDialog(HWND owner, CaptureSettings& settings, unsigned& automaticIntervalMs,
                       const HotkeyAvailability& hotkeysAvailable);

}  // namespace snapora
