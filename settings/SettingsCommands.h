#pragma once
namespace snapora {

class MainWindow;

// "选项": the options dialog, modal, owned by the main window.
void ShowOptions(MainWindow& main);

}  // namespace snapora
