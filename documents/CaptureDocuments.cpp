#include "documents/CaptureDocuments.h"

#include "documents/DocumentWindow.h"
#include "frame/Frame.h"
#include "frame/CaptureDocumentState.h"
#include "win32/WindowPlacement.h"

namespace snapora {

void ShowCaptureDocument(Frame& frame, DocumentWindow& document) {
    CaptureDocumentState& run = frame.Captures();
    ::SetWindowTextW(document.Handle(), CaptureCaption(run.captureCount).c_str());
    ++run.captureCount;
    win32::ShowHiddenWindowAgain(frame.Handle());
    ::SendMessageW(frame.MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(document.Handle()), 0);
    ::ShowWindow(document.Handle(), SW_SHOW);
}

bool OpenCaptureDocument(Frame& frame, Picture picture, int surfaceWidth, int surfaceHeight,
                         std::optional<POINT> screenOrigin) {
    DocumentWindow* document = DocumentWindow::Create(frame);
    if (!document) return false;
    SetCurrentDocument(frame, document);
    document->SetSurfaceSize(surfaceWidth, surfaceHeight);
    document->SetPicture(std::move(picture));
    if (screenOrigin) document->SetScreenOrigin(*screenOrigin);
    ShowCaptureDocument(frame, *document);
    return true;
}

DocumentWindow* CurrentDocument(Frame& frame) { return DocumentWindow::FromHandle(frame.Captures().currentDocument); }

void SetCurrentDocument(Frame& frame, const DocumentWindow* document) {
    frame.Captures().currentDocument = document ? document->Handle() : nullptr;
}

}  // namespace snapora
