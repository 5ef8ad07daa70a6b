#include <windows.h>
#include <commdlg.h>

#include "documents/DocumentWindow.h"
#include "frame/Frame.h"
#include "frame/ResourceIds.h"
#include "frame/Texts.h"
#include "output/OutputCommands.h"
#include "output/OutputResource.h"
#include "output/Printer.h"
#include "win32/Screen.h"
#include "win32/SystemLibrary.h"
#include "win32/Window.h"
#include "win32/WindowPlacement.h"

namespace snapora {
namespace {

constexpr UINT kSetTitle = WM_APP + 1;

UINT_PTR CALLBACK PageSetupHook(HWND dialog, UINT message, WPARAM, LPARAM) noexcept {
    return win32::Guarded<UINT_PTR>(0, [&]() -> UINT_PTR {
        // Some dialogs set their own caption after the hook has seen
        // WM_INITDIALOG, so the title is put on once initialisation is over.
        if (message == WM_INITDIALOG) ::PostMessageW(dialog, kSetTitle, 0, 0);
        if (message == kSetTitle) ::SetWindowTextW(dialog, LoadText(IDS_PAGE_SETUP_TITLE).c_str());
        return message == kSetTitle ? 1 : 0;  // everything else: the dialog's own handling
    });
}

std::wstring JobName(HWND document) { return LoadText(IDS_APP_TITLE) + L" " + win32::WindowText(document); }

}  // namespace

bool PrintPictureToFitPage(CurrentPrinter& printer, const Picture& picture) {
    if (picture.Empty()) return false;
    // Set before the area is read: the area is that of the new orientation.
    if (!printer.SetOrientation(OrientationForPicture(picture.Width(), picture.Height()))) return false;
    const DeviceExtent pictureExtent{picture.Width(), picture.Height(), win32::ScreenDpiX(), win32::ScreenDpiY()};
    const auto printed = FitToPrintableArea(pictureExtent, printer.PrintableArea());
    if (!printed) return false;
    // A printer DC's origin is already the printable area's top-left corner.
    return printer.PaintPicture(picture, 0, 0, printed->width, printed->height);
}

void PrintActiveDocument(Frame& frame) {
    const DocumentWindow* document = DocumentWindow::FromHandle(frame.ActiveChild());
    if (!document || document->GetPicture().Empty()) return;
    const HWND window = document->Handle();
    CurrentPrinter printer(JobName(window));
    // Opening a printer may run messages: the document is looked up again.
    document = DocumentWindow::FromHandle(window);
    if (!printer.IsOpen() || !document) return;
    Picture flattened;
    if (!PrintPictureToFitPage(printer, document->OutputPicture(flattened))) return;
    printer.EndDoc();
}

void ShowPageSetup(Frame& frame) {
    if (!frame.ActiveChild()) return;
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = frame.Handle();
    // Wine calls the print hook even for the setup dialog; Windows the setup
    // hook. Both are the same function.
    dialog.Flags = PD_PRINTSETUP | PD_ENABLESETUPHOOK | PD_ENABLEPRINTHOOK;
    dialog.lpfnSetupHook = &PageSetupHook;
    dialog.lpfnPrintHook = &PageSetupHook;
    // Nothing is read back: a cancel and an OK end alike.
    const auto printDlg = win32::LoadSystemFunction<decltype(&::PrintDlgW)>(L"comdlg32.dll", "PrintDlgW");
    if (printDlg) printDlg(&dialog);
    if (dialog.hDevMode) ::GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) ::GlobalFree(dialog.hDevNames);
}

}  // namespace snapora
