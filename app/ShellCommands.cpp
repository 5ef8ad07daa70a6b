#include "app/ShellCommands.h"

#include "app/MainWindow.h"

namespace snapora {

void OnToolbarClick(MainWindow& main) { main.ToggleToolbar(); }
void OnStatusBarClick(MainWindow& main) { main.ToggleStatusBar(); }
void OnTileClick(MainWindow& main) { ::SendMessageW(main.MdiClient(), WM_MDITILE, MDITILE_HORIZONTAL, 0); }
void OnCascadeClick(MainWindow& main) { ::SendMessageW(main.MdiClient(), WM_MDICASCADE, 0, 0); }
void OnExitClick(MainWindow& main) { main.RequestExit(); }

}  // namespace snapora
