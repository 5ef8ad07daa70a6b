#pragma once
// The main window's own commands.
namespace snapora {

class Frame;

void ToggleToolbarCommand(Frame& frame);
void ToggleStatusBarCommand(Frame& frame);
void TileDocuments(Frame& frame);
void CascadeDocuments(Frame& frame);
void ExitAtOnce(Frame& frame);

}  // namespace snapora
