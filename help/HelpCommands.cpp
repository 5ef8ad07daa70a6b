#include "help/HelpCommands.h"

#include "app/MainWindow.h"
#include "app/resource.h"
#include "help/AboutDialog.h"
#include "help/ContentsWindow.h"

namespace snapora {

void ToggleHelpContents(MainWindow& main) {
    // The check mark decides; the toolbar button follows it.
    const bool open = !main.IsMenuChecked(ID_HELP_CONTENTS);
    main.SetMenuChecked(ID_HELP_CONTENTS, open);
    main.SetToolbarButtonPressed(ID_HELP_CONTENTS, open);
    if (open) {
        if (!ContentsWindow::Open(main)) {
            // No window came up, so nothing may claim that one is open.
            main.SetMenuChecked(ID_HELP_CONTENTS, false);
            main.SetToolbarButtonPressed(ID_HELP_CONTENTS, false);
        }
    } else if (ContentsWindow* window = ContentsWindow::Current()) {
        window->Close();
    }
}

void ShowAbout(MainWindow& main) { ShowAboutDialog(main.Handle()); }

}  // namespace snapora
