#pragma once
namespace snapora {

class Frame;

// "主题": opens or closes the help window.
void ToggleHelpContents(Frame& frame);
// Whether the help window is open: "主题" shows a check mark then.
bool HelpContentsShown(const Frame& frame);
// "关于": the about box.
void ShowAbout(Frame& frame);

}  // namespace snapora
