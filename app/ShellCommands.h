#pragma once
// The main window's own commands.
namespace snapora {

class MainWindow;

void ToggleToolbarCommand(MainWindow& main);
void ToggleStatusBarCommand(MainWindow& main);
void TileDocuments(MainWindow& main);
void CascadeDocuments(MainWindow& main);
void ExitAtOnce(MainWindow& main);

}  // namespace snapora
