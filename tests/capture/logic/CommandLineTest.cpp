#include "capture/logic/CommandLine.h"

#include "frame/logic/StartSwitch.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace snapora {
namespace {

using Action = ParsedCommandLine::Action;

ParsedCommandLine Parse(std::vector<std::wstring> arguments) { return ParseCommandLine(arguments); }

TEST(CommandLine, ReadsEachCaptureWithItsDestinationInAnyOrderAndCase) {
    EXPECT_EQ(Parse({}).action, Action::Start);
    EXPECT_EQ(Parse({L"/?"}).action, Action::Usage);
    EXPECT_EQ(Parse({L"/screen", L"/bogus", L"-?"}).action, Action::Refused);

    const ParsedCommandLine rect = Parse({L"/OUT", L"shot.png", L"-Rect", L"-20", L"0", L"640", L"480", L"/delay", L"1500", L"/clipboard"});
    ASSERT_EQ(rect.action, Action::Capture);
    const CaptureRequest expected{CommandCaptureKind::Rect, -20, 0, 640, 480, 1500, L"shot.png", true};
    EXPECT_EQ(rect.request, expected);

    for (const auto& [name, kind] : {std::pair{L"/screen", CommandCaptureKind::Screen}, {L"/window", CommandCaptureKind::Window},
                                     {L"/region", CommandCaptureKind::Region}}) {
        const ParsedCommandLine parsed = Parse({name});
        ASSERT_EQ(parsed.action, Action::Capture) << name;
        EXPECT_EQ(parsed.request, CaptureRequest{kind}) << name;
        // What is handed to a running copy asks for the same again.
        EXPECT_EQ(Parse(ArgumentsOf(parsed.request)).request, parsed.request);
    }
    EXPECT_EQ(Parse(ArgumentsOf(rect.request)).request, rect.request);
}

TEST(CommandLine, RefusesBadArgumentsNamingTheOneAtFault) {
    const struct {
        std::vector<std::wstring> arguments;
        ArgumentProblem problem;
        std::wstring argument;
    } cases[] = {
        {{L"/screen", L"/jpeg"}, ArgumentProblem::Unknown, L"/jpeg"},
        {{L"screen"}, ArgumentProblem::Unknown, L"screen"},
        {{L"/rect", L"1", L"2", L"3"}, ArgumentProblem::MissingValue, L"/rect"},
        {{L"/screen", L"/out"}, ArgumentProblem::MissingValue, L"/out"},
        {{L"/rect", L"1", L"2", L"0", L"5"}, ArgumentProblem::BadValue, L"/rect"},
        {{L"/rect", L"1", L"2", L"3", L"4x"}, ArgumentProblem::BadValue, L"/rect"},
        {{L"/rect", L"99999999999", L"2", L"3", L"4"}, ArgumentProblem::BadValue, L"/rect"},
        {{L"/screen", L"/delay", L"-1"}, ArgumentProblem::BadValue, L"/delay"},
        {{L"/screen", L"/delay", L"600001"}, ArgumentProblem::BadValue, L"/delay"},
        {{L"/screen", L"/out", L""}, ArgumentProblem::BadValue, L"/out"},
        {{L"/screen", L"/window"}, ArgumentProblem::SecondCapture, L"/window"},
        {{L"/screen", L"/clipboard", L"/Clipboard"}, ArgumentProblem::Repeated, L"/Clipboard"},
        {{L"/out", L"a.png", L"/delay", L"5"}, ArgumentProblem::NoCapture, L""},
        {{L"/screen", L"/tray"}, ArgumentProblem::NotAlone, L"/tray"},
        {{L"-Tray", L"/tray"}, ArgumentProblem::NotAlone, L"-Tray"},
    };
    for (const auto& c : cases) {
        const ParsedCommandLine parsed = ParseCommandLine(c.arguments);
        EXPECT_EQ(parsed.action, Action::Refused) << c.arguments.front();
        EXPECT_EQ(parsed.problem, c.problem) << c.arguments.back();
        EXPECT_EQ(parsed.argument, c.argument);
        EXPECT_NE(ProblemTextIdOf(parsed.problem), 0u);
    }
}

TEST(CommandLine, EveryOutcomeButSuccessEndsWithItsOwnNonZeroCodeAndAReason) {
    std::set<int> codes;
    for (const CommandOutcome outcome :
         {CommandOutcome::CaptureFailed, CommandOutcome::BadArgument, CommandOutcome::CannotWrite, CommandOutcome::OutsideDesktop,
          CommandOutcome::Cancelled, CommandOutcome::ClipboardBusy, CommandOutcome::Busy, CommandOutcome::NoAnswer}) {
        EXPECT_NE(ExitCodeOf(outcome), 0);
        codes.insert(ExitCodeOf(outcome));
        EXPECT_TRUE(ReasonTextIdOf(outcome) != 0 || outcome == CommandOutcome::ClipboardBusy);
    }
    EXPECT_EQ(codes.size(), 8u);
    EXPECT_EQ(ExitCodeOf(CommandOutcome::Success), 0);
    EXPECT_EQ(ExitCodeOf(CommandOutcome::BadArgument), 2);
}

TEST(CommandLine, ARectangleMustLieWhollyOnTheDesktop) {
    const CaptureRequest inside{CommandCaptureKind::Rect, -800, 0, 1824, 768};
    EXPECT_TRUE(RectangleWithin(inside, -800, 0, 1824, 768));
    for (const CaptureRequest& outside : {CaptureRequest{CommandCaptureKind::Rect, -801, 0, 10, 10},
                                         CaptureRequest{CommandCaptureKind::Rect, 1000, 760, 25, 8},
                                         CaptureRequest{CommandCaptureKind::Rect, 1000000, 1000000, 1000000, 1000000}}) {
        EXPECT_FALSE(RectangleWithin(outside, -800, 0, 1824, 768)) << outside.left;
    }
}

TEST(CommandLine, TheStartWithWindowsCommandStartsInTheNotificationArea) {
    // What the Run value holds after the quoted program path is read back
    // as the start in the notification area, however it is spelled.
    const std::wstring written = StartCommandLine(L"C:\\Program Files\\Snapora\\Snapora.exe");
    const std::wstring prefix = L"\"C:\\Program Files\\Snapora\\Snapora.exe\" ";
    ASSERT_EQ(written.substr(0, prefix.size()), prefix);
    for (const std::wstring& tray : {written.substr(prefix.size()), std::wstring(L"-TRAY")}) {
        EXPECT_EQ(Parse({tray}).action, Action::Tray) << tray;
    }
    EXPECT_EQ(Parse({L"/trays"}).action, Action::Refused);
}

TEST(CommandLine, HandedOverArgumentsSplitAsTheyWereJoined) {
    const std::vector<std::wstring> arguments{L"/out", L"C:\\a b\\c.png", L"", L"/screen"};
    EXPECT_EQ(SplitArguments(JoinArguments(arguments)), arguments);
    // A block cut short keeps what it has.
    EXPECT_EQ(SplitArguments(std::wstring_view(L"/screen\0/ou", 11)), (std::vector<std::wstring>{L"/screen", L"/ou"}));
}

}  // namespace
}  // namespace snapora
