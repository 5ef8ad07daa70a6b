#pragma once
// Turning pixels on the screen into pictures or clipboard bitmaps.
#include <windows.h>

#include "capture/logic/Monitors.h"
#include "picture/Picture.h"
#include "picture/logic/PixelGeometry.h"
#include "win32/Handle.h"

namespace snapora {

// Every grab reads the desktop in desktop coordinates: (0, 0) is the
// primary monitor's top-left corner, monitors left of or above it lie at
// negative coordinates. Parts of a grab that no monitor covers are black.

// The monitors as they are now, the primary one marked.
MonitorLayout CurrentMonitors();

// The desktop rectangle a range covers now, the pointer where it is now.
PixelRect CurrentCaptureRange(ScreenRange range);
PixelRect CurrentCaptureRange(ScreenRange range, const MonitorLayout& layout);

// A whole window, frame included; window 0 means the whole primary monitor.
// An empty picture when the grab cannot be made.
Picture GetScreenSnapshot(HWND window);

// width x height pixels of the desktop from (left, top). A caller that has
// just read the monitors passes them: asking the window system twice in
// one grab is a measurable share of a repeated one.
Picture GrabScreenArea(int left, int top, int width, int height);
Picture GrabScreenArea(int left, int top, int width, int height, const MonitorLayout& layout);

// The desktop from (left, top) grabbed again into an existing picture, at
// the picture's size, with the monitors the caller read for this grab.
// False when it cannot be made; the picture may then hold anything.
bool GrabScreenAreaInto(Picture& picture, int left, int top, const MonitorLayout& layout);

// Grabs of the desktop into a picture, made again and again (the pointer
// area, twenty times a second). The screen's DC and a memory DC are kept
// from one grab to the next: getting them cost Wine more than the pixels.
// Let go of it when the monitors change.
class RepeatedScreenGrab {
public:
    // As GrabScreenAreaInto.
    bool Into(Picture& picture, int left, int top, const MonitorLayout& layout);

private:
    win32::WindowDc desktop_;
    win32::UniqueMemoryDc memory_;
};

// The desktop rectangle from (left, top), right - left by bottom - top
// pixels, as a picture. A copy goes onto the clipboard as CF_BITMAP, replacing all
// it held; when another program keeps the clipboard busy the clipboard is
// left alone. The caller keeps the grabbed picture either way.
Picture CaptureScreenToClipboard(HWND clipboardOwner, int left, int top, int right, int bottom);

// The window in front, frame included, with its full window size; the parts
// of it off every monitor are black. With no
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
