#pragma once
// Snapora runs once: a second start with a capture command hands it to the
// running copy and waits for its result, which it then exits with.
#include <windows.h>

#include <string>

#include "capture/logic/CommandLine.h"

namespace snapora {

class Frame;

struct HandedResult {
    int exitCode = 0;
    std::wstring reason;
};

// In the second copy: hands `request` to the running copy's main window
// (found by its class) and waits until it has ended there.
HandedResult HandCommandOver(HINSTANCE instance, const wchar_t* mainWindowClass, const CaptureRequest& request);

// In the running copy: WM_COPYDATA from a second start. Starts the command
// and answers `replyWindow` when it ends. False for data that is not a
// command.
bool ReceiveHandedCommand(Frame& frame, HWND replyWindow, const COPYDATASTRUCT& data);

}  // namespace snapora
