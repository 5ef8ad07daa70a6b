#include "settings/SettingsCommands.h"

#include "app/MainWindow.h"
#include "settings/OptionsDialog.h"

namespace snapora {

void ShowOptions(MainWindow& main) {
    win32::WindowTimer& automatic = main.Timer(MainTimer::Automatic);
    unsigned intervalMs = automatic.Interval();
    // A running automatic capture takes the new period at once.
    if (ShowOptionsDialog(main.Handle(), main.Settings(), intervalMs)) automatic.SetInterval(intervalMs);
}

}  // namespace snapora
