#pragma once
// Version, date and time panels.
#include <windows.h>

#include <string>

namespace snapora {

// The bar's height in pixels: 270 twips at the screen's DPI.
// The bar's height at a DPI.
int MainStatusBarHeight(int dpi);

HWND CreateMainStatusBar(HWND parent);

// The date and time as the system formats them (short date; time).
std::wstring SystemShortDate(const SYSTEMTIME& time);
std::wstring SystemTime(const SYSTEMTIME& time);

// Lays out the three panels for the bar's current width: 2 and 3 fit their
// text, 1 takes the rest; none is narrower than an inch.
void LayoutStatusPanels(HWND statusBar, const std::wstring& dateText, const std::wstring& timeText);

}  // namespace snapora
