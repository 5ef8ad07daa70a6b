#include "pin/PinCommands.h"

#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "frame/Frame.h"
#include "pin/PinWindow.h"

namespace snapora {

namespace {

void PinDocument(Frame& frame, const DocumentWindow* document) {
    if (document) (void)PinWindow::Open(frame.Instance(), document->GetPicture(), document->ScreenOrigin());
}

}  // namespace

void PinActiveDocument(Frame& frame) { PinDocument(frame, DocumentWindow::FromHandle(frame.ActiveChild())); }

void PinLastCapture(Frame& frame) { PinDocument(frame, CurrentDocument(frame)); }

bool CanPinLastCapture(Frame& frame) {
    const DocumentWindow* document = CurrentDocument(frame);
    return document && !document->GetPicture().Empty();
}

void CloseAllPins() { PinWindow::CloseAll(); }

}  // namespace snapora
