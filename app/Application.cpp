#include "app/Application.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "app/CommandHandover.h"
#include "app/ConsoleText.h"
#include "app/MainWindow.h"
#include "capture/CaptureResource.h"
#include "capture/CommandCapture.h"
#include "frame/Texts.h"
#include "win32/Handle.h"
#include "win32/Screen.h"

namespace snapora {

namespace {

constexpr wchar_t kSingleInstanceMutex[] = L"Local\\Snapora.SingleInstance.{6A1F0C52-3B7E-4E0B-9C1D-2F4B8E5D7A90}";

// The arguments after the program's name, as the C runtime split them
// before wWinMain (the shell's splitter would load its large DLL, and all
// it imports, at every start).
std::vector<std::wstring> ProgramArguments() {
    std::vector<std::wstring> arguments;
    for (int i = 1; __wargv && i < __argc; ++i) arguments.emplace_back(__wargv[i]);
    return arguments;
}

// A file named relative to the caller's folder: the running copy that may
// write it has a folder of its own.
std::wstring FullPath(const std::wstring& path) {
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

int Report(int exitCode, const std::wstring& reason) {
    if (!reason.empty()) WriteConsoleLine(exitCode == 0 ? ConsoleStream::Output : ConsoleStream::Error, reason);
    return exitCode;
}

int RunMessageLoop(HWND mdiClient) {
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (::TranslateMDISysAccel(mdiClient, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

// A capture command without a running copy: the main window stays hidden
// and the program ends with the command, unless it opened a document.
int RunCommandHere(MainWindow& main, const CaptureRequest& request) {
    int exitCode = 0;
    MainWindow* owner = &main;
    const bool started = StartCommandCapture(main, request, [owner, &exitCode](const CommandResult& result) {
        exitCode = Report(ExitCodeOf(result.outcome), CommandReason(result));
        if (!result.documentMade) owner->RequestExit();
    });
    if (!started) return Report(ExitCodeOf(CommandOutcome::CaptureFailed), CommandReason({CommandOutcome::CaptureFailed, {}, false}));
    const int loopCode = RunMessageLoop(main.MdiClient());
    return exitCode != 0 ? exitCode : loopCode;
}

}  // namespace

int RunApplication(HINSTANCE instance, int showCommand) {
    win32::EnableDpiAwareness();

    const ParsedCommandLine parsed = ParseCommandLine(ProgramArguments());
    if (parsed.action == ParsedCommandLine::Action::Usage) return Report(0, LoadText(IDS_COMMAND_USAGE));
    if (parsed.action == ParsedCommandLine::Action::Refused) {
        const std::wstring problem = FormatText(ProblemTextIdOf(parsed.problem), parsed.argument);
        return Report(ExitCodeOf(CommandOutcome::BadArgument), FormatText(ReasonTextIdOf(CommandOutcome::BadArgument), problem));
    }
    const bool command = parsed.action == ParsedCommandLine::Action::Capture;
    CaptureRequest request = parsed.request;
    if (!request.outPath.empty()) request.outPath = FullPath(request.outPath);

    // A second copy hands its command to the first and ends with its
    // result; without a command (or with /tray, at log-on) it ends at once,
    // silently.
    win32::UniqueKernelHandle instanceMutex(::CreateMutexW(nullptr, FALSE, kSingleInstanceMutex));
    if (!instanceMutex || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (!command) return 0;
        const HandedResult result = HandCommandOver(instance, MainWindow::ClassName(), request);
        return Report(result.exitCode, result.reason);
    }
    MainWindow* main = MainWindow::Create(instance);
    if (!main) return 1;
    if (command) return RunCommandHere(*main, request);
    // Started with Windows: minimised, which with the icon shown means
    // into the notification area.
    main->Show(parsed.action == ParsedCommandLine::Action::Tray ? SW_SHOWMINNOACTIVE : showCommand);
    // The client lives as long as the frame; once both are gone the
    // translation finds no window and passes every message on.
    return RunMessageLoop(main->MdiClient());
}

}  // namespace snapora
