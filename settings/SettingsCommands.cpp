#include "settings/SettingsCommands.h"

#include "app/MainWindow.h"
#include "settings/OptionsDialog.h"
#include "settings/SettingsStore.h"

namespace snapora {

void ShowOptions(MainWindow& main) {
    const HWND window = main.Handle();
    CaptureSettings settings = main.Settings();
    unsigned intervalMs = main.Timer(MainTimer::Automatic).Interval();
    const HotkeyAvailability available = main.Hotkeys().Availability();
    // The hotkey fields must be able to receive the program's own keys, and
    // a key pressed meanwhile does nothing anyway: let go of them until the
    // dialog closes.
    main.Hotkeys().Unregister();
    const bool applied = ShowOptionsDialog(window, settings, intervalMs, available);
    // The dialog's message loop may have seen the program close.
    MainWindow* after = MainWindow::Current();
    if (!after || after->Handle() != window) return;
    if (applied) {
        after->Settings() = settings;
        // A running automatic capture takes the new period at once.
        after->Timer(MainTimer::Automatic).SetInterval(intervalMs);
        SaveStoredSettings(settings, intervalMs);
    }
    after->Hotkeys().Register(after->Settings().hotkeys);
}

}  // namespace snapora
