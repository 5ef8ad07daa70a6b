#pragma once
// The capture commands and the main-window timers that drive them; a tick
// gets the modes that own its timer.
namespace snapora {

class CaptureModes;
class Frame;

void StartEntireScreenCapture(Frame& frame);
void EntireScreenCaptureTick(Frame& frame, CaptureModes& modes);
void CaptureWindowInFront(Frame& frame);
// The same capture without the pause, for a key pressed while the wanted
// window is already in front.
void CaptureWindowInFrontAtOnce(Frame& frame);
void StartRectangleCapture(Frame& frame);
void RectangleCaptureTick(Frame& frame, CaptureModes& modes);
void TogglePointerAreaCapture(Frame& frame);
void PointerAreaCaptureTick(Frame& frame, CaptureModes& modes);
void ToggleAutomaticCapture(Frame& frame);
void AutomaticCaptureTick(Frame& frame, CaptureModes& modes);

// Whether a capture that hides the main window is waiting or showing its
// overlay.
bool CaptureUnderWay(Frame& frame);

// Closes the rectangle overlay for good; the main window's unload calls it.
void CloseRectangleOverlay();

// Ends the captures under way as Esc would, the main window shown again:
// the waits before the entire-screen and rectangle grabs, the overlay and
// the pointer-area preview. Automatic capture opens no document and goes
// on. The end of the session calls this before it asks its questions.
void EndCapturesUnderWay(Frame& frame);

}  // namespace snapora
