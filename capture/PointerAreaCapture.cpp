#include "capture/CaptureCommands.h"

namespace snapora {

// Pointer-area capture is not built yet.
void OnCursorClick(MainWindow&) {}
void OnPointTick(MainWindow&) {}

}  // namespace snapora
