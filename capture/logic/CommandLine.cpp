#include "capture/logic/CommandLine.h"

#include <array>
#include <cstddef>
#include <optional>

#include "capture/CaptureResource.h"
#include "frame/logic/StartSwitch.h"

namespace snapora {

namespace {

enum class SwitchKind { Capture, Delay, Out, Clipboard, Usage, Tray };

struct SwitchRow {
    std::wstring_view name;
    SwitchKind kind;
    CommandCaptureKind capture;
    std::size_t values;
};

// Every switch the program knows; adding one is a row here and a branch in
// Apply below.
constexpr std::array<SwitchRow, 9> kSwitches{{
    {L"screen", SwitchKind::Capture, CommandCaptureKind::Screen, 0},
    {L"window", SwitchKind::Capture, CommandCaptureKind::Window, 0},
    {L"rect", SwitchKind::Capture, CommandCaptureKind::Rect, 4},
    {L"region", SwitchKind::Capture, CommandCaptureKind::Region, 0},
    {L"delay", SwitchKind::Delay, CommandCaptureKind::Screen, 1},
    {L"out", SwitchKind::Out, CommandCaptureKind::Screen, 1},
    {L"clipboard", SwitchKind::Clipboard, CommandCaptureKind::Screen, 0},
    {L"?", SwitchKind::Usage, CommandCaptureKind::Screen, 0},
    // Written by the start with Windows; it stands alone.
    {kTraySwitchName, SwitchKind::Tray, CommandCaptureKind::Screen, 0},
}};

constexpr int kLongestDelayMs = 600000;

struct OutcomeRow {
    CommandOutcome outcome;
    int exitCode;
    unsigned reasonId;
};

constexpr std::array<OutcomeRow, 9> kOutcomes{{
    {CommandOutcome::Success, 0, 0},
    {CommandOutcome::CaptureFailed, 1, IDS_COMMAND_CAPTURE_FAILED},
    {CommandOutcome::BadArgument, 2, IDS_COMMAND_BAD_ARGUMENT},
    {CommandOutcome::CannotWrite, 3, IDS_COMMAND_CANNOT_WRITE},
    {CommandOutcome::OutsideDesktop, 4, IDS_COMMAND_OUTSIDE_DESKTOP},
    {CommandOutcome::Cancelled, 5, IDS_COMMAND_CANCELLED},
    // The reason is the status bar's own words for a busy clipboard.
    {CommandOutcome::ClipboardBusy, 6, 0},
    {CommandOutcome::Busy, 7, IDS_COMMAND_BUSY},
    {CommandOutcome::NoAnswer, 8, IDS_COMMAND_NO_ANSWER},
}};

constexpr std::array<std::pair<ArgumentProblem, unsigned>, 7> kProblems{{
    {ArgumentProblem::Unknown, IDS_ARGUMENT_UNKNOWN},
    {ArgumentProblem::MissingValue, IDS_ARGUMENT_MISSING_VALUE},
    {ArgumentProblem::BadValue, IDS_ARGUMENT_BAD_VALUE},
    {ArgumentProblem::SecondCapture, IDS_ARGUMENT_SECOND_CAPTURE},
    {ArgumentProblem::Repeated, IDS_ARGUMENT_REPEATED},
    {ArgumentProblem::NoCapture, IDS_ARGUMENT_NO_CAPTURE},
    {ArgumentProblem::NotAlone, IDS_ARGUMENT_NOT_ALONE},
}};

wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

const SwitchRow* FindSwitch(std::wstring_view argument) {
    if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) return nullptr;
    const std::wstring_view name = argument.substr(1);
    for (const SwitchRow& row : kSwitches) {
        if (row.name.size() != name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i) same = Lower(name[i]) == row.name[i];
        if (same) return &row;
    }
    return nullptr;
}

// A whole decimal number in [low, high]; no sign but a leading minus, no
// blanks, nothing after it.
std::optional<int> ParseNumber(std::wstring_view text, long long low, long long high) {
    const bool negative = !text.empty() && text[0] == L'-';
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 10) return std::nullopt;
    long long value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (negative) value = -value;
    if (value < low || value > high) return std::nullopt;
    return static_cast<int>(value);
}

// Takes the switch's values into the request; false when one is not valid.
bool Apply(const SwitchRow& row, std::span<const std::wstring> values, CaptureRequest& request) {
    switch (row.kind) {
        case SwitchKind::Capture: {
            request.kind = row.capture;
            if (row.values == 0) return true;
            // Any desktop corner, monitors left of or above the primary
            // included; a size of at least one pixel.
            const auto left = ParseNumber(values[0], -1000000, 1000000);
            const auto top = ParseNumber(values[1], -1000000, 1000000);
            const auto width = ParseNumber(values[2], 1, 1000000);
            const auto height = ParseNumber(values[3], 1, 1000000);
            if (!left || !top || !width || !height) return false;
            request.left = *left;
            request.top = *top;
            request.width = *width;
            request.height = *height;
            return true;
        }
        case SwitchKind::Delay: {
            const auto delay = ParseNumber(values[0], 0, kLongestDelayMs);
            if (delay) request.delayMs = *delay;
            return delay.has_value();
        }
        case SwitchKind::Out:
            request.outPath = values[0];
            return !values[0].empty();
        case SwitchKind::Clipboard:
        case SwitchKind::Usage:
        case SwitchKind::Tray:
            request.clipboard = request.clipboard || row.kind == SwitchKind::Clipboard;
            return true;
    }
    return false;
}

ParsedCommandLine Refuse(ArgumentProblem problem, std::wstring_view argument) {
    ParsedCommandLine parsed;
    parsed.action = ParsedCommandLine::Action::Refused;
    parsed.problem = problem;
    parsed.argument = std::wstring(argument);
    return parsed;
}

}  // namespace

ParsedCommandLine ParseCommandLine(std::span<const std::wstring> arguments) {
    ParsedCommandLine parsed;
    if (arguments.empty()) return parsed;
    std::array<bool, kSwitches.size()> seen{};
    bool capture = false;
    for (std::size_t at = 0; at < arguments.size();) {
        const SwitchRow* row = FindSwitch(arguments[at]);
        if (!row) return Refuse(ArgumentProblem::Unknown, arguments[at]);
        if (row->kind == SwitchKind::Usage) {
            parsed.action = ParsedCommandLine::Action::Usage;
            return parsed;
        }
        const std::wstring& name = arguments[at];
        if (row->kind == SwitchKind::Tray) {
            if (arguments.size() != 1) return Refuse(ArgumentProblem::NotAlone, name);
            parsed.action = ParsedCommandLine::Action::Tray;
            return parsed;
        }
        if (arguments.size() - at - 1 < row->values) return Refuse(ArgumentProblem::MissingValue, name);
        const auto index = static_cast<std::size_t>(row - kSwitches.data());
        if (row->kind == SwitchKind::Capture && capture) return Refuse(ArgumentProblem::SecondCapture, name);
        if (seen[index]) return Refuse(ArgumentProblem::Repeated, name);
        seen[index] = true;
        capture = capture || row->kind == SwitchKind::Capture;
        if (!Apply(*row, arguments.subspan(at + 1, row->values), parsed.request)) {
            return Refuse(ArgumentProblem::BadValue, name);
        }
        at += 1 + row->values;
    }
    if (!capture) return Refuse(ArgumentProblem::NoCapture, {});
    parsed.action = ParsedCommandLine::Action::Capture;
    return parsed;
}

std::vector<std::wstring> ArgumentsOf(const CaptureRequest& request) {
    std::vector<std::wstring> arguments;
    for (const SwitchRow& row : kSwitches) {
        if (row.kind == SwitchKind::Capture && row.capture == request.kind) arguments.emplace_back(L"/" + std::wstring(row.name));
    }
    if (request.kind == CommandCaptureKind::Rect) {
        for (const int value : {request.left, request.top, request.width, request.height}) {
            arguments.push_back(std::to_wstring(value));
        }
    }
    arguments.insert(arguments.end(), {L"/delay", std::to_wstring(request.delayMs)});
    if (!request.outPath.empty()) arguments.insert(arguments.end(), {L"/out", request.outPath});
    if (request.clipboard) arguments.emplace_back(L"/clipboard");
    return arguments;
}

bool RectangleWithin(const CaptureRequest& request, int left, int top, int width, int height) {
    const auto right = static_cast<long long>(left) + width;
    const auto bottom = static_cast<long long>(top) + height;
    return request.left >= left && request.top >= top && request.left + static_cast<long long>(request.width) <= right &&
           request.top + static_cast<long long>(request.height) <= bottom;
}

int ExitCodeOf(CommandOutcome outcome) {
    for (const OutcomeRow& row : kOutcomes) {
        if (row.outcome == outcome) return row.exitCode;
    }
    return 1;
}

unsigned ReasonTextIdOf(CommandOutcome outcome) {
    for (const OutcomeRow& row : kOutcomes) {
        if (row.outcome == outcome) return row.reasonId;
    }
    return IDS_COMMAND_CAPTURE_FAILED;
}

unsigned ProblemTextIdOf(ArgumentProblem problem) {
    for (const auto& [known, id] : kProblems) {
        if (known == problem) return id;
    }
    return IDS_ARGUMENT_UNKNOWN;
}

std::wstring JoinArguments(std::span<const std::wstring> arguments) {
    std::wstring block;
    for (const std::wstring& argument : arguments) {
        block += argument;
        block.push_back(L'\0');
    }
    return block;
}

std::vector<std::wstring> SplitArguments(std::wstring_view block) {
    std::vector<std::wstring> arguments;
    while (!block.empty()) {
        const std::size_t end = block.find(L'\0');
        arguments.emplace_back(block.substr(0, end));
        if (end == std::wstring_view::npos) break;
        block.remove_prefix(end + 1);
    }
    return arguments;
}

}  // namespace snapora
