#pragma once
// The main toolbar: a list of command ids. A button's image is the bitmap
// resource and its tooltip the string with its command's id, so a new
// button is its id in the list plus its art and its text.
#include <windows.h>

namespace snapora {

// Whether `commandId` has a button on the bar.
bool HasToolbarButton(UINT commandId);

// The bar's height in pixels: 420 twips at a DPI.
int MainToolbarHeight(int dpi);

// Gives the toolbar its art enlarged by the whole factor for `dpi`.
void ScaleToolbarArt(HWND toolbar, HINSTANCE instance, int dpi);

// Creates the toolbar with the button images enlarged by a whole factor for
// its window's DPI.
HWND CreateMainToolbar(HWND parent, HINSTANCE instance);

}  // namespace snapora
