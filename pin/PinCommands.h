#pragma once
// The commands that pin pictures on top of the desktop.
namespace snapora {

class Frame;

// "贴图": pins the active document's picture; nothing without one.
void PinActiveDocument(Frame& frame);
// Pins the picture of the last capture, while its document is open.
void PinLastCapture(Frame& frame);
// Whether PinLastCapture has a picture to pin.
bool CanPinLastCapture(Frame& frame);

// Closes every pin; the program's end calls it.
void CloseAllPins();

}  // namespace snapora
