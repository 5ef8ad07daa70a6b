#include "editor/EditorCommands.h"

#include <commdlg.h>

#include <string>

#include "documents/DocumentWindow.h"
#include "editor/DocumentEditor.h"
#include "editor/EditorResource.h"
#include "editor/GdiCanvas.h"
#include "editor/logic/DrawingChoices.h"
#include "editor/logic/Tools.h"
#include "frame/Frame.h"
#include "frame/ResourceIds.h"
#include "frame/Texts.h"
#include "frame/UiState.h"
#include "win32/Handle.h"

namespace snapora {

namespace {

using editor::kPresetColours;
using editor::kTextSizes;
using editor::kWidths;

DocumentEditor* ActiveEditor(Frame& frame) { return DocumentEditor::Of(frame.ActiveChild()); }

template <class List>
UINT IndexIn(UINT id, UINT first, const List& list) {
    return id >= first && id < first + list.size() ? id - first : UINT(-1);
}

template <class List, class Value>
UINT CommandOf(UINT first, const List& list, const Value& value) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == value) return first + UINT(i);
    }
    return 0;
}

void ChooseOtherColour(Frame& frame) {
    DrawingChoices& choices = frame.Drawing();
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = frame.Handle();
    dialog.rgbResult = editor::ToColorRef(choices.style.colour);
    dialog.lpCustColors = reinterpret_cast<COLORREF*>(choices.customColours.data());
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    static_assert(sizeof(COLORREF) == sizeof(choices.customColours[0]));
    if (!::ChooseColorW(&dialog)) return;
    // The dialog ran a modal loop: the choices are the frame's and live on.
    frame.Drawing().style.colour = editor::FromColorRef(dialog.rgbResult);
}

}  // namespace

void AttachEditor(Frame& frame, HWND document) {
    if (DocumentWindow* window = DocumentWindow::FromHandle(document)) {
        window->SetOverlay(std::make_unique<DocumentEditor>(frame, document));
    }
}

void UndoActiveDocument(Frame& frame) {
    if (DocumentEditor* editor = ActiveEditor(frame)) editor->Undo();
}

void RedoActiveDocument(Frame& frame) {
    if (DocumentEditor* editor = ActiveEditor(frame)) editor->Redo();
}

void ToggleDrawingBarCommand(Frame& frame) { frame.State().drawingBarShown = !frame.State().drawingBarShown; }

bool IsDrawingCommand(UINT id) { return id >= ID_DRAW_TOOL_FIRST && id <= ID_DRAW_LAST; }

void RunDrawingCommand(Frame& frame, UINT id) {
    DrawingChoices& choices = frame.Drawing();
    const HWND document = frame.ActiveChild();
    bool restyle = true;
    if (const UINT tool = IndexIn(id, ID_DRAW_TOOL_FIRST, editor::ToolRows()); tool != UINT(-1)) {
        choices.tool = editor::ToolRows()[tool].kind;
        if (DocumentEditor* editor = DocumentEditor::Of(document)) editor->EndGesture();
        restyle = false;
    } else if (const UINT colour = IndexIn(id, ID_DRAW_COLOUR_FIRST, kPresetColours); colour != UINT(-1)) {
        choices.style.colour = kPresetColours[colour];
    } else if (const UINT width = IndexIn(id, ID_DRAW_WIDTH_FIRST, kWidths); width != UINT(-1)) {
        choices.style.width = kWidths[width];
    } else if (const UINT size = IndexIn(id, ID_DRAW_SIZE_FIRST, kTextSizes); size != UINT(-1)) {
        choices.style.textSize = kTextSizes[size];
    } else if (id == ID_DRAW_OTHER_COLOUR) {
        ChooseOtherColour(frame);
    } else {
        return;
    }
    // Looked up again: the colour dialog may have outlived the document.
    if (DocumentEditor* editor = DocumentEditor::Of(document); editor && restyle) editor->ApplyStyle();
}

DrawingUiState DrawingStateOf(Frame& frame) {
    DrawingUiState state;
    const DrawingChoices& choices = frame.Drawing();
    if (const DocumentEditor* editor = ActiveEditor(frame)) {
        state.canUndo = editor->Model().CanUndo();
        state.canRedo = editor->Model().CanRedo();
    }
    state.toolCommand = ID_DRAW_TOOL_FIRST + UINT(editor::ToolIndex(choices.tool));
    state.colourCommand = CommandOf(ID_DRAW_COLOUR_FIRST, kPresetColours, choices.style.colour);
    state.widthCommand = CommandOf(ID_DRAW_WIDTH_FIRST, kWidths, choices.style.width);
    state.sizeCommand = CommandOf(ID_DRAW_SIZE_FIRST, kTextSizes, choices.style.textSize);
    return state;
}

}  // namespace snapora
