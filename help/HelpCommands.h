#pragma once
namespace snapora {

class MainWindow;

// "主题": opens or closes the help window.
void OnContentsClick(MainWindow& main);
// "关于": the about box.
void OnAboutClick(MainWindow& main);

}  // namespace snapora
