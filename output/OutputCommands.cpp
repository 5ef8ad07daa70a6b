#include "output/OutputCommands.h"

#include "documents/DocumentWindow.h"

namespace snapora {

// Saving, copying, printing and the picture's properties are not built yet:
// the commands exist and do nothing, and documents close without a question.
void OnSaveClick(MainWindow&) {}
void OnSetupClick(MainWindow&) {}
void OnPrintClick(MainWindow&) {}
void OnPropertiesClick(MainWindow&) {}
void OnCopyClick(MainWindow&) {}
bool ConfirmDocumentClose(DocumentWindow&) { return true; }

}  // namespace snapora
