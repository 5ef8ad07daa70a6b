#include "help/HelpCommands.h"

namespace snapora {

// The help window and the about box are not built yet.
void OnContentsClick(MainWindow&) {}
void OnAboutClick(MainWindow&) {}

}  // namespace snapora
