#include "documents/DocumentWindow.h"
#include "frame/Frame.h"
#include "output/OutputCommands.h"
#include "picture/Clipboard.h"

namespace snapora {

void CopyActiveDocument(Frame& frame) {
    // A busy clipboard or an emptied picture ends the command silently.
    if (const DocumentWindow* document = DocumentWindow::FromHandle(frame.ActiveChild())) {
        Picture flattened;
        (void)PlacePictureOnClipboard(frame.Handle(), document->OutputPicture(flattened));
    }
}

}  // namespace snapora
