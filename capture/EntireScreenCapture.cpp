// Entire-screen and window capture: hide the main window, wait a moment,
// grab, and open the picture in a new document.
#include <ctime>

#include "capture/CaptureCommands.h"
#include "capture/CaptureModes.h"
#include "capture/ScreenGrab.h"
#include "capture/logic/ScreenMath.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "frame/Frame.h"
#include "frame/logic/CaptureSettings.h"
#include "win32/WindowPlacement.h"
#include "win32/WindowTimer.h"

namespace snapora {

namespace {

// Runs the message loop until `deadline` has passed, so the user can bring
// another window forward while the program waits.
void WaitProcessingEvents(const WholeSecondDeadline& deadline) {
    while (!deadline.Passed(static_cast<std::int64_t>(std::time(nullptr)))) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Leave the quit for the main loop.
                ::PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

void TakeWindowInFront(Frame& frame) {
    WindowGrab grab = CaptureForegroundWindow();
    const POINT origin{grab.origin.x, grab.origin.y};
    if (!OpenCaptureDocument(frame, std::move(grab.picture), grab.size.width, grab.size.height, origin)) {
        // No document: at least give the user the main window back.
        win32::ShowHiddenWindowAgain(frame.Handle());
    }
    ::SetFocus(frame.Handle());
}

}  // namespace

void StartEntireScreenCapture(Frame& frame) {
    CaptureModes* modes = CaptureModes::Of(frame.Handle());
    if (!modes) return;
    ::ShowWindow(frame.Handle(), SW_HIDE);
    modes->Timer(CaptureTimer::EntireScreen).SetEnabled(true);
}

void EntireScreenCaptureTick(Frame& frame, CaptureModes& modes) {
    if (!modes.entireScreenTicks.Tick()) return;
    modes.Timer(CaptureTimer::EntireScreen).SetEnabled(false);
    const PixelRect range = CurrentCaptureRange(frame.Settings().screenRange);
    // The document gets the bitmap just grabbed, not whatever the clipboard
    // holds afterwards: another program may keep the clipboard busy.
    Picture picture = CaptureScreenToClipboard(frame.Handle(), range.left, range.top, range.right, range.bottom);
    if (!OpenCaptureDocument(frame, std::move(picture), range.Width(), range.Height())) {
        win32::ShowHiddenWindowAgain(frame.Handle());
    }
}

void CaptureWindowInFront(Frame& frame) {
    const HWND window = frame.Handle();
    ::ShowWindow(window, SW_HIDE);
    WaitProcessingEvents(WholeSecondDeadline::After(static_cast<std::int64_t>(std::time(nullptr)), 2));
    // The wait ran every message: the program may have been closed meanwhile.
    if (!::IsWindow(window)) return;
    TakeWindowInFront(frame);
}

void CaptureWindowInFrontAtOnce(Frame& frame) {
    ::ShowWindow(frame.Handle(), SW_HIDE);
    TakeWindowInFront(frame);
}

}  // namespace snapora
