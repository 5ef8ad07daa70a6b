#include "app/UiDrawing.h"

#include <commctrl.h>

#include "app/resource.h"
#include "frame/UiState.h"

namespace snapora {

namespace {

void Check(HMENU menu, UINT id, bool on) {
    ::CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void Press(HWND toolbar, UINT id, bool on) {
    ::SendMessageW(toolbar, TB_CHECKBUTTON, id, MAKELPARAM(on ? TRUE : FALSE, 0));
}

}  // namespace

void DrawUiState(const UiState& state, HMENU menu, HWND toolbar) {
    Check(menu, ID_CAPTURE_POINTER_AREA, state.pointerAreaCapture);
    Check(menu, ID_CAPTURE_AUTOMATIC, state.automaticCapture);
    Check(menu, ID_HELP_CONTENTS, state.helpShown);
    Check(menu, ID_SETTINGS_TOOLBAR, state.toolbarShown);
    Check(menu, ID_SETTINGS_STATUS_BAR, state.statusBarShown);
    ::EnableMenuItem(menu, ID_FILE_SAVE_AS, MF_BYCOMMAND | (state.saveEnabled ? MF_ENABLED : MF_GRAYED));
    Press(toolbar, ID_CAPTURE_POINTER_AREA, state.pointerAreaCapture);
    Press(toolbar, ID_CAPTURE_AUTOMATIC, state.automaticCapture);
    Press(toolbar, ID_HELP_CONTENTS, state.helpShown);
}

}  // namespace snapora
