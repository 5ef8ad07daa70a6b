#include "documents/CaptureDocuments.h"

#include "app/MainWindow.h"
#include "documents/DocumentWindow.h"
#include "win32/WindowPlacement.h"

namespace snapora {

namespace {

CaptureNumber captureCount = 0;
DocumentWindow* currentDocument = nullptr;

}  // namespace

void ResetCaptureCount() { captureCount = 0; }
CaptureNumber CaptureCount() { return captureCount; }

void ShowCaptureDocument(DocumentWindow& document) {
    ::SetWindowTextW(document.Handle(), CaptureCaption(captureCount).c_str());
    ++captureCount;
    if (MainWindow* main = MainWindow::Current()) {
        win32::ShowHiddenWindowAgain(main->Handle());
        ::SendMessageW(main->MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(document.Handle()), 0);
    }
    ::ShowWindow(document.Handle(), SW_SHOW);
}

DocumentWindow* CurrentDocument() { return currentDocument; }
void SetCurrentDocument(DocumentWindow* document) { currentDocument = document; }
void ForgetDocument(const DocumentWindow* document) {
    if (currentDocument == document) currentDocument = nullptr;
}

}  // namespace snapora
