#pragma once
// Catches code that uses an object after it was freed: freed heap blocks
// are refilled with the handle of a window that counts what it is sent, so
// a window handle read out of a freed object names this window instead of
// failing quietly.
#include <windows.h>

#include <vector>

namespace snapora::test {

class FreedObjectTrap {
public:
    FreedObjectTrap();
    ~FreedObjectTrap();
    FreedObjectTrap(const FreedObjectTrap&) = delete;
    FreedObjectTrap& operator=(const FreedObjectTrap&) = delete;

    // Call right after the object is freed; the blocks live as long as the trap.
    void Refill();
    // Messages the trap window was sent.
    [[nodiscard]] int Sent() const noexcept { return sent_; }

private:
    static LRESULT CALLBACK Count(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    int sent_ = 0;
    std::vector<void*> blocks_;
};

}  // namespace snapora::test
