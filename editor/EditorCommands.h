#pragma once
// The editor's commands, its tool bar "绘图" and its menu, and the state
// menus and bars show of it, derived from the active document each time.
#include <windows.h>

namespace snapora {

class Frame;
struct DrawingChoices;

// Lays the editor over a new document window. `choices` (the tool, for
// every document) outlive the frame's documents.
void AttachEditor(Frame& frame, DrawingChoices& choices, HWND document);

void UndoActiveDocument(Frame& frame);
void RedoActiveDocument(Frame& frame);
void ToggleDrawingBarCommand(Frame& frame);
// Every command in the editor's range: tools, colours, widths, sizes.
void RunDrawingCommand(Frame& frame, DrawingChoices& choices, UINT commandId);
[[nodiscard]] bool IsDrawingCommand(UINT commandId);

struct DrawingUiState {
    bool canUndo = false;
    bool canRedo = false;
    bool barShown = true;    // the bar "绘图"
    UINT toolCommand = 0;    // the pressed tool
    UINT colourCommand = 0;  // 0 when the colour is none of the presets
    UINT widthCommand = 0;
    UINT sizeCommand = 0;
};
[[nodiscard]] DrawingUiState DrawingStateOf(Frame& frame, const DrawingChoices& choices);

// Creates the bar "绘图" with its images enlarged for the window's DPI.
// Nullptr when it cannot be made.
HWND CreateDrawingBar(HWND parent, HINSTANCE instance);
// The bar's art again for a new DPI.
void ScaleDrawingBarArt(HWND bar, HINSTANCE instance, int dpi);
// The bar's height in pixels at `dpi`, the same as the main tool bar's.
[[nodiscard]] int DrawingBarHeight(int dpi);
// A drop-down button of the bar was pressed: its menu is shown and run.
void ShowDrawingDropDown(Frame& frame, const DrawingChoices& choices, HWND bar, UINT commandId);
// Adds "绘图工具" with the tools and the style menus to `menu`.
void AppendDrawingMenu(HMENU menu);

}  // namespace snapora
