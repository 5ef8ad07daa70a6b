#pragma once
// Helpers for tests that drive the real windows in this process.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/MainWindow.h"

namespace snapora::test {

// Dispatches messages until `done` is true or `timeout` passes. Returns
// whether `done` became true. A WM_QUIT is remembered, not obeyed.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));
void PumpFor(std::chrono::milliseconds duration);
bool QuitPosted();

// Deletes the settings kept between runs, so the next start has defaults.
void ForgetStoredSettings();

// Runs xdotool with these arguments on the X display, as keys and pointer
// moves from the user arrive; true when it ran and succeeded. Messages are
// answered meanwhile.
bool Xdotool(const std::wstring& arguments);

// A fixture with a fresh, visible main window and no stored settings.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    MainWindow& Main() { return *main_; }
    MainWindow* main_ = nullptr;
    HWND mainWindow_ = nullptr;
};

// The pattern a test window paints: every pixel differs from its
// neighbours, so an off-by-one shows. 0x00RRGGBB.
std::uint32_t PatternPixel(int x, int y);

// A topmost borderless popup covering `rect` (screen pixels), painting
// PatternPixel(screen x, screen y) at each pixel.
class PatternWindow {
public:
    explicit PatternWindow(RECT rect, bool withFrame = false, const wchar_t* title = L"Pattern");
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

// The screen's pixels (0x00RRGGBB, top-down) in a rectangle.
std::vector<std::uint32_t> ReadScreen(RECT rect);

// A visible top-level message box (#32770) whose text contains `text`,
// owned by the current thread's windows; nullptr if none.
HWND FindMessageBox();
std::wstring MessageBoxText(HWND box);

// The expected screen DPI when the test run asks for one (SNAPORA_EXPECT_DPI).
int ExpectedDpiOrZero();

std::wstring WindowText(HWND window);

// What the user sees of a command: its menu item's check mark and enabled
// state on the frame's menu, its toolbar button's pressed state.
bool MenuChecked(HWND frame, UINT commandId);
bool MenuEnabled(HWND frame, UINT commandId);
bool ToolbarPressed(HWND toolbar, UINT commandId);
std::wstring ProgramFolderForTests();

}  // namespace snapora::test
