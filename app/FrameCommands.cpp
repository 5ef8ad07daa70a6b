#include "app/FrameCommands.h"

#include "app/MainWindow.h"

namespace snapora {

// The bars follow the preferences when the frame refreshes after the command.
void ToggleToolbarCommand(Frame& frame) {
    if (MainWindow* main = MainWindow::FromHandle(frame.Handle())) main->Bars().toolbarShown ^= true;
}
void ToggleStatusBarCommand(Frame& frame) {
    if (MainWindow* main = MainWindow::FromHandle(frame.Handle())) main->Bars().statusBarShown ^= true;
}
void TileDocuments(Frame& frame) { ::SendMessageW(frame.MdiClient(), WM_MDITILE, MDITILE_HORIZONTAL, 0); }
void CascadeDocuments(Frame& frame) { ::SendMessageW(frame.MdiClient(), WM_MDICASCADE, 0, 0); }

void ExitAtOnce(Frame& frame) {
    if (MainWindow* main = MainWindow::FromHandle(frame.Handle())) main->RequestExit();
}

}  // namespace snapora
