#pragma once
// Commands that act on the active picture document.
namespace snapora {

class MainWindow;

void OnCloseChildClick(MainWindow& main);
void OnDeleteClick(MainWindow& main);

}  // namespace snapora
