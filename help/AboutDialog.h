#pragma once
// The modal about box with the program's title, version,
// description and legal notice, and a button that starts the system's
// information tool.
#include <windows.h>

#include <string>

#include "win32/Handle.h"

namespace snapora {

// Shows the about box owned by `owner` and returns once it has closed.
void ShowAboutDialog(HWND owner);

class AboutDialog {
public:
    explicit AboutDialog(HWND owner) noexcept : owner_(owner) {}
    AboutDialog(const AboutDialog&) = delete;
    AboutDialog& operator=(const AboutDialog&) = delete;

    void ShowModal();

    // Reads the string value `valueName` of `root`\`keyPath`, opening the
    // key for reading only. False, with `value` emptied, when the key or
    // value is missing or the value is not plain text (REG_SZ).
    static bool GetKeyValue(HKEY root, const std::wstring& keyPath, const std::wstring& valueName,
                            std::wstring& value);

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Initialise();
    void OnPaint();
    INT_PTR OnCtlColorStatic(HDC dc, HWND control);
    void Close(int result);
    void StartSystemInformation();

    void StartSysInfo();
    void ShowSysInfoUnavailable();
    void PlaceControls();

    HWND owner_;
    HWND dialog_ = nullptr;
    win32::UniqueFont titleFont_;
    win32::UniqueIcon icon_;
    win32::UniqueIcon smallIcon_;
};

}  // namespace snapora
