#include "app/MainWindow.h"
#include "picture/Clipboard.h"
#include "documents/DocumentWindow.h"
#include "output/OutputCommands.h"

namespace snapora {

void CopyActiveDocument(MainWindow& main) {
    // A busy clipboard or an emptied picture ends the command silently.
    if (const DocumentWindow* document = main.ActiveDocument()) {
        (void)PlacePictureOnClipboard(main.Handle(), document->GetPicture());
    }
}

}  // namespace snapora
