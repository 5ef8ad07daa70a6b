// Automatic capture: the whole screen written as numbered BMP or PNG files
// into a folder below the program's folder, at a fixed interval for a set
// time, with its progress in the status bar.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/MainWindow.h"
#include "app/resource.h"
#include "capture/CaptureCommands.h"
#include "capture/CaptureResource.h"
#include "picture/Clipboard.h"
#include "capture/ScreenGrab.h"
#include "capture/logic/AutomaticProgress.h"
#include "capture/logic/AutomaticRun.h"
#include "picture/BitmapFile.h"
#include "win32/Screen.h"

namespace snapora {

namespace {

// Ticks of the current run; also the number in the file name.
int autoCount = 0;
// Pictures of the current run that reached their file.
int autoWritten = 0;

// The run's screen picture, grabbed into again while the screen keeps its
// size: a fresh screen-sized bitmap every tick cost about as much as the
// grab itself. No document ever shows it; the clipboard may hold it on
// offer, and then the newer screen is what it should give anyway.
std::shared_ptr<Picture> tickPicture;

std::shared_ptr<const Picture> GrabTickScreen() {
    const SIZE screen = win32::PrimaryScreenSize();
    if (tickPicture && tickPicture->Width() == screen.cx && tickPicture->Height() == screen.cy &&
        GrabScreenAreaInto(*tickPicture, 0, 0)) {
        return tickPicture;
    }
    // The first tick, a new screen size, or a failed grab: a fresh picture.
    tickPicture = std::make_shared<Picture>(GrabScreenArea(0, 0, screen.cx, screen.cy));
    if (tickPicture->Empty()) tickPicture.reset();
    return tickPicture;
}

// The folder `name` below the program's folder, created when missing.
// Nothing when it cannot be had as a folder (a file of that name, no
// permission): the tick then skips its picture.
std::optional<std::wstring> NewDir(const std::wstring& name) {
    const std::wstring path = AutomaticFolderPath(win32::ProgramFolder(), name);
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!::CreateDirectoryW(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
            return std::nullopt;
        }
        attributes = ::GetFileAttributesW(path.c_str());
    }
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return std::nullopt;
    return path;
}

std::wstring_view ResourceText(UINT id) {
    const wchar_t* text = nullptr;
    // A zero buffer size asks for the text in place, read-only.
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring_view(text, static_cast<std::size_t>(length)) : std::wstring_view{};
}

void ShowProgress(MainWindow& main) {
    const unsigned periodMs = main.Timer(MainTimer::Automatic).Interval();
    const int total = AutomaticRunTotal(main.Settings().automaticDuration, periodMs);
    const AutomaticProgressTexts texts{ResourceText(IDS_AUTOMATIC_PROGRESS), ResourceText(IDS_AUTOMATIC_MINUTES_SECONDS),
                                       ResourceText(IDS_AUTOMATIC_SECONDS)};
    main.SetStatusText(
        FormatAutomaticProgress(texts, autoWritten, total, AutomaticSecondsLeft(autoCount, total, periodMs)));
}

}  // namespace

void ToggleAutomaticCapture(MainWindow& main) {
    const bool on = main.ToggleTimedMode(ID_CAPTURE_AUTOMATIC, MainTimer::Automatic);
    autoCount = 0;
    autoWritten = 0;
    tickPicture.reset();
    // However a run ends, the version comes back.
    if (on) {
        ShowProgress(main);
    } else {
        main.SetStatusText({});
    }
}

void AutomaticCaptureTick(MainWindow& main) {
    if (!main.IsMenuChecked(ID_CAPTURE_AUTOMATIC)) return;
    ++autoCount;
    // Read afresh each tick, so the options dialog can change a running run.
    const CaptureSettings& settings = main.Settings();
    if (AutomaticRunEnds(settings.automaticDuration, main.Timer(MainTimer::Automatic).Interval(), autoCount)) {
        ToggleAutomaticCapture(main);
        return;
    }
    // The file gets the screen just grabbed, never what the clipboard holds:
    // another program may keep the clipboard busy.
    const std::shared_ptr<const Picture> picture = GrabTickScreen();
    if (picture) OfferPictureOnClipboard(main.Handle(), picture);
    const std::optional<std::wstring> folder = picture ? NewDir(settings.automaticFolder) : std::nullopt;
    // A picture that cannot be written is skipped; the run goes on.
    if (folder && WritePictureFile(*picture,
                                   AutomaticPicturePath(*folder, settings.automaticPrefix, autoCount,
                                                        settings.automaticFormat),
                                   settings.automaticFormat, WriteDurability::Buffered)) {
        ++autoWritten;
    }
    ShowProgress(main);
}

}  // namespace snapora
