#pragma once
// Commands that act on the active picture document.
namespace snapora {

class MainWindow;

void CloseActiveDocument(MainWindow& main);
void EmptyActiveDocument(MainWindow& main);

}  // namespace snapora
