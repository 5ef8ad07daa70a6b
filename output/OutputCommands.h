#pragma once
// What is done with the active document's picture.
namespace snapora {

class MainWindow;
class DocumentWindow;

void OnSaveClick(MainWindow& main);
void OnSetupClick(MainWindow& main);
void OnPrintClick(MainWindow& main);
void OnPropertiesClick(MainWindow& main);
void OnCopyClick(MainWindow& main);

// The question asked when an unsaved document closes. False keeps it open.
bool ConfirmDocumentClose(DocumentWindow& document);

// Shows the save dialog and writes the document's picture to the chosen
// file. True only when a file was written; changes nothing else.
bool SavePictureAs(DocumentWindow& document);

}  // namespace snapora
