// Rectangle capture: hide the main window, wait a moment, freeze the screen
// under the overlay and let the user drag out the part to keep.
#include "capture/CaptureCommands.h"
#include "capture/CaptureModes.h"
#include "capture/RectangleOverlay.h"
#include "capture/ScreenGrab.h"
#include "frame/Frame.h"
#include "win32/WindowPlacement.h"
#include "win32/WindowTimer.h"

namespace snapora {

void StartRectangleCapture(Frame& frame) {
    CaptureModes* modes = CaptureModes::Of(frame.Handle());
    if (!modes) return;
    ::ShowWindow(frame.Handle(), SW_HIDE);
    modes->Timer(CaptureTimer::Rectangle).SetEnabled(true);
}

void RectangleCaptureTick(Frame& frame, CaptureModes& modes) {
    if (!modes.rectangleTicks.Tick()) return;
    modes.Timer(CaptureTimer::Rectangle).SetEnabled(false);
    // Every monitor, as the layout is now.
    const PixelRect desktop = VirtualScreen(CurrentMonitors().monitors);
    if (!RectangleOverlay::Open(frame, GrabScreenArea(desktop.left, desktop.top, desktop.Width(), desktop.Height()),
                                desktop)) {
        // Nothing to select from: give the user the main window back rather
        // than leave the program invisible.
        win32::ShowHiddenWindowAgain(frame.Handle());
    }
}

void CloseRectangleOverlay() { RectangleOverlay::CloseForGood(); }

bool CaptureUnderWay(Frame& frame) {
    const RectangleOverlay* overlay = RectangleOverlay::Find();
    CaptureModes* modes = CaptureModes::Of(frame.Handle());
    const bool waiting =
        modes && (modes->Timer(CaptureTimer::EntireScreen).Enabled() || modes->Timer(CaptureTimer::Rectangle).Enabled());
    return waiting || (overlay && ::IsWindowVisible(overlay->Handle()));
}

void EndCapturesUnderWay(Frame& frame) {
    CaptureModes* modes = CaptureModes::Of(frame.Handle());
    if (!modes) return;
    win32::WindowTimer& entireScreen = modes->Timer(CaptureTimer::EntireScreen);
    win32::WindowTimer& rectangle = modes->Timer(CaptureTimer::Rectangle);
    const bool waiting = entireScreen.Enabled() || rectangle.Enabled();
    entireScreen.SetEnabled(false);
    rectangle.SetEnabled(false);
    if (waiting) win32::ShowHiddenWindowAgain(frame.Handle());
    // Closing it brings the main window back.
    if (RectangleOverlay* overlay = RectangleOverlay::Find()) overlay->Close();
    if (modes->PointerAreaRunning()) TogglePointerAreaCapture(frame);
}

}  // namespace snapora
