#pragma once
// The program's one top-level window: an MDI frame with menu bar, toolbar,
// status bar and the four capture timers. It is the composition root: it
// owns the settings, the run's state and the on/off modes, and it is the
// frame every feature sees.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "app/NotificationIcon.h"
#include "app/UiDrawing.h"
#include "capture/CaptureModes.h"
#include "frame/CaptureDocumentState.h"
#include "frame/Frame.h"
#include "editor/logic/DrawingChoices.h"
#include "frame/logic/CaptureSettings.h"
#include "picture/Clipboard.h"
#include "settings/HotkeyRegistration.h"
#include "win32/Handle.h"
#include "win32/Window.h"

namespace snapora {

class MainWindow final : public win32::WindowBase<MainWindow, win32::WindowKind::TopLevel>, public Frame {
public:
    // Creates and loads the window (hidden); Show() makes it visible.
    // Nullptr when the window cannot be created.
    static MainWindow* Create(HINSTANCE instance);
    // The window class, by which a second start finds the running copy.
    static const wchar_t* ClassName() noexcept;

    void Show(int showCommand);

    [[nodiscard]] HWND Handle() const noexcept override { return window_; }
    [[nodiscard]] HWND MdiClient() const noexcept override { return mdiClient_; }
    [[nodiscard]] HINSTANCE Instance() const noexcept override { return instance_; }
    [[nodiscard]] HWND ActiveChild() const override;
    void SetCaption(const std::wstring& caption) override;
    void SetStatusText(const std::wstring& text) override;
    CaptureSettings& Settings() noexcept override { return settings_; }
    CaptureDocumentState& Captures() noexcept override { return captures_; }
    [[nodiscard]] const HotkeyAvailability& KeysAvailable() const noexcept override { return keysAvailable_; }
    ClipboardOffer& Clipboard() noexcept override { return clipboard_; }
    [[nodiscard]] bool StatusShowsProgress() const override { return capture_.AutomaticRunning(); }
    void DocumentCreated(HWND document) override;
    void RefreshUi() override;
    void Execute(UINT commandId) override;

    [[nodiscard]] HWND Toolbar() const noexcept { return toolbar_; }
    [[nodiscard]] HWND StatusBar() const noexcept { return statusBar_; }
    [[nodiscard]] HWND DrawingBar() const noexcept { return drawingBar_; }
    BarPreferences& Bars() noexcept { return bars_; }
    // The editor's tool, the same for every document.
    DrawingChoices& Drawing() noexcept { return drawing_; }

    // "退出": ends the program at once.
    void RequestExit();

    [[nodiscard]] const NotificationIcon& Icon() const noexcept { return notificationIcon_; }

private:
    friend class win32::WindowBase<MainWindow, win32::WindowKind::TopLevel>;
    explicit MainWindow(HINSTANCE instance) : instance_(instance) {}

    static LRESULT CallDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleClipboard(UINT message, WPARAM wParam);

    bool OnCreate();
    void Initialise();
    void OnSize();
    [[nodiscard]] bool LaidOutFor(int width, int height) const;
    void OnDpiChanged(WPARAM wParam, const RECT* suggested);
    std::vector<HWND> Children() const;
    void OnClose();
    bool OnQueryEndSession();
    void OnEndSession(bool ending);
    void BlockTheEndOfSession(bool block);
    void OnDestroy();
    void OnTimer(UINT_PTR id);
    LRESULT OnNotify(const NMHDR& header);
    void OnStatusBarClockTick();
    void ShowBars();
    void ApplySettings();
    // In NotificationArea.cpp.
    void AttachNotificationIcon();
    bool HandleNotificationArea(UINT message, WPARAM wParam, LPARAM lParam);
    void UpdateNotificationIcon();
    void OnNotificationIcon(UINT event);
    void ShowNotificationMenu();
    [[nodiscard]] UiFacts Facts();

    HINSTANCE instance_;
    HWND mdiClient_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND statusBar_ = nullptr;
    HWND drawingBar_ = nullptr;
    DrawingChoices drawing_;
    CaptureSettings settings_;
    CaptureDocumentState captures_;
    CaptureModes capture_;
    ClipboardOffer clipboard_;
    BarPreferences bars_;
    // "另存为" follows the active document and keeps its last state while
    // no document is active.
    bool saveEnabled_ = true;
    SystemHotkeys hotkeys_;
    HotkeyAvailability keysAvailable_{};
    NotificationIcon notificationIcon_;
    // Explorer's announcement that it started again, its icons gone.
    UINT taskbarCreated_ = 0;
    std::wstring versionText_;
    std::wstring shownDate_;
    std::wstring shownTime_;
    bool askingToEndSession_ = false;
    // The windows the last agreed end-of-session round asked about.
    std::vector<HWND> askedAtQuery_;
};

}  // namespace snapora
