#pragma once
namespace snapora {

class Frame;

// "选项": the options dialog, modal, owned by the main window.
void ShowOptions(Frame& frame);

}  // namespace snapora
