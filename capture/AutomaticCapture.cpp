#include "capture/CaptureCommands.h"

namespace snapora {

// Automatic capture is not built yet.
void OnAutomaticClick(MainWindow&) {}
void OnAutomaticTick(MainWindow&) {}

}  // namespace snapora
