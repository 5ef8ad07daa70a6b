#pragma once
// What one run of the program keeps between commands and timer ticks. The
// main window owns the one instance; features reach it through the frame.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "frame/logic/DelayedTickCounter.h"
#include "picture/Clipboard.h"
#include "picture/Picture.h"

namespace snapora {

struct RunState {
    // The number the next capture document gets in its caption.
    std::uint64_t captureCount = 0;
    // The document a capture mode last opened; a handle, looked up again
    // before use, since the user may close it at any time.
    HWND currentDocument = nullptr;

    DelayedTickCounter entireScreenTicks;
    DelayedTickCounter rectangleTicks;

    // Ticks of the current automatic run; also the number in the file name.
    int automaticCount = 0;
    // Pictures of the current automatic run that reached their file.
    int automaticWritten = 0;
    // The automatic run's screen picture, grabbed into again while the
    // screen keeps its size.
    std::shared_ptr<Picture> automaticPicture;
    // The bytes of its last file, kept so each tick reuses the memory.
    std::vector<std::uint8_t> automaticFileBytes;

    // The screen that automatic capture offers on the clipboard.
    ClipboardOffer clipboardOffer;

    // How the rectangle overlay cuts the selection out of the frozen screen;
    // tests put a failing one here. Nullptr means the picture's own copy.
    using SelectionCopier = Picture (*)(const Picture& frozen, int left, int top, int width, int height);
    SelectionCopier selectionCopier = nullptr;

    // Per capture key: false while another program holds it, as found the
    // last time the keys were registered.
    std::array<bool, 4> hotkeysAvailable{true, true, true, true};
};

}  // namespace snapora
