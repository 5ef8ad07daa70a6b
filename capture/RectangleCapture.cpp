// Rectangle capture: hide the main window, wait a moment, freeze the screen
// under the overlay and let the user drag out the part to keep.
#include "capture/CaptureCommands.h"
#include "capture/RectangleOverlay.h"
#include "capture/ScreenGrab.h"
#include "frame/Frame.h"
#include "frame/RunState.h"
#include "frame/UiState.h"
#include "win32/WindowPlacement.h"
#include "win32/WindowTimer.h"

namespace snapora {

void StartRectangleCapture(Frame& frame) {
    ::ShowWindow(frame.Handle(), SW_HIDE);
    frame.Timer(MainTimer::Rectangle).SetEnabled(true);
}

void RectangleCaptureTick(Frame& frame) {
    // Kept from one use to the next for the whole run.
    if (!frame.Run().rectangleTicks.Tick()) return;
    frame.Timer(MainTimer::Rectangle).SetEnabled(false);
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
    return frame.Timer(MainTimer::EntireScreen).Enabled() || frame.Timer(MainTimer::Rectangle).Enabled() ||
           (overlay && ::IsWindowVisible(overlay->Handle()));
}

void EndCapturesUnderWay(Frame& frame) {
    win32::WindowTimer& entireScreen = frame.Timer(MainTimer::EntireScreen);
    win32::WindowTimer& rectangle = frame.Timer(MainTimer::Rectangle);
    const bool waiting = entireScreen.Enabled() || rectangle.Enabled();
    entireScreen.SetEnabled(false);
    rectangle.SetEnabled(false);
    if (waiting) win32::ShowHiddenWindowAgain(frame.Handle());
    // Closing it brings the main window back.
    if (RectangleOverlay* overlay = RectangleOverlay::Find()) overlay->Close();
    if (frame.State().pointerAreaCapture) TogglePointerAreaCapture(frame);
}

}  // namespace snapora
