#pragma once
// Saving a document's picture, and the question asked when an unsaved one
// closes. Both run modal loops, during which the document may go: they take
// its handle and look the document up again afterwards.
#include <windows.h>

#include <optional>
#include <string>

namespace snapora {

class Frame;

// The save dialog with the picture types, owned by `owner`: the chosen
// path, or "" when the user cancelled or the dialog failed. It runs a modal
// loop.
std::wstring AskForSavePath(HWND owner);

// Shows the save dialog and writes the document's picture to the chosen
// file. True only when a file was written; changes nothing else. Any
// failure, the document closing meanwhile included, is a quiet false.
bool SavePictureAs(HWND document) noexcept;

// The question asked when an unsaved document closes, or the session ends:
// Yes saves it (and marks it saved), No agrees; false (Cancel, or a save
// that did not happen) keeps it open.
bool ConfirmDocumentClose(HWND document) noexcept;

// Whether closing `window` asks that question: an unsaved document, or one
// of ours whose object cannot be found.
bool AsksBeforeClosing(HWND window) noexcept;

// "另存为": saves the active document when it is unsaved.
void SaveActiveDocumentAs(Frame& frame);

// Whether the active child is an unsaved document, which is when "另存为"
// is enabled; nothing when the active child is no document or there is
// none, and then the item stays as it was.
std::optional<bool> ActiveDocumentUnsaved(const Frame& frame);

}  // namespace snapora
