#pragma once
// The help window, an MDI child of the main window that shows the fixed
// help text in a read-only text box. There is at most one.
#include <windows.h>

#include "win32/Handle.h"
#include "win32/Window.h"

namespace snapora {

class Frame;

class ContentsWindow : public win32::WindowBase<ContentsWindow, win32::WindowKind::MdiChild> {
public:
    // Creates and shows the help window as the active child, or brings the
    // open one forward. Nullptr when the window cannot be created.
    static ContentsWindow* Open(Frame& frame);
    // The open help window among the frame's children, or nullptr; one that
    // is closing is no longer open.
    static ContentsWindow* Find(const Frame& frame);

    // Closes the window the way its close box does.
    void Close();

private:
    friend class win32::WindowBase<ContentsWindow, win32::WindowKind::MdiChild>;
    explicit ContentsWindow(Frame& frame) : frame_(frame) {}

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool Initialise();
    void OnResize(int clientWidth, int clientHeight);
    void OnQueryUnload();
    void OnClose();

    Frame& frame_;
    HWND text_ = nullptr;
    win32::UniqueFont font_;
    bool closing_ = false;
};

}  // namespace snapora
