#include "help/HelpCommands.h"

#include "frame/Frame.h"
#include "frame/UiState.h"
#include "help/AboutDialog.h"
#include "help/ContentsWindow.h"

namespace snapora {

void ToggleHelpContents(Frame& frame) {
    UiState& state = frame.State();
    state.helpShown = !state.helpShown;
    if (state.helpShown) {
        // No window came up, so nothing may claim that one is open.
        if (!ContentsWindow::Open(frame)) state.helpShown = false;
    } else if (ContentsWindow* window = ContentsWindow::Find(frame)) {
        window->Close();
    }
}

void ShowAbout(Frame& frame) { ShowAboutDialog(frame.Handle()); }

}  // namespace snapora
