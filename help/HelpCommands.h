#pragma once
namespace snapora {

class Frame;

// "主题": opens or closes the help window.
void ToggleHelpContents(Frame& frame);
// "关于": the about box.
void ShowAbout(Frame& frame);

}  // namespace snapora
