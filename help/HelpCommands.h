#pragma once
namespace snapora {

class MainWindow;

// "主题": opens or closes the help window.
void ToggleHelpContents(MainWindow& main);
// "关于": the about box.
void ShowAbout(MainWindow& main);

}  // namespace snapora
