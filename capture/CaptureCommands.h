#pragma once
// The capture commands and the main-window timers that drive them.
namespace snapora {

class MainWindow;

void OnEntireScreenClick(MainWindow& main);
void OnEntireScreenTick(MainWindow& main);
void OnFormClick(MainWindow& main);
void OnRectangleClick(MainWindow& main);
void OnRectangleTick(MainWindow& main);
void OnCursorClick(MainWindow& main);
void OnPointTick(MainWindow& main);
void OnAutomaticClick(MainWindow& main);
void OnAutomaticTick(MainWindow& main);

// Closes the rectangle overlay for good; the main window's unload calls it.
void CloseRectangleOverlay();

}  // namespace snapora
