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
#include "settings/SettingsStore.h"
#include "win32/Handle.h"
#include "win32/SystemLibrary.h"

namespace snapora {

namespace {

using editor::kPresetColours;
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

// False when the user kept the colour.
bool ChooseOtherColour(Frame& frame, DrawingChoices& choices) {
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = frame.Handle();
    dialog.rgbResult = frame.Settings().drawing.colour;
    dialog.lpCustColors = reinterpret_cast<COLORREF*>(choices.customColours.data());
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    static_assert(sizeof(COLORREF) == sizeof(choices.customColours[0]));
    const HWND owner = frame.Handle();
    // The dialog runs a modal loop, in which the program may end.
    // Its DLL is loaded at the first use, not at every start of the program.
    const auto chooseColor = win32::LoadSystemFunction<decltype(&::ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
    if (!chooseColor || !chooseColor(&dialog) || !::IsWindow(owner)) return false;
    frame.Settings().drawing.colour = dialog.rgbResult & 0xFFFFFF;
    return true;
}

}  // namespace

void AttachEditor(Frame& frame, DrawingChoices& choices, HWND document) {
    if (DocumentWindow* window = DocumentWindow::FromHandle(document)) {
        window->SetOverlay(std::make_unique<DocumentEditor>(frame, choices, document));
    }
}

void UndoActiveDocument(Frame& frame) {
    if (DocumentEditor* editor = ActiveEditor(frame)) editor->Undo();
}

void RedoActiveDocument(Frame& frame) {
    if (DocumentEditor* editor = ActiveEditor(frame)) editor->Redo();
}

void ToggleDrawingBarCommand(Frame& frame) {
    frame.Settings().drawing.barShown = !frame.Settings().drawing.barShown;
    SaveStoredSettings(frame.Settings());
}

bool IsDrawingCommand(UINT id) { return id >= ID_DRAW_TOOL_FIRST && id <= ID_DRAW_LAST; }

void RunDrawingCommand(Frame& frame, DrawingChoices& choices, UINT id) {
    const HWND document = frame.ActiveChild();
    DrawingSettings& chosen = frame.Settings().drawing;
    bool restyle = true;
    if (const UINT tool = IndexIn(id, ID_DRAW_TOOL_FIRST, editor::ToolRows()); tool != UINT(-1)) {
        choices.tool = editor::ToolRows()[tool].kind;
        if (DocumentEditor* editor = DocumentEditor::Of(document)) editor->EndGesture();
        restyle = false;
    } else if (const UINT colour = IndexIn(id, ID_DRAW_COLOUR_FIRST, kPresetColours); colour != UINT(-1)) {
        chosen.colour = editor::ToColorRef(kPresetColours[colour]);
    } else if (const UINT width = IndexIn(id, ID_DRAW_WIDTH_FIRST, kWidths); width != UINT(-1)) {
        chosen.width = kWidths[width];
    } else if (const UINT size = IndexIn(id, ID_DRAW_SIZE_FIRST, kDrawingTextSizes); size != UINT(-1)) {
        chosen.textSize = kDrawingTextSizes[size];
    } else if (id != ID_DRAW_OTHER_COLOUR || !ChooseOtherColour(frame, choices)) {
        return;
    }
    // Kept at once: the style outlives the run however it ends.
    if (restyle) SaveStoredSettings(frame.Settings());
    // Looked up again: the colour dialog may have outlived the document.
    if (DocumentEditor* editor = DocumentEditor::Of(document); editor && restyle) editor->ApplyStyle();
}

DrawingUiState DrawingStateOf(Frame& frame, const DrawingChoices& choices) {
    DrawingUiState state;
    const DrawingSettings& chosen = frame.Settings().drawing;
    state.barShown = chosen.barShown;
    if (const DocumentEditor* editor = ActiveEditor(frame)) {
        state.canUndo = editor->Model().CanUndo();
        state.canRedo = editor->Model().CanRedo();
    }
    state.toolCommand = ID_DRAW_TOOL_FIRST + UINT(editor::ToolIndex(choices.tool));
    state.colourCommand = CommandOf(ID_DRAW_COLOUR_FIRST, kPresetColours, editor::ColourOfColorRef(chosen.colour));
    state.widthCommand = CommandOf(ID_DRAW_WIDTH_FIRST, kWidths, chosen.width);
    state.sizeCommand = CommandOf(ID_DRAW_SIZE_FIRST, kDrawingTextSizes, chosen.textSize);
    return state;
}

}  // namespace snapora
