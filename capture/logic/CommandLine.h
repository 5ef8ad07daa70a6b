#pragma once
// The capture commands that scripts give on the command line, and how each
// command ends: its exit code and the id of its one-line reason. No window
// system here.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace snapora {

enum class CommandCaptureKind { Screen, Window, Rect, Region };

struct CaptureRequest {
    CommandCaptureKind kind = CommandCaptureKind::Screen;
    // For a rectangle: desktop pixels.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int delayMs = 0;
    // Where the picture goes: a file (the format from its name), the
    // clipboard, both, or, with neither, a new document.
    std::wstring outPath;
    bool clipboard = false;
    friend bool operator==(const CaptureRequest&, const CaptureRequest&) = default;
};

// Why the arguments were refused.
enum class ArgumentProblem { None, Unknown, MissingValue, BadValue, SecondCapture, Repeated, NoCapture, NotAlone };

struct ParsedCommandLine {
    enum class Action { Start, Tray, Usage, Capture, Refused };
    // Start: no arguments, the program starts as always. Tray: it starts
    // minimised, into the notification area when its icon is shown (the
    // start with Windows).
    Action action = Action::Start;
    CaptureRequest request;
    ArgumentProblem problem = ArgumentProblem::None;
    // The argument the problem is about.
    std::wstring argument;
};

// The arguments after the program's name. Switches start with "/" or "-"
// and are read in any case.
ParsedCommandLine ParseCommandLine(std::span<const std::wstring> arguments);

// The arguments that ask for exactly `request` again, for handing it to a
// running copy of the program once relative paths are made full.
std::vector<std::wstring> ArgumentsOf(const CaptureRequest& request);

// Whether the request's rectangle lies wholly within the desktop's
// bounding rectangle (left, top, width, height).
bool RectangleWithin(const CaptureRequest& request, int left, int top, int width, int height);

// Every way a command can end. The exit code and reason of each are in one
// table; a reason's "%1" takes the command's detail (a path, an argument,
// a program's name).
enum class CommandOutcome {
    Success,
    CaptureFailed,
    BadArgument,
    CannotWrite,
    OutsideDesktop,
    Cancelled,
    ClipboardBusy,
    Busy,
    NoAnswer,
};
int ExitCodeOf(CommandOutcome outcome);
// The string-table id of the reason; 0 for success, which says nothing, and
// for a busy clipboard, told in the status bar's own words.
unsigned ReasonTextIdOf(CommandOutcome outcome);
// The string-table id of the words after "参数错误：" for a refused argument.
unsigned ProblemTextIdOf(ArgumentProblem problem);

// The arguments handed to a running copy of the program, as one block:
// each followed by a zero character. Splitting takes any block apart,
// however it was made.
std::wstring JoinArguments(std::span<const std::wstring> arguments);
std::vector<std::wstring> SplitArguments(std::wstring_view block);

}  // namespace snapora
