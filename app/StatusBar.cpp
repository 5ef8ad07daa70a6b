#include "app/StatusBar.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/Handle.h"
#include "win32/Screen.h"
#include "win32/StatusBarControl.h"
#include "win32/logic/Units.h"

namespace snapora {

namespace {

constexpr UINT kStatusBarId = 1002;
constexpr int kPanelMinimumTwips = 1440;
constexpr int kStatusBarHeightTwips = 270;

int TextWidth(HWND window, const std::wstring& text) {
    win32::WindowDc dc(window, win32::WindowDc::Area::Client);
    if (!dc) return 0;
    auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
    win32::ScopedSelect select(dc.get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

int MainStatusBarHeight(int dpi) { return TwipsToPixels(kStatusBarHeightTwips, dpi); }

HWND CreateMainStatusBar(HWND parent) {
    // The main window gives the bar its height.
    return win32::CreateStatusBarControl(parent, kStatusBarId);
}

std::wstring SystemShortDate(const SYSTEMTIME& time) {
    wchar_t buffer[128] = {};
    if (!::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, 128)) return {};
    return buffer;
}

std::wstring SystemTime(const SYSTEMTIME& time) {
    wchar_t buffer[128] = {};
    if (!::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, buffer, 128)) return {};
    return buffer;
}

void LayoutStatusPanels(HWND statusBar, const std::wstring& dateText, const std::wstring& timeText) {
    RECT client{};
    ::GetClientRect(statusBar, &client);
    const int minimum = win32::TwipsToPixelsX(kPanelMinimumTwips, statusBar);
    // Room for the inset bevel and the padding the control adds.
    const int padding = win32::TwipsToPixelsX(180, statusBar);
    const int timeWidth = std::max(minimum, TextWidth(statusBar, timeText) + padding);
    const int dateWidth = std::max(minimum, TextWidth(statusBar, dateText) + padding);
    const int grip = ::GetSystemMetrics(SM_CXVSCROLL);
    const int total = client.right - client.left - grip;
    const int first = std::max(minimum, total - dateWidth - timeWidth);
    int edges[3] = {first, first + dateWidth, first + dateWidth + timeWidth};
    ::SendMessageW(statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
}

}  // namespace snapora
