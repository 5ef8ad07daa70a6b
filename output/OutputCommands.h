#pragma once
// What is done with the active document's picture.
namespace snapora {

class MainWindow;
class DocumentWindow;

void SaveActiveDocumentAs(MainWindow& main);
void ShowPageSetup(MainWindow& main);
void PrintActiveDocument(MainWindow& main);
void ShowActiveDocumentProperties(MainWindow& main);
void CopyActiveDocument(MainWindow& main);

// The question asked when an unsaved document closes. False keeps it open.
bool ConfirmDocumentClose(DocumentWindow& document);

// Shows the save dialog and writes the document's picture to the chosen
// file. True only when a file was written; changes nothing else.
bool SavePictureAs(DocumentWindow& document);

}  // namespace snapora
