#pragma once
// Twenty buttons whose ids are the menu commands they run.
#include <windows.h>
#include <commctrl.h>

#include <span>

namespace snapora {

struct ToolbarButton {
    const wchar_t* key;  // nullptr for a separator; the tooltip is the text with the command's id
    int image;               // 1-based index into the image list
    UINT commandId;
};

std::span<const ToolbarButton> ToolbarButtons();

// The button whose command id is `commandId`, or nullptr.
const ToolbarButton* FindToolbarButton(UINT commandId);

// The bar's height in pixels: 420 twips at the screen's DPI.
int MainToolbarHeight();

// Creates the toolbar and its image list (the caller destroys the list),
// with the button images enlarged by a whole factor for the screen's DPI.
HWND CreateMainToolbar(HWND parent, HINSTANCE instance, HIMAGELIST* images);

}  // namespace snapora
