#include "settings/SettingsCommands.h"

#include "frame/Frame.h"
#include "frame/RunState.h"
#include "settings/OptionsDialog.h"
#include "settings/SettingsStore.h"
#include "win32/WindowTimer.h"

namespace snapora {

void ShowOptions(Frame& frame) {
    const HWND window = frame.Handle();
    const std::optional<CaptureSettings> applied =
        ShowOptionsDialog(window, frame.Settings(), frame.Run().hotkeysAvailable);
    // The dialog ran a modal loop; the frame outlives it, as it owns it.
    if (!applied || !::IsWindow(window)) return;
    frame.Settings() = *applied;
    // A running automatic capture takes the new period at once.
    frame.Timer(MainTimer::Automatic).SetInterval(applied->automaticIntervalMs);
    SaveStoredSettings(*applied);
}

}  // namespace snapora
