#pragma once
// Menus and toolbar show the program's state; this is the one place that
// puts check marks, enabled states and pressed buttons on them. What they
// show is worked out afresh each time from the program itself; only the
// bars' preferences are kept.
#include <windows.h>

namespace snapora {

struct DrawingUiState;

// What the user chose to see; nothing else about the menus is stored.
struct BarPreferences {
    bool toolbarShown = true;
    bool statusBarShown = true;
};

struct UiFacts {
    bool pointerAreaCapture = false;
    bool automaticCapture = false;
    bool helpShown = false;
    bool saveEnabled = true;
    BarPreferences bars;
    // The notification area's "贴图": the last capture's document is open.
    bool pinLastCaptureEnabled = false;
};

void DrawUiState(const UiFacts& facts, HMENU menu, HWND toolbar);
// The editor's part: undo and redo, the chosen tool, colour, width and size,
// the bar "绘图".
void DrawDrawingState(const DrawingUiState& state, HMENU menu, HWND drawingBar);

}  // namespace snapora
