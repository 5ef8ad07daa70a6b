#pragma once
// Tests that drive the real windows in this process: the message pump, a
// fixture with a fresh main window, and what the user sees of its state.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "picture/Picture.h"

namespace snapora {
class DocumentWindow;
}

namespace snapora::test {

// Dispatches messages until `done` is true or `timeout` passes. Returns
// whether `done` became true. A WM_QUIT is remembered, not obeyed.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));
void PumpFor(std::chrono::milliseconds duration);
bool QuitPosted();

// A fixture with a fresh, visible main window and no stored settings.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Never called once the main window may be gone: it is then a dangling
    // object; the saved handle stays safe to ask.
    MainWindow& Main() { return *main_; }
    // The capture modes the main window owns, found as the commands find them.
    CaptureModes& Capture() { return *CaptureModes::Of(mainWindow_); }
    MainWindow* main_ = nullptr;
    HWND mainWindow_ = nullptr;
};

// What the user sees of a command: its menu item's check mark and enabled
// state on the frame's menu, its toolbar button's pressed state.
bool MenuChecked(HWND frame, UINT commandId);
bool MenuEnabled(HWND frame, UINT commandId);
bool ToolbarPressed(HWND toolbar, UINT commandId);

// Opens a captured-style document holding `picture`: captioned with the
// running number, active and unsaved.
DocumentWindow* OpenPictureDocument(MainWindow& main, Picture picture);
// The picture documents in the workspace.
std::vector<HWND> Documents(const MainWindow& main);

// When the test run names a DPI (SNAPORA_EXPECT_DPI), the screen has it.
void ExpectTheRunsDpi();

std::wstring WindowText(HWND window);
// The text of the status bar's first panel.
std::wstring FirstStatusPanel(HWND statusBar);
std::wstring ProgramFolderForTests();

}  // namespace snapora::test
