#pragma once
// The capture commands and the main-window timers that drive them.
namespace snapora {

class MainWindow;

void StartEntireScreenCapture(MainWindow& main);
void EntireScreenCaptureTick(MainWindow& main);
void CaptureWindowInFront(MainWindow& main);
// The same capture without the pause, for a key pressed while the wanted
// window is already in front.
void CaptureWindowInFrontAtOnce(MainWindow& main);
void StartRectangleCapture(MainWindow& main);
void RectangleCaptureTick(MainWindow& main);
void TogglePointerAreaCapture(MainWindow& main);
void PointerAreaCaptureTick(MainWindow& main);
void ToggleAutomaticCapture(MainWindow& main);
void AutomaticCaptureTick(MainWindow& main);

// Closes the rectangle overlay for good; the main window's unload calls it.
void CloseRectangleOverlay();

}  // namespace snapora
