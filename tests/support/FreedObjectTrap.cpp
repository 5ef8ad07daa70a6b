#include "support/FreedObjectTrap.h"

#include <cstdlib>

namespace snapora::test {

FreedObjectTrap::FreedObjectTrap() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Count;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SnaporaTestTrap";
    ::RegisterClassW(&wc);
    window_ = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&sent_));
}

FreedObjectTrap::~FreedObjectTrap() {
    ::DestroyWindow(window_);
    for (void* block : blocks_) std::free(block);
}

void FreedObjectTrap::Refill() {
    // Every size up to 4 KiB, several of each: the freed block is among them.
    for (std::size_t size = 16; size <= 4096; size += 16) {
        for (int i = 0; i < 8; ++i) {
            auto* block = static_cast<HWND*>(std::malloc(size));
            if (!block) return;
            for (std::size_t j = 0; j < size / sizeof(HWND); ++j) block[j] = window_;
            blocks_.push_back(block);
        }
    }
}

LRESULT CALLBACK FreedObjectTrap::Count(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto* sent = reinterpret_cast<int*>(::GetWindowLongPtrW(window, GWLP_USERDATA))) ++*sent;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace snapora::test
