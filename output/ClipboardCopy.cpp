#include <memory>

#include "documents/DocumentWindow.h"
#include "frame/Frame.h"
#include "frame/Texts.h"
#include "output/OutputCommands.h"
#include "picture/Clipboard.h"

namespace snapora {

void CopyActiveDocument(Frame& frame) {
    const DocumentWindow* document = DocumentWindow::FromHandle(frame.ActiveChild());
    if (!document) return;
    // What leaves is what the window shows: the picture with everything
    // drawn on it. The offer keeps a picture of its own, in both of its
    // formats: the document may be edited, emptied or closed long before
    // someone pastes the PNG. An emptied picture copies nothing.
    Picture flattened;
    const Picture& shown = document->OutputPicture(flattened);
    auto copy = std::make_shared<const Picture>(&shown == &flattened ? std::move(flattened)
                                                                     : shown.CopyArea(0, 0, shown.Width(), shown.Height()));
    if (copy->Empty()) return;
    const ClipboardWrite write = frame.Clipboard().Offer(frame.Handle(), copy, ClipboardOffer::Bitmap::AtOnce);
    // A running automatic capture owns the status bar; it shows its progress.
    if (frame.StatusShowsProgress()) return;
    frame.SetStatusText(write.busy ? ClipboardBusyText(write.holder) : std::wstring());
}

}  // namespace snapora
