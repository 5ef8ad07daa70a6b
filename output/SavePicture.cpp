#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/resource.h"
#include "documents/DocumentWindow.h"
#include "picture/BitmapFile.h"
#include "output/OutputCommands.h"
#include "win32/Screen.h"
#include "win32/SystemLibrary.h"

namespace snapora {
namespace {

// OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN
constexpr DWORD kSaveDialogFlags = 0x8806;
static_assert(kSaveDialogFlags == (OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN));

// Pairs of name and pattern, each ended by a zero; the list by a second one.
// The entry chosen only filters the list: the name decides the format.
constexpr wchar_t kSaveFilter[] =
    L"Bitmaps\0*.bmp\0PNG\0*.png\0JPEG\0*.jpg;*.jpeg\0All Files\0*.*\0";

// Long names are allowed; a name that does not fit fails like a cancel.
constexpr DWORD kFileNameCapacity = 4096;

HWND DialogOwner(const DocumentWindow& document) {
    if (MainWindow* main = MainWindow::Current()) return main->Handle();
    return ::GetAncestor(document.Handle(), GA_ROOT);
}

std::wstring Caption(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

}  // namespace

bool SavePictureAs(DocumentWindow& document) {
    const std::wstring initialFolder = win32::ProgramFolder();
    std::vector<wchar_t> fileName(kFileNameCapacity, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = DialogOwner(document);
    dialog.Flags = kSaveDialogFlags;
    dialog.lpstrFilter = kSaveFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = kFileNameCapacity;
    static const auto getSaveFileName =
        win32::LoadSystemFunction<decltype(&::GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
    if (!getSaveFileName || !getSaveFileName(&dialog)) return false;  // cancelled, or the dialog failed

    const std::wstring path(fileName.data());
    if (path.empty()) return false;
    // The dialog is gone now; the document may not be.
    if (!::IsWindow(document.Handle())) return false;
    return WritePictureFile(document.GetPicture(), path, PictureFormatForFileName(path));
}

void SaveActiveDocumentAs(MainWindow& main) {
    DocumentWindow* document = main.ActiveDocument();
    if (!document || !document->IsDirty()) return;
    const HWND window = document->Handle();
    if (!SavePictureAs(*document)) return;
    // The dialog ran a message loop: look the document up again.
    if (DocumentWindow* saved = DocumentWindow::FromHandle(window)) saved->SetDirty(false);
    main.SetMenuEnabled(ID_FILE_SAVE_AS, false);
}

bool ConfirmDocumentClose(DocumentWindow& document) {
    if (!document.IsDirty()) return true;
    const std::wstring question = L"保存 " + Caption(document.Handle()) + L" 吗？";
    switch (::MessageBoxW(DialogOwner(document), question.c_str(), kAppTitle, MB_ICONINFORMATION | MB_YESNOCANCEL)) {
        case IDYES:
            return SavePictureAs(document);
        case IDNO:
            return true;
        default:  // Cancel, or the box could not be shown
            return false;
    }
}

}  // namespace snapora
