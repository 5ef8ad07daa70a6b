#include "capture/CaptureCommands.h"

namespace snapora {

// Rectangle capture is not built yet.
void OnRectangleClick(MainWindow&) {}
void OnRectangleTick(MainWindow&) {}
void CloseRectangleOverlay() {}

}  // namespace snapora
