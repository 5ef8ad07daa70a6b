#pragma once
// Commands that act on the active picture document.
namespace snapora {

class Frame;

void CloseActiveDocument(Frame& frame);
void EmptyActiveDocument(Frame& frame);

}  // namespace snapora
