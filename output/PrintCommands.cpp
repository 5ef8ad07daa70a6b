#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <utility>

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

// A print job is modal, as a dialog is: its owner takes no input meanwhile.
class DisabledWhileModal {
public:
    explicit DisabledWhileModal(HWND owner)
        : owner_(owner), focus_(::GetFocus()), wasEnabled_(owner && !::EnableWindow(owner, FALSE)) {}
    ~DisabledWhileModal() {
        if (!wasEnabled_ || !::IsWindow(owner_)) return;
        ::EnableWindow(owner_, TRUE);
        if (::IsWindow(focus_)) ::SetFocus(focus_);
    }
    DisabledWhileModal(const DisabledWhileModal&) = delete;
    DisabledWhileModal& operator=(const DisabledWhileModal&) = delete;

private:
    HWND owner_;
    HWND focus_;
    bool wasEnabled_;
};

}  // namespace

bool PrintPictureToFitPage(CurrentPrinter& printer, const Picture& picture) {
    if (picture.Empty()) return false;
    // Set before the area is read: the area is that of the new orientation.
    if (!printer.SetOrientation(OrientationForPicture(picture.Width(), picture.Height()))) return false;
    const DeviceExtent pictureExtent{picture.Width(), picture.Height(), win32::ScreenDpiX(), win32::ScreenDpiY()};
    const auto printed = FitToPrintableArea(pictureExtent, printer.PrintableArea());
    if (!printed || !printer.StartPage()) return false;
    // A printer DC's origin is already the printable area's top-left corner.
    return printer.PaintPicture(picture, 0, 0, printed->width, printed->height);
}

bool PrintDocument(HWND owner, HWND window, std::function<void()> started) {
    const DocumentWindow* document = DocumentWindow::FromHandle(window);
    if (!document || document->GetPicture().Empty()) return false;
    const Picture& shown = document->GetPicture();
    const PageOrientation orientation = OrientationForPicture(shown.Width(), shown.Height());
    const DisabledWhileModal modal(owner);
    CurrentPrinter printer(JobName(window), std::move(started));
    if (!printer.SetOrientation(orientation) || !printer.StartPage()) return false;
    // Opening the printer and starting the job may run message loops (a
    // printer whose port asks for a file name shows a dialog), in which the
    // pointer-area preview replaces the picture and the document may close:
    // it is looked up again, and the printer abandons the job without it.
    document = DocumentWindow::FromHandle(window);
    if (!document) return false;
    Picture flattened;
    return PrintPictureToFitPage(printer, document->OutputPicture(flattened)) && printer.EndDoc();
}

void PrintActiveDocument(Frame& frame) { PrintDocument(frame.Handle(), frame.ActiveChild()); }

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
