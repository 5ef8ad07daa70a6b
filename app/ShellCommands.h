#pragma once
// The main window's own commands.
namespace snapora {

class MainWindow;

void OnToolbarClick(MainWindow& main);
void OnStatusBarClick(MainWindow& main);
void OnTileClick(MainWindow& main);
void OnCascadeClick(MainWindow& main);
void OnExitClick(MainWindow& main);

}  // namespace snapora
