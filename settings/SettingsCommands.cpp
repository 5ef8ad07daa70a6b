#include "settings/SettingsCommands.h"

#include "frame/Frame.h"
#include "settings/OptionsDialog.h"
#include "settings/SettingsStore.h"

namespace snapora {

void ShowOptions(Frame& frame) {
    const HWND window = frame.Handle();
    const std::optional<CaptureSettings> applied =
        ShowOptionsDialog(window, frame.Settings(), frame.KeysAvailable());
    // The dialog ran a modal loop; the frame outlives it, as it owns it.
    if (!applied || !::IsWindow(window)) return;
    // The main window hands the new settings on to the keys and timers
    // after the command.
    frame.Settings() = *applied;
    SaveStoredSettings(*applied);
}

}  // namespace snapora
