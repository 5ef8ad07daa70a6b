#pragma once
// The frame's own commands: its bars, its children's arrangement, the exit.
namespace snapora {

class Frame;

void ToggleToolbarCommand(Frame& frame);
void ToggleStatusBarCommand(Frame& frame);
void TileDocuments(Frame& frame);
void CascadeDocuments(Frame& frame);
void ExitAtOnce(Frame& frame);

}  // namespace snapora
