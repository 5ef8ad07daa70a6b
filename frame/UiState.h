#pragma once
// The program's on/off modes and the enabled state of "另存为", in one
// place: menus and toolbar are drawn from this, never read back.
namespace snapora {

struct UiState {
    bool pointerAreaCapture = false;
    bool automaticCapture = false;
    bool helpShown = false;
    bool toolbarShown = true;
    bool statusBarShown = true;
    bool saveEnabled = true;
};

}  // namespace snapora
