#pragma once
// The help window, an MDI child of the main window that shows
// the fixed help text in a read-only text box. There is at most one.
#include <windows.h>

#include "win32/Handle.h"

namespace snapora {

class MainWindow;

class ContentsWindow {
public:
    // Creates and shows the help window as the active child, or brings the
    // open one forward. Nullptr when the window cannot be created.
    static ContentsWindow* Open(MainWindow& main);
    // The open help window, or nullptr.
    static ContentsWindow* Current();

    ContentsWindow(const ContentsWindow&) = delete;
    ContentsWindow& operator=(const ContentsWindow&) = delete;

    [[nodiscard]] HWND Handle() const noexcept { return window_; }
    [[nodiscard]] HWND TextBox() const noexcept { return text_; }

    // Closes the window the way its close box does.
    void Close();

private:
    explicit ContentsWindow(MainWindow& main);

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool Initialise();
    void OnResize(int clientWidth, int clientHeight);
    void OnQueryUnload();
    void OnClose();

    MainWindow& main_;
    HWND window_ = nullptr;
    HWND text_ = nullptr;
    win32::UniqueFont font_;
};

}  // namespace snapora
