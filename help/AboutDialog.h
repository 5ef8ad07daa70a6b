#pragma once
// The modal about box with the program's title, version,
// description and legal notice, and a button that starts the system's
// information tool.
#include <windows.h>

#include <string>

#include "win32/Handle.h"
#include "win32/Window.h"
#include "win32/WindowPlacement.h"

namespace snapora {

// Shows the about box owned by `owner` and returns once it has closed.
void ShowAboutDialog(HWND owner);

class AboutDialog : public win32::WindowBase<AboutDialog, win32::WindowKind::Dialog> {
public:
    static void ShowModal(HWND owner);

    // Reads the string value `valueName` of `root`\`keyPath`, opening the
    // key for reading only. False, with `value` emptied, when the key or
    // value is missing or the value is not plain text (REG_SZ).
    static bool GetKeyValue(HKEY root, const std::wstring& keyPath, const std::wstring& valueName,
                            std::wstring& value);

private:
    friend class win32::WindowBase<AboutDialog, win32::WindowKind::Dialog>;
    explicit AboutDialog(HWND owner) noexcept : owner_(owner) {}

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Initialise();
    void OnPaint();
    INT_PTR OnCtlColorStatic(HDC dc, HWND control);
    void Close(int result);
    void StartSystemInformation();

    void ShowSysInfoUnavailable();
    void PlaceControls();
    void MakeTitleFont();

    HWND owner_;
    win32::UniqueFont titleFont_;
    win32::WindowIcons icons_;
};

}  // namespace snapora
