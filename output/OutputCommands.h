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

}  // namespace snapora
