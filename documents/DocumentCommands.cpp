#include "documents/DocumentCommands.h"

#include "app/MainWindow.h"
#include "documents/DocumentWindow.h"

namespace snapora {

void CloseActiveDocument(MainWindow& main) {
    HWND child = main.ActiveChild();
    if (child) ::SendMessageW(child, WM_CLOSE, 0, 0);
}

void EmptyActiveDocument(MainWindow& main) {
    // Empties the picture; the surface keeps its size and the document stays
    // unsaved. The help window has no picture and is left alone.
    if (DocumentWindow* document = main.ActiveDocument()) document->ClearPicture();
}

}  // namespace snapora
