#include "documents/SaveDocument.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "documents/DocumentWindow.h"
#include "documents/DocumentsResource.h"
#include "frame/Frame.h"
#include "frame/Texts.h"
#include "picture/PictureFile.h"
#include "win32/Screen.h"
#include "win32/SystemLibrary.h"
#include "win32/Window.h"
#include "win32/WindowPlacement.h"

namespace snapora {
namespace {

// OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN
constexpr DWORD kSaveDialogFlags = 0x8806;
static_assert(kSaveDialogFlags == (OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN));

// Long names are allowed; a name that does not fit fails like a cancel.
constexpr DWORD kFileNameCapacity = 4096;

// The dialog's type list: every picture format's name and patterns, then
// all files; each part ends with a zero and the list with a second one.
std::wstring SaveFilter() {
    std::wstring filter;
    for (const PictureFormatRow& row : kPictureFormats) {
        filter += LoadText(row.typeText) + L'\0' + std::wstring(row.patterns) + L'\0';
    }
    return filter + LoadText(IDS_SAVE_ALL_FILES) + L'\0' + L"*.*" + L'\0' + L'\0';
}

}  // namespace

std::wstring AskForSavePath(HWND owner) {
    const std::wstring initialFolder = win32::ProgramFolder();
    const std::wstring filter = SaveFilter();
    std::vector<wchar_t> fileName(kFileNameCapacity, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.Flags = kSaveDialogFlags;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = kFileNameCapacity;
    const auto getSaveFileName =
        win32::LoadSystemFunction<decltype(&::GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
    if (!getSaveFileName || !getSaveFileName(&dialog)) return {};
    return std::wstring(fileName.data());
}

bool SavePictureAs(HWND document) noexcept {
    return win32::Guarded(false, [&] {
        if (!DocumentWindow::FromHandle(document)) return false;
        const std::wstring path = AskForSavePath(::GetAncestor(document, GA_ROOT));
        if (path.empty()) return false;
        // The dialog ran a message loop: the document may be gone.
        const DocumentWindow* saved = DocumentWindow::FromHandle(document);
        // The name decides the format; the type entry chosen only filtered the list.
        if (!saved) return false;
        // What is drawn on the picture is saved with it; the document keeps
        // it editable.
        Picture flattened;
        return WritePictureFile(saved->OutputPicture(flattened), path, PictureFormatForFileName(path));
    });
}

bool ConfirmDocumentClose(HWND document) noexcept {
    return win32::Guarded(false, [&] {
        if (!AsksBeforeClosing(document)) return true;
        const std::wstring question = FormatText(IDS_SAVE_QUESTION, win32::WindowText(document));
        switch (ShowMessage(::GetAncestor(document, GA_ROOT), question, MB_YESNOCANCEL)) {
            case IDYES: {
                if (!SavePictureAs(document)) return false;
                // Counts as saved if the session's end is refused after all.
                // "另存为" keeps its state: closing the last document leaves
                // it as it was.
                if (DocumentWindow* saved = DocumentWindow::FromHandle(document)) saved->SetDirty(false);
                return true;
            }
            case IDNO:
                return true;
            default:  // Cancel, or the box could not be shown
                return false;
        }
    });
}

std::optional<bool> ActiveDocumentUnsaved(const Frame& frame) {
    const DocumentWindow* document = DocumentWindow::FromHandle(frame.ActiveChild());
    if (!document) return std::nullopt;
    return document->IsDirty();
}

bool AsksBeforeClosing(HWND window) noexcept {
    // Not a document (the help window): nothing to lose. A document whose
    // object cannot be found is asked about, never dropped.
    if (!DocumentWindow::IsOfThisKind(window)) return false;
    const DocumentWindow* document = DocumentWindow::FromHandle(window);
    return !document || document->IsDirty();
}

void SaveActiveDocumentAs(Frame& frame) {
    const DocumentWindow* document = DocumentWindow::FromHandle(frame.ActiveChild());
    if (!document || !document->IsDirty()) return;
    const HWND window = document->Handle();
    if (!SavePictureAs(window)) return;
    if (DocumentWindow* saved = DocumentWindow::FromHandle(window)) saved->MarkSaved();
}

}  // namespace snapora
