#include "app/UiDrawing.h"

#include <commctrl.h>

#include "app/resource.h"
#include "editor/EditorCommands.h"
#include "editor/EditorResource.h"
#include "editor/logic/DrawingChoices.h"
#include "editor/logic/Tools.h"

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

void DrawDrawingState(const DrawingUiState& state, HMENU menu, HWND drawingBar) {
    Check(menu, ID_SETTINGS_DRAWING_BAR, state.barShown);
    ::EnableMenuItem(menu, ID_EDIT_UNDO, MF_BYCOMMAND | (state.canUndo ? MF_ENABLED : MF_GRAYED));
    ::EnableMenuItem(menu, ID_EDIT_REDO, MF_BYCOMMAND | (state.canRedo ? MF_ENABLED : MF_GRAYED));
    for (std::size_t i = 0; i < editor::ToolRows().size(); ++i) {
        const UINT id = ID_DRAW_TOOL_FIRST + UINT(i);
        Check(menu, id, id == state.toolCommand);
        Press(drawingBar, id, id == state.toolCommand);
    }
    const auto checkRange = [&](UINT first, std::size_t count, UINT chosen) {
        for (UINT id = first; id < first + count; ++id) Check(menu, id, id == chosen);
    };
    checkRange(ID_DRAW_COLOUR_FIRST, editor::kPresetColours.size(), state.colourCommand);
    checkRange(ID_DRAW_WIDTH_FIRST, editor::kWidths.size(), state.widthCommand);
    checkRange(ID_DRAW_SIZE_FIRST, kDrawingTextSizes.size(), state.sizeCommand);
}

}  // namespace snapora
