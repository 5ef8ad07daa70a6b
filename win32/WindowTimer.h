#pragma once
// A window timer that remembers its interval and whether it runs, like a
// timer component placed on a form.
#include <windows.h>

namespace snapora::win32 {

class WindowTimer {
public:
    WindowTimer(UINT_PTR id, UINT intervalMs) noexcept : id_(id), interval_(intervalMs) {}
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;
    ~WindowTimer() { SetEnabled(false); }

    void Attach(HWND owner) noexcept { owner_ = owner; }
    [[nodiscard]] UINT_PTR Id() const noexcept { return id_; }
    [[nodiscard]] bool Enabled() const noexcept { return enabled_; }
    [[nodiscard]] UINT Interval() const noexcept { return interval_; }

    void SetEnabled(bool enabled) noexcept {
        enabled_ = enabled && interval_ > 0;
        if (!owner_) return;
        if (enabled_) {
            ::SetTimer(owner_, id_, interval_, nullptr);
        } else {
            ::KillTimer(owner_, id_);
        }
    }
    // A new interval takes effect at once when the timer runs.
    void SetInterval(UINT intervalMs) noexcept {
        interval_ = intervalMs;
        if (enabled_) SetEnabled(true);
    }

private:
    HWND owner_ = nullptr;
    UINT_PTR id_;
    UINT interval_;
    bool enabled_ = false;
};

}  // namespace snapora::win32
