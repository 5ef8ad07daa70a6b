#pragma once
// Menus and toolbar show the program's state; this is the one place that
// puts check marks, enabled states and pressed buttons on them.
#include <windows.h>

namespace snapora {

struct UiState;

void DrawUiState(const UiState& state, HMENU menu, HWND toolbar);

}  // namespace snapora
