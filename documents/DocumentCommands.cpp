#include "documents/DocumentCommands.h"

#include "documents/DocumentWindow.h"
#include "frame/Frame.h"

namespace snapora {

void CloseActiveDocument(Frame& frame) {
    HWND child = frame.ActiveChild();
    if (child) ::SendMessageW(child, WM_CLOSE, 0, 0);
}

void EmptyActiveDocument(Frame& frame) {
    // Empties the picture; the surface keeps its size and the document stays
    // unsaved. The help window has no picture and is left alone.
    if (DocumentWindow* document = DocumentWindow::FromHandle(frame.ActiveChild())) document->ClearPicture();
}

}  // namespace snapora
