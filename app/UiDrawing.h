#pragma once
// Menus and toolbar show the program's state; this is the one place that
// puts check marks, enabled states and pressed buttons on them.
#include <windows.h>

namespace snapora {

struct DrawingUiState;
struct UiState;

void DrawUiState(const UiState& state, HMENU menu, HWND toolbar);
// The editor's part: undo and redo, the chosen tool, colour, width and size.
void DrawDrawingState(const DrawingUiState& state, HMENU menu, HWND drawingBar);

}  // namespace snapora
