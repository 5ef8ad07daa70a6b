#pragma once
// What the features see of the main window: a narrow interface, so that
// capture, documents, output, settings and help never know the concrete
// frame and the frame alone knows them all.
#include <windows.h>

#include <string>

namespace snapora {

namespace win32 {
class WindowTimer;
}
struct CaptureSettings;
struct RunState;
struct UiState;

enum class MainTimer : UINT_PTR { EntireScreen = 1, Rectangle = 2, PointerArea = 3, Automatic = 4 };

class Frame {
public:
    [[nodiscard]] virtual HWND Handle() const noexcept = 0;
    [[nodiscard]] virtual HWND MdiClient() const noexcept = 0;
    [[nodiscard]] virtual HINSTANCE Instance() const noexcept = 0;
    // The active MDI child (a document or the help window), or nullptr.
    [[nodiscard]] virtual HWND ActiveChild() const = 0;

    virtual void SetCaption(const std::wstring& caption) = 0;
    // The first status panel; an empty text puts the version back.
    virtual void SetStatusText(const std::wstring& text) = 0;

    virtual CaptureSettings& Settings() noexcept = 0;
    virtual RunState& Run() noexcept = 0;
    virtual win32::WindowTimer& Timer(MainTimer which) = 0;

    // The on/off modes and enabled states. After changing them, call
    // RefreshUi so menus and toolbar show them.
    virtual UiState& State() noexcept = 0;
    virtual void RefreshUi() = 0;

    // A new document window exists: the frame adds what features lay over it.
    virtual void DocumentCreated(HWND document) = 0;

    // Runs a command by its id, as the menu and toolbar do.
    virtual void Execute(UINT commandId) = 0;

protected:
    Frame() = default;
    ~Frame() = default;
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;
};

}  // namespace snapora
