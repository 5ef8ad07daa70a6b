#pragma once
// Real mouse and keyboard input, as a user's hand makes it (SendInput).
#include <windows.h>

#include <string>

#include "app/MainWindow.h"

namespace snapora::test {

void SendMouse(DWORD flags, int x, int y);
bool InputQueueEmpty();
// Under Wine a pointer warp can echo back late from the X server and put
// the pointer at an earlier spot: whenever it is not where it was sent and
// nothing is pending, it is sent again. True once it is there.
bool KeepPointerAt(int x, int y);
// Moves the pointer to a screen pixel and waits until it is there.
void MoveMouse(int x, int y);
// A left click at a screen pixel.
void Click(POINT at);
// Clicks the middle of the toolbar's button at `position` (1 for the
// leftmost, separators counted), found by its place as a user finds it.
void ClickToolbarButton(const MainWindow& main, int position);
// A left-button drag between two screen pixels through their midpoint,
// each step delivered before the next.
void Drag(POINT from, POINT to);
// Presses and releases a key, with Shift held when `shift`.
// Presses and releases a key, with `modifier` (0 for none) held around it.
void PressKey(WORD key, WORD modifier = 0);

// Runs xdotool with these arguments on the X display, as keys and pointer
// moves from the user arrive there; true when it ran and succeeded.
// Messages are answered meanwhile.
bool Xdotool(const std::wstring& arguments);

}  // namespace snapora::test
