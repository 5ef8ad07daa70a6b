#include <windows.h>

#include "app/MainWindow.h"
#include "documents/DocumentWindow.h"
#include "output/OutputCommands.h"
#include "win32/Handle.h"

namespace snapora {

void OnCopyClick(MainWindow& main) {
    const DocumentWindow* document = main.ActiveDocument();
    if (!document) return;
    // The copy is made first, so a busy clipboard is held as briefly as
    // possible and a failed copy leaves the clipboard as it was.
    win32::UniqueBitmap copy = document->GetPicture().CopyForClipboard();
    if (!copy) return;
    // Opened with our window: the clipboard stays ours until it is closed,
    // and another program cannot slip something in between.
    win32::ClipboardLock clipboard(main.Handle());
    if (!clipboard.IsOpen()) return;
    // Emptied first so no earlier text or other format stays beside the
    // picture and gets pasted instead of it.
    if (!::EmptyClipboard()) return;
    if (::SetClipboardData(CF_BITMAP, copy.get())) {
        (void)copy.release();  // the clipboard owns it now
    }
}

}  // namespace snapora
