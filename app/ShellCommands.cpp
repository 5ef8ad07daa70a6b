#include "app/ShellCommands.h"

#include "app/MainWindow.h"

namespace snapora {

void ToggleToolbarCommand(MainWindow& main) { main.ToggleToolbar(); }
void ToggleStatusBarCommand(MainWindow& main) { main.ToggleStatusBar(); }
void TileDocuments(MainWindow& main) { ::SendMessageW(main.MdiClient(), WM_MDITILE, MDITILE_HORIZONTAL, 0); }
void CascadeDocuments(MainWindow& main) { ::SendMessageW(main.MdiClient(), WM_MDICASCADE, 0, 0); }
void ExitAtOnce(MainWindow& main) { main.RequestExit(); }

}  // namespace snapora
