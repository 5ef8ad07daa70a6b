#pragma once
// What the capture documents share while the program runs: the number the
// next one gets and the one a capture mode last opened. The main window
// owns the one instance; documents and capture reach it through the frame.
#include <windows.h>

#include <cstdint>

namespace snapora {

struct CaptureDocumentState {
    // The number the next capture document gets in its caption.
    std::uint64_t captureCount = 0;
    // The document a capture mode last opened; a handle, looked up again
    // before use, since the user may close it at any time.
    HWND currentDocument = nullptr;
};

}  // namespace snapora
