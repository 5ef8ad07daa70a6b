#include "capture/CaptureModes.h"

#include "capture/CaptureCommands.h"
#include "frame/Frame.h"

namespace snapora {

namespace {

constexpr wchar_t kProperty[] = L"SnaporaCaptureModes";

struct TimerEntry {
    CaptureTimer timer;
    void (*tick)(Frame&, CaptureModes&);
};

constexpr TimerEntry kTicks[] = {
    {CaptureTimer::EntireScreen, &EntireScreenCaptureTick},
    {CaptureTimer::Rectangle, &RectangleCaptureTick},
    {CaptureTimer::PointerArea, &PointerAreaCaptureTick},
    {CaptureTimer::Automatic, &AutomaticCaptureTick},
};

}  // namespace

void CaptureModes::Attach(HWND frame) {
    frame_ = frame;
    for (auto& timer : timers_) timer.Attach(frame);
    ::SetPropW(frame, kProperty, this);
}

void CaptureModes::Detach() {
    for (auto& timer : timers_) timer.SetEnabled(false);
    if (frame_ && ::GetPropW(frame_, kProperty) == this) ::RemovePropW(frame_, kProperty);
    frame_ = nullptr;
}

CaptureModes* CaptureModes::Of(HWND frame) { return static_cast<CaptureModes*>(::GetPropW(frame, kProperty)); }

win32::WindowTimer& CaptureModes::Timer(CaptureTimer which) {
    return timers_[static_cast<std::size_t>(which) - 1];
}

bool CaptureModes::PointerAreaRunning() const noexcept {
    return timers_[static_cast<std::size_t>(CaptureTimer::PointerArea) - 1].Enabled();
}

bool CaptureModes::AutomaticRunning() const noexcept {
    return timers_[static_cast<std::size_t>(CaptureTimer::Automatic) - 1].Enabled();
}

void CaptureModes::ForgetScreen() {
    pointerAreaMonitors.reset();
    pointerAreaGrab = RepeatedScreenGrab{};
}

bool CaptureModes::OnTimer(Frame& frame, UINT_PTR timerId) {
    for (const auto& entry : kTicks) {
        if (static_cast<UINT_PTR>(entry.timer) != timerId) continue;
        entry.tick(frame, *this);
        return true;
    }
    return false;
}

}  // namespace snapora
