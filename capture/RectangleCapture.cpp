// Rectangle capture: hide the main window, wait a moment, freeze the screen
// under the overlay and let the user drag out the part to keep.
#include "app/MainWindow.h"
#include "capture/CaptureCommands.h"
#include "capture/RectangleOverlay.h"
#include "capture/ScreenGrab.h"
#include "capture/logic/ScreenMath.h"
#include "win32/WindowPlacement.h"

namespace snapora {

namespace {

// Kept from one use to the next for the whole run.
DelayedTickCounter rectangleTicks;

}  // namespace

void StartRectangleCapture(MainWindow& main) {
    ::ShowWindow(main.Handle(), SW_HIDE);
    main.Timer(MainTimer::Rectangle).SetEnabled(true);
}

void RectangleCaptureTick(MainWindow& main) {
    if (!rectangleTicks.Tick()) return;
    main.Timer(MainTimer::Rectangle).SetEnabled(false);
    RectangleOverlay& overlay = RectangleOverlay::Instance();
    if (!overlay.SetBackground(GetScreenSnapshot(nullptr))) {
        // Nothing to select from: give the user the main window back rather
        // than leave the program invisible.
        win32::ShowHiddenWindowAgain(main.Handle());
        return;
    }
    overlay.Show();
}

void CloseRectangleOverlay() { RectangleOverlay::CloseForGood(); }

}  // namespace snapora
