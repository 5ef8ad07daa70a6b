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

void RectangleCaptureTick(Frame& frame) {
    // Kept from one use to the next for the whole run.
    CaptureModes* modes = CaptureModes::Of(frame.Handle());
    if (!modes || !modes->rectangleTicks.Tick()) return;
    modes->Timer(CaptureTimer::Rectangle).SetEnabled(false);
    if (!RectangleOverlay::Open(frame, GetScreenSnapshot(nullptr))) {
        // Nothing to select from: give the user the main window back rather
        // than leave the program invisible.
        win32::ShowHiddenWindowAgain(frame.Handle());
    }
}

void CloseRectangleOverlay() { RectangleOverlay::CloseForGood(); }

}  // namespace snapora
