#include "app/UiDrawing.h"

#include <commctrl.h>

#include "app/resource.h"

namespace snapora {

namespace {

void Check(HMENU menu, UINT id, bool on) {
    ::CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void Press(HWND toolbar, UINT id, bool on) {
    ::SendMessageW(toolbar, TB_CHECKBUTTON, id, MAKELPARAM(on ? TRUE : FALSE, 0));
}

}  // namespace

void DrawUiState(const UiFacts& facts, HMENU menu, HWND toolbar) {
    Check(menu, ID_CAPTURE_POINTER_AREA, facts.pointerAreaCapture);
    Check(menu, ID_CAPTURE_AUTOMATIC, facts.automaticCapture);
    Check(menu, ID_HELP_CONTENTS, facts.helpShown);
    Check(menu, ID_SETTINGS_TOOLBAR, facts.bars.toolbarShown);
    Check(menu, ID_SETTINGS_STATUS_BAR, facts.bars.statusBarShown);
    ::EnableMenuItem(menu, ID_FILE_SAVE_AS, MF_BYCOMMAND | (facts.saveEnabled ? MF_ENABLED : MF_GRAYED));
    ::EnableMenuItem(menu, ID_PIN_LAST_CAPTURE, MF_BYCOMMAND | (facts.pinLastCaptureEnabled ? MF_ENABLED : MF_GRAYED));
    Press(toolbar, ID_CAPTURE_POINTER_AREA, facts.pointerAreaCapture);
    Press(toolbar, ID_CAPTURE_AUTOMATIC, facts.automaticCapture);
    Press(toolbar, ID_HELP_CONTENTS, facts.helpShown);
}

}  // namespace snapora
