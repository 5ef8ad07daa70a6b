#include "help/HelpCommands.h"

#include "frame/Frame.h"
#include "help/AboutDialog.h"
#include "help/ContentsWindow.h"

namespace snapora {

void ToggleHelpContents(Frame& frame) {
    if (ContentsWindow* window = ContentsWindow::Find(frame)) {
        window->Close();
    } else {
        ContentsWindow::Open(frame);
    }
}

bool HelpContentsShown(const Frame& frame) { return ContentsWindow::Find(frame) != nullptr; }

void ShowAbout(Frame& frame) { ShowAboutDialog(frame.Handle()); }

}  // namespace snapora
