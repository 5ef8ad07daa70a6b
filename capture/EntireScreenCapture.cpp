// Entire-screen and window capture: hide the main window, wait a moment,
// grab, and open the picture in a new document.
#include <ctime>

#include "app/MainWindow.h"
#include "capture/CaptureCommands.h"
#include "capture/ScreenGrab.h"
#include "capture/logic/ScreenMath.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "win32/Screen.h"
#include "win32/WindowPlacement.h"

namespace snapora {

namespace {

DelayedTickCounter entireScreenTicks;

// Opens a new document holding `picture` on a surface of the given size.
void OpenCaptureDocument(MainWindow& main, Picture picture, int surfaceWidth, int surfaceHeight) {
    DocumentWindow* document = DocumentWindow::Create(main);
    if (!document) {
        // No document: at least give the user the main window back.
        win32::ShowHiddenWindowAgain(main.Handle());
        return;
    }
    SetCurrentDocument(document);
    document->SetSurfaceSize(surfaceWidth, surfaceHeight);
    document->SetPicture(std::move(picture));
    ShowCaptureDocument(*document);
}

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

}  // namespace

void StartEntireScreenCapture(MainWindow& main) {
    ::ShowWindow(main.Handle(), SW_HIDE);
    main.Timer(MainTimer::EntireScreen).SetEnabled(true);
}

void EntireScreenCaptureTick(MainWindow& main) {
    if (!entireScreenTicks.Tick()) return;
    main.Timer(MainTimer::EntireScreen).SetEnabled(false);
    const SIZE screen = win32::PrimaryScreenSize();
    // The document gets the bitmap just grabbed, not whatever the clipboard
    // holds afterwards: another program may keep the clipboard busy.
    Picture picture = CaptureScreenToClipboard(main.Handle(), 0, 0, screen.cx, screen.cy);
    OpenCaptureDocument(main, std::move(picture), screen.cx, screen.cy);
}

namespace {

void TakeWindowInFront(MainWindow& main) {
    Picture picture = CaptureForegroundWindow();
    OpenCaptureDocument(main, std::move(picture), CapturedWidth(), CapturedHeight());
    ::SetFocus(main.Handle());
}

}  // namespace

void CaptureWindowInFront(MainWindow& main) {
    ::ShowWindow(main.Handle(), SW_HIDE);
    WaitProcessingEvents(WholeSecondDeadline::After(static_cast<std::int64_t>(std::time(nullptr)), 2));
    if (!MainWindow::Current()) return;  // the program was closed meanwhile
    TakeWindowInFront(main);
}

void CaptureWindowInFrontAtOnce(MainWindow& main) {
    ::ShowWindow(main.Handle(), SW_HIDE);
    TakeWindowInFront(main);
}

}  // namespace snapora
