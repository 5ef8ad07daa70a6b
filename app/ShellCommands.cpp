#include "app/ShellCommands.h"

#include "app/MainWindow.h"

namespace snapora {

// The bars follow the state when the frame refreshes after the command.
void ToggleToolbarCommand(Frame& frame) { frame.State().toolbarShown = !frame.State().toolbarShown; }
void ToggleStatusBarCommand(Frame& frame) { frame.State().statusBarShown = !frame.State().statusBarShown; }
void TileDocuments(Frame& frame) { ::SendMessageW(frame.MdiClient(), WM_MDITILE, MDITILE_HORIZONTAL, 0); }
void CascadeDocuments(Frame& frame) { ::SendMessageW(frame.MdiClient(), WM_MDICASCADE, 0, 0); }

void ExitAtOnce(Frame& frame) {
    if (MainWindow* main = MainWindow::FromHandle(frame.Handle())) main->RequestExit();
}

}  // namespace snapora
