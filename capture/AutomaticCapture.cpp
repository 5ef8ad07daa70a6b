// Automatic capture: the whole screen written as numbered BMP or PNG files
// into a folder below the program's folder, at a fixed interval for a set
// time, with its progress in the status bar.
#include <memory>
#include <optional>
#include <string>

#include "capture/CaptureCommands.h"
#include "capture/CaptureModes.h"
#include "capture/CaptureResource.h"
#include "capture/ScreenGrab.h"
#include "capture/logic/AutomaticProgress.h"
#include "capture/logic/AutomaticRun.h"
#include "frame/Frame.h"
#include "frame/Texts.h"
#include "picture/PictureFile.h"
#include "picture/Clipboard.h"
#include "frame/logic/CaptureSettings.h"
#include "win32/Screen.h"
#include "win32/WindowTimer.h"

namespace snapora {

namespace {

// The run's screen picture is grabbed into again while the screen keeps its
// size: a fresh screen-sized bitmap every tick cost about as much as the
// grab itself. No document ever shows it; the clipboard may hold it on
// offer, and then the newer screen is what it should give anyway.
std::shared_ptr<const Picture> GrabTickScreen(std::shared_ptr<Picture>& tickPicture, ScreenRange range) {
    // Looked up every tick, once: monitors come and go during a run.
    const MonitorLayout layout = CurrentMonitors();
    const PixelRect screen = CurrentCaptureRange(range, layout);
    if (tickPicture && tickPicture->Width() == screen.Width() && tickPicture->Height() == screen.Height() &&
        GrabScreenAreaInto(*tickPicture, screen.left, screen.top, layout)) {
        return tickPicture;
    }
    // The first tick, a new screen size, or a failed grab: a fresh picture.
    tickPicture =
        std::make_shared<Picture>(GrabScreenArea(screen.left, screen.top, screen.Width(), screen.Height(), layout));
    if (tickPicture->Empty()) tickPicture.reset();
    return tickPicture;
}

// The folder at `path`, created when missing. False when it cannot be had
// as a folder (a file of that name, no permission).
bool MakeFolder(const std::wstring& path) {
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!::CreateDirectoryW(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
        attributes = ::GetFileAttributesW(path.c_str());
    }
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The run's folder below the program's folder, with the sub-folders the
// prefix names inside it. Nothing when one cannot be had: the tick then
// skips its picture.
std::optional<std::wstring> NewDir(const CaptureSettings& settings) {
    const std::wstring path = AutomaticFolderPath(win32::ProgramFolder(), settings.automaticFolder);
    if (!MakeFolder(path)) return std::nullopt;
    for (const std::wstring& subfolder : PrefixSubfolders(settings.automaticPrefix)) {
        if (!MakeFolder(AutomaticFolderPath(path, subfolder))) return std::nullopt;
    }
    return path;
}

void ShowProgress(Frame& frame, const AutomaticRunState& run) {
    const CaptureSettings& settings = frame.Settings();
    const int total = AutomaticRunTotal(settings.automaticDuration, settings.automaticIntervalMs);
    const std::wstring progress = LoadText(IDS_AUTOMATIC_PROGRESS);
    const std::wstring minutesAndSeconds = LoadText(IDS_AUTOMATIC_MINUTES_SECONDS);
    const std::wstring secondsOnly = LoadText(IDS_AUTOMATIC_SECONDS);
    frame.SetStatusText(FormatAutomaticProgress(
        {progress, minutesAndSeconds, secondsOnly}, run.written, total,
        AutomaticSecondsLeft(run.count, total, settings.automaticIntervalMs)));
}

}  // namespace

void ToggleAutomaticCapture(Frame& frame) {
    CaptureModes* modes = CaptureModes::Of(frame.Handle());
    if (!modes) return;
    const bool start = !modes->AutomaticRunning();
    win32::WindowTimer& timer = modes->Timer(CaptureTimer::Automatic);
    timer.SetInterval(frame.Settings().automaticIntervalMs);
    timer.SetEnabled(start);
    modes->automatic = {};
    // However a run ends, the version comes back.
    if (start) {
        ShowProgress(frame, modes->automatic);
    } else {
        frame.SetStatusText({});
    }
}

void AutomaticCaptureTick(Frame& frame, CaptureModes& modes) {
    if (!modes.AutomaticRunning()) return;
    AutomaticRunState& run = modes.automatic;
    ++run.count;
    // Read afresh each tick, so the options dialog can change a running run.
    const CaptureSettings& settings = frame.Settings();
    if (AutomaticRunEnds(settings.automaticDuration, settings.automaticIntervalMs, run.count)) {
        ToggleAutomaticCapture(frame);
        return;
    }
    // The file gets the screen just grabbed, never what the clipboard holds:
    // another program may keep the clipboard busy.
    const std::shared_ptr<const Picture> picture = GrabTickScreen(run.picture, settings.screenRange);
    if (picture) (void)frame.Clipboard().Offer(frame.Handle(), picture, ClipboardOffer::Bitmap::WhenAsked);
    const std::optional<std::wstring> folder = picture ? NewDir(settings) : std::nullopt;
    // A picture that cannot be written is skipped; the run goes on.
    const PictureFormat format = settings.automaticFormat;
    if (folder && WritePictureFile(*picture, AutomaticPicturePath(*folder, settings.automaticPrefix, run.count, format),
                                   format, WriteDurability::Buffered, run.fileBytes)) {
        ++run.written;
    }
    ShowProgress(frame, run);
}

}  // namespace snapora
