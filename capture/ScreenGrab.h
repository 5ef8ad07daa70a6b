#pragma once
// Turning pixels on the screen into pictures or clipboard bitmaps.
#include <windows.h>

#include "picture/Picture.h"
#include "picture/logic/PixelGeometry.h"

namespace snapora {

// A whole window, frame included; window 0 means the whole primary screen.
// An empty picture when the grab cannot be made.
Picture GetScreenSnapshot(HWND window);

// width x height pixels of the display from (left, top).
Picture GrabScreenArea(int left, int top, int width, int height);

// The display from (left, top) grabbed again into an existing picture, at
// the picture's size. False when it cannot be made; the picture may then
// hold anything.
bool GrabScreenAreaInto(Picture& picture, int left, int top);

// The screen rectangle from (left, top), right - left by bottom - top pixels,
// as a picture. A copy goes onto the clipboard as CF_BITMAP, replacing all
// it held; when another program keeps the clipboard busy the clipboard is
// left alone. The caller keeps the grabbed picture either way.
Picture CaptureScreenToClipboard(HWND clipboardOwner, int left, int top, int right, int bottom);

// The window in front, frame included, with its full window size. With no
// window in front, or one whose size cannot be had, an empty picture and a
// zero size. The origin is the window's top-left corner on the screen.
struct WindowGrab {
    Picture picture;
    PixelSize size;
    PixelPoint origin;
};
WindowGrab CaptureForegroundWindow();

// An area of a window's client (clientOnly) or whole-window device context.
// On a 256-colour palette display the picture carries a copy of the system
// palette.
Picture CaptureWindowArea(HWND window, bool clientOnly, int left, int top, int width, int height);

}  // namespace snapora
