#pragma once
// What the capture modes keep while the program runs: their timers, the
// ticks they wait, the automatic run's buffers and the screen it offers on
// the clipboard, the pointer area's pictures and screen, and the overlay's
// copier. The main window owns the one
// instance and hands it its ticks; the capture commands find it from the
// frame's window, so the frame itself knows nothing of capture.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "capture/ScreenGrab.h"
#include "capture/logic/Monitors.h"
#include "frame/logic/DelayedTickCounter.h"
#include "picture/Picture.h"
#include "win32/WindowTimer.h"

namespace snapora {

class Frame;

enum class CaptureTimer : UINT_PTR { EntireScreen = 1, Rectangle = 2, PointerArea = 3, Automatic = 4 };

struct AutomaticRunState {
    // Ticks of the current run; also the number in the file name.
    int count = 0;
    // Pictures of the current run that reached their file.
    int written = 0;
    // The run's screen picture, grabbed into again while the screen keeps
    // its size.
    std::shared_ptr<Picture> picture;
    // The bytes of its last file, kept so each tick reuses the memory.
    std::vector<std::uint8_t> fileBytes;
};

class CaptureModes {
public:
    CaptureModes() = default;
    CaptureModes(const CaptureModes&) = delete;
    CaptureModes& operator=(const CaptureModes&) = delete;
    ~CaptureModes() { Detach(); }

    // Binds the timers to the frame's window and makes this instance the
    // one Of() finds there.
    void Attach(HWND frame);
    // Every timer off, and Of() finds nothing any more: the frame is going.
    void Detach();
    [[nodiscard]] static CaptureModes* Of(HWND frame);

    [[nodiscard]] win32::WindowTimer& Timer(CaptureTimer which);
    [[nodiscard]] bool PointerAreaRunning() const noexcept;
    [[nodiscard]] bool AutomaticRunning() const noexcept;

    // Runs the tick of a capture timer with this instance; false for any
    // other timer id.
    bool OnTimer(Frame& frame, UINT_PTR timerId);
    // The pointer area reads the monitors and gets the screen's DC afresh
    // at its next tick: the monitors changed, or the mode starts or ends.
    void ForgetScreen();

    DelayedTickCounter entireScreenTicks;
    DelayedTickCounter rectangleTicks;
    AutomaticRunState automatic;
    // The pointer-area preview's second picture: each tick grabs into it and
    // trades it for the document's only when the area looks different.
    Picture pointerAreaSpare;
    // Where the pointer was at the last tick, and for how many ticks (up to
    // a limit) it and the area under it have stayed the same.
    POINT pointerAreaLastPointer{};
    int pointerAreaStillTicks = 0;
    // The monitors as the pointer-area mode last read them. Asking the
    // window system for them cost Wine as much as the grab itself, twenty
    // times a second, and they only change with a WM_DISPLAYCHANGE.
    std::optional<MonitorLayout> pointerAreaMonitors;
    // The pointer area's screen DC and memory DC, kept for the same reason.
    RepeatedScreenGrab pointerAreaGrab;

    // How the rectangle overlay cuts the selection out of the frozen screen;
    // tests put a failing one here. Nullptr means the picture's own copy.
    using SelectionCopier = Picture (*)(const Picture& frozen, int left, int top, int width, int height);
    SelectionCopier selectionCopier = nullptr;

private:
    HWND frame_ = nullptr;
    std::array<win32::WindowTimer, 4> timers_{
        win32::WindowTimer{static_cast<UINT_PTR>(CaptureTimer::EntireScreen), 100},
        win32::WindowTimer{static_cast<UINT_PTR>(CaptureTimer::Rectangle), 100},
        win32::WindowTimer{static_cast<UINT_PTR>(CaptureTimer::PointerArea), 50},
        win32::WindowTimer{static_cast<UINT_PTR>(CaptureTimer::Automatic), 0}};
};

}  // namespace snapora
