// Any block a second start could hand over, split and parsed: parsing
// never reads past its arguments, a refusal names one of them, and an
// accepted request asks for exactly itself again through ArgumentsOf.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "capture/logic/CommandLine.h"

using snapora::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace snapora;
    std::wstring block;
    for (std::size_t i = 0; i + 1 < size; i += 2) block.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));
    const std::vector<std::wstring> arguments = SplitArguments(block);
    Check(SplitArguments(JoinArguments(arguments)) == arguments);
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (parsed.action == ParsedCommandLine::Action::Refused) {
        Check(parsed.problem != ArgumentProblem::None);
        // The argument at fault is one of those given (an empty one too).
        Check(parsed.problem == ArgumentProblem::NoCapture ||
              std::find(arguments.begin(), arguments.end(), parsed.argument) != arguments.end());
    }
    if (parsed.action == ParsedCommandLine::Action::Capture) {
        const ParsedCommandLine again = ParseCommandLine(ArgumentsOf(parsed.request));
        Check(again.action == ParsedCommandLine::Action::Capture && again.request == parsed.request);
        const CaptureRequest& r = parsed.request;
        Check(r.delayMs >= 0 && (r.kind != CommandCaptureKind::Rect || (r.width > 0 && r.height > 0)));
    }
    return 0;
}
