#pragma once
// Captures that a script asks for on the command line, run in this
// program: the request's wait, the grab, and where the picture goes.
#include <functional>
#include <string>

#include "capture/logic/CommandLine.h"

namespace snapora {

class Frame;

struct CommandResult {
    CommandOutcome outcome = CommandOutcome::Success;
    // What the reason names: a path, a rectangle, a program.
    std::wstring detail;
    // The picture opened in a new document, which keeps the program open.
    bool documentMade = false;
};
using CommandFinished = std::function<void(const CommandResult&)>;

// Starts the capture. For the screen and the region a visible main window
// hides first, as it does for the menu's captures, and comes back unless a
// document brings it back. `finished` is called exactly once, from the
// message loop, when the command has ended. False, and no call, while
// another command or the rectangle overlay is under way.
bool StartCommandCapture(Frame& frame, const CaptureRequest& request, CommandFinished finished);

// The one line a command ends with; "" for success.
std::wstring CommandReason(const CommandResult& result);

}  // namespace snapora
