#include "settings/SettingsCommands.h"

namespace snapora {

// The options dialog is not built yet.
void OnOptionClick(MainWindow&) {}

}  // namespace snapora
