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

// A fixture with a fresh, visible main window.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    MainWindow& Main() { return *main_; }
    MainWindow* main_ = nullptr;
};

// Menu and toolbar state as the user sees it, read from the frame's menu
// and the toolbar control themselves.
bool MenuChecked(const MainWindow& main, UINT commandId);
bool MenuEnabled(const MainWindow& main, UINT commandId);
bool ButtonPressed(const MainWindow& main, UINT commandId);

// Opens a captured-style document holding `picture`: captioned with the
// running number, active and unsaved.
DocumentWindow* OpenPictureDocument(MainWindow& main, Picture picture);
// The picture documents in the workspace.
std::vector<HWND> Documents(const MainWindow& main);

// When the test run names a DPI (SNAPORA_EXPECT_DPI), the screen has it.
void ExpectTheRunsDpi();
int ExpectedDpiOrZero();

std::wstring WindowText(HWND window);
std::wstring ProgramFolderForTests();

}  // namespace snapora::test
