#include "win32/Handle.h"

namespace snapora::win32 {

ClipboardLock::ClipboardLock(HWND owner, int attempts, DWORD delayMs) noexcept {
    for (int i = 0; i < attempts; ++i) {
        if (::OpenClipboard(owner)) {
            open_ = true;
            return;
        }
        if (i + 1 < attempts) ::Sleep(delayMs);
    }
}

}  // namespace snapora::win32
