#pragma once
// The program's one top-level window, an MDI frame with menu bar,
// toolbar, status bar and the four capture timers.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "app/Hotkeys.h"
#include "settings/logic/CaptureSettings.h"
#include "win32/WindowTimer.h"

namespace snapora {

class DocumentWindow;

enum class MainTimer : UINT_PTR { EntireScreen = 1, Rectangle = 2, PointerArea = 3, Automatic = 4 };

inline constexpr wchar_t kAppTitle[] = L"Snapora";

class MainWindow {
public:
    // Creates and loads the window (hidden); Show() makes it visible.
    // Nullptr when the window cannot be created.
    static MainWindow* Create(HINSTANCE instance);
    // The running main window, or nullptr.
    static MainWindow* Current();

    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    void Show(int showCommand);

    [[nodiscard]] HWND Handle() const noexcept { return window_; }
    [[nodiscard]] HWND MdiClient() const noexcept { return mdiClient_; }
    [[nodiscard]] HWND Toolbar() const noexcept { return toolbar_; }
    [[nodiscard]] HWND StatusBar() const noexcept { return statusBar_; }
    [[nodiscard]] HINSTANCE Instance() const noexcept { return instance_; }

    // Runs a command by its id, from the menu, the toolbar or code. A
    // command that fails is abandoned; the program keeps running.
    void ExecuteCommand(UINT commandId);

    // The active MDI child, and the same when it is a picture document.
    [[nodiscard]] HWND ActiveChild() const;
    [[nodiscard]] DocumentWindow* ActiveDocument() const;

    [[nodiscard]] bool IsMenuChecked(UINT commandId) const;
    void SetMenuChecked(UINT commandId, bool checked);
    [[nodiscard]] bool IsMenuEnabled(UINT commandId) const;
    void SetMenuEnabled(UINT commandId, bool enabled);

    [[nodiscard]] bool IsToolbarButtonPressed(UINT commandId) const;
    void SetToolbarButtonPressed(UINT commandId, bool pressed);

    win32::WindowTimer& Timer(MainTimer which);

    // A timed mode's on/off state lives in its check mark; the timer and the
    // toolbar button follow it. Flips all three and returns the new state.
    bool ToggleTimedMode(UINT commandId, MainTimer timer);

    CaptureSettings& Settings() noexcept { return settings_; }
    SystemHotkeys& Hotkeys() noexcept { return hotkeys_; }

    void SetCaption(const std::wstring& caption);

    // True once "退出" has asked the program to end at once.
    [[nodiscard]] bool ExitRequested() const noexcept { return exitRequested_; }
    void RequestExit();

    // The show/hide bar commands and the layout they change.
    void ToggleToolbar();
    void ToggleStatusBar();

private:
    explicit MainWindow(HINSTANCE instance);

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool OnCreate();
    void Initialise();
    void OnSize();
    void OnClose();
    void Unload();
    void OnDestroy();
    void OnTimer(UINT_PTR id);
    LRESULT OnNotify(const NMHDR& header);
    void OnStatusBarClockTick();
    void LayoutStatusBarPanels();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND mdiClient_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND statusBar_ = nullptr;
    HIMAGELIST toolbarImages_ = nullptr;
    CaptureSettings settings_;
    SystemHotkeys hotkeys_;
    std::array<win32::WindowTimer, 4> timers_{
        win32::WindowTimer{static_cast<UINT_PTR>(MainTimer::EntireScreen), 100},
        win32::WindowTimer{static_cast<UINT_PTR>(MainTimer::Rectangle), 100},
        win32::WindowTimer{static_cast<UINT_PTR>(MainTimer::PointerArea), 50},
        win32::WindowTimer{static_cast<UINT_PTR>(MainTimer::Automatic), 0}};
    std::wstring shownDate_;
    std::wstring shownTime_;
    bool exitRequested_ = false;
};

}  // namespace snapora
