#pragma once
// One picture document, an MDI child of the main window. Its
// picture surface sits at the top-left corner, has its own
// size in pixels and keeps the picture drawn on it.
#include <windows.h>

#include "picture/Picture.h"

namespace snapora {

class MainWindow;

class DocumentWindow {
public:
    // Creates and loads a new document (visible, not yet captioned). Nullptr
    // when the window cannot be created.
    static DocumentWindow* Create(MainWindow& main);
    // The document behind a window handle, or nullptr for any other window.
    static DocumentWindow* FromHandle(HWND window);

    DocumentWindow(const DocumentWindow&) = delete;
    DocumentWindow& operator=(const DocumentWindow&) = delete;

    [[nodiscard]] HWND Handle() const noexcept { return window_; }

    [[nodiscard]] bool IsDirty() const noexcept { return isDirty_; }
    void SetDirty(bool dirty) noexcept { isDirty_ = dirty; }

    [[nodiscard]] const Picture& GetPicture() const noexcept { return picture_; }
    void SetPicture(Picture picture);
    void ClearPicture();
    [[nodiscard]] SIZE SurfaceSize() const noexcept { return surface_; }
    void SetSurfaceSize(int width, int height);

    // Outer window size in pixels.
    void SetOuterSize(int width, int height);
    void RestoreIfMaximized();

    // Closes the window; an unsaved document asks first. False when the
    // close was refused.
    bool Close();

private:
    explicit DocumentWindow(MainWindow& main);

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Initialise();
    void OnPaint();
    void OnActivate(bool active);
    bool OnKeyDown(WPARAM key);
    void OnClose();
    void InvalidateSurface();

    MainWindow& main_;
    HWND window_ = nullptr;
    bool isDirty_ = false;
    Picture picture_;
    SIZE surface_{};
};

}  // namespace snapora
