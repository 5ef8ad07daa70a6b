#include "FormatsBench.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchTiming.h"
#include "app/Commands.h"
#include "app/MainWindow.h"
#include "app/resource.h"
#include "capture/CaptureCommands.h"
#include "capture/CaptureModes.h"
#include "capture/ScreenGrab.h"
#include "capture/logic/AutomaticRun.h"
#include "picture/PictureFile.h"
#include "picture/PictureEncoder.h"
#include "support/DesktopPicture.h"
#include "win32/Screen.h"
#include "win32/WindowPlacement.h"

namespace snapora::bench {
namespace {

constexpr wchar_t kScreenClass[] = L"SnaporaBenchScreen";
// The platform's PNG codec, with unfiltered rows, as the program used it
// before its own writer.
constexpr CodecId kPlatformPng{0x1b7cfaf4, 0x713f, 0x473c, {0xbb, 0xcd, 0x61, 0x37, 0x42, 0x5f, 0xae, 0xaf}};
constexpr CodecOption kUnfilteredRows{L"FilterOption", CodecOptionType::Byte, 1};

void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

LRESULT CALLBACK ScreenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = ::BeginPaint(window, &paint);
        const auto* picture = reinterpret_cast<const Picture*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (dc && picture) picture->Draw(dc, 0, 0, picture->Width(), picture->Height());
        ::EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND ShowPictureAt(const Picture& picture, POINT at) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!win32::RegisterWindowClassOnce(instance, kScreenClass, ScreenProc)) return nullptr;
    HWND window = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kScreenClass, L"screen", WS_POPUP, at.x, at.y,
                                    picture.Width(), picture.Height(), nullptr, nullptr, instance, nullptr);
    if (!window) return nullptr;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&picture));
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    ::UpdateWindow(window);
    Pump();
    ::Sleep(200);
    Pump();
    return window;
}

namespace {

// A topmost window over the whole screen showing `picture`.
HWND ShowOverScreen(const Picture& picture) { return ShowPictureAt(picture, {0, 0}); }

long long FileBytes(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// Bytes of the screen as it is now in each format.
void ReportBytes(const char* screenName, const std::wstring& folder) {
    const Picture shot = GetScreenSnapshot(nullptr);
    long long bytes[3] = {};
    const PictureFormat formats[3] = {PictureFormat::Bmp, PictureFormat::Png, PictureFormat::Jpeg};
    for (int i = 0; i < 3; ++i) {
        const std::wstring path = folder + L"\\bytes" + std::wstring(PictureFormatExtension(formats[i]));
        bytes[i] = WritePictureFile(shot, path, formats[i]) ? FileBytes(path) : -1;
        ::DeleteFileW(path.c_str());
    }
    std::printf("BYTES %s %dx%d bmp %lld png %lld jpeg %lld\n", screenName, shot.Width(), shot.Height(), bytes[0],
                bytes[1], bytes[2]);
}

// The automatic tick through the command table in one format; each file is
// removed, untimed, once written.
void TimeTicks(MainWindow& main, PictureFormat format, const char* name, int repetitions) {
    main.Settings().automaticFormat = format;
    const std::wstring folder = AutomaticFolderPath(win32::ProgramFolder(), main.Settings().automaticFolder);
    int number = 0;
    const SIZE screen = win32::PrimaryScreenSize();
    Report(name, screen.cx, screen.cy, Measure(2, repetitions, [&] {
               ++number;
               AutomaticCaptureTick(main, *CaptureModes::Of(main.Handle()));
           }, [&] {
               ::DeleteFileW(AutomaticPicturePath(folder, main.Settings().automaticPrefix, number, format).c_str());
           }));
}

// 另存为 with a .png name: the shown screen as a document holds it, written
// through the save's own call (flushed); then the platform's PNG codec on
// the same picture, which the program used before its own writer.
void TimeSaves(const char* screenName, const std::wstring& folder, int repetitions) {
    const Picture shot = GetScreenSnapshot(nullptr);
    const std::wstring path = folder + L"\\saved.png";
    const std::string save = std::string("save-png-") + screenName;
    const std::string platform = std::string("platform-png-") + screenName;
    Report(save.c_str(), shot.Width(), shot.Height(), Measure(1, repetitions, [&] {
               (void)WritePictureFile(shot, path, PictureFormatForFileName(path));
           }, [&] { ::DeleteFileW(path.c_str()); }));
    long long platformBytes = 0;
    Report(platform.c_str(), shot.Width(), shot.Height(), Measure(1, repetitions, [&] {
               (void)EncodeWithPlatformCodec(shot, kPlatformPng, kUnfilteredRows, CodecOutput::InOrder,
                                             [&](std::span<const std::uint8_t> file) {
                   platformBytes = static_cast<long long>(file.size());
                   return true;
               });
           }));
    std::printf("PLATFORMPNG %s %dx%d %lld\n", screenName, shot.Width(), shot.Height(), platformBytes);
}

}  // namespace

int RunFormats(int repetitions) {
    MainWindow* main = MainWindow::Create(::GetModuleHandleW(nullptr));
    if (!main) return 1;
    main->Show(SW_SHOWNORMAL);
    Pump();
    const SIZE screen = win32::PrimaryScreenSize();
    const Picture desktop = test::MakeDesktopLikePicture(screen.cx, screen.cy);
    const Picture noise = test::MakeNoisePicture(screen.cx, screen.cy);
    HWND shown = ShowOverScreen(desktop);
    if (!shown) return 1;

    main->Settings().automaticDuration = 1e9;
    main->Execute(ID_CAPTURE_AUTOMATIC);
    // Ticks come from here only: the run's timer stays on, too slow to fire.
    CaptureModes::Of(main->Handle())->Timer(CaptureTimer::Automatic).SetInterval(USER_TIMER_MAXIMUM);
    TimeTicks(*main, PictureFormat::Bmp, "auto-tick-bmp-desktop", repetitions);
    TimeTicks(*main, PictureFormat::Png, "auto-tick-png-desktop", repetitions);
    TimeSaves("desktop", win32::ProgramFolder(), repetitions);
    ReportBytes("desktop", win32::ProgramFolder());

    ::SetWindowLongPtrW(shown, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&noise));
    ::InvalidateRect(shown, nullptr, FALSE);
    ::UpdateWindow(shown);
    Pump();
    TimeTicks(*main, PictureFormat::Png, "auto-tick-png-noise", repetitions);
    // The tick before the program's own writer spent at least this on a
    // noise screen: the platform's encoding alone, without grab or file.
    TimeSaves("noise", win32::ProgramFolder(), repetitions);
    ReportBytes("noise", win32::ProgramFolder());
    main->Execute(ID_CAPTURE_AUTOMATIC);
    ::DestroyWindow(shown);
    return 0;
}

int RunShow(const std::wstring& folder) {
    const SIZE screen = win32::PrimaryScreenSize();
    const Picture desktop = test::MakeDesktopLikePicture(screen.cx, screen.cy);
    HWND shown = ShowOverScreen(desktop);
    if (!shown) return 1;
    const std::wstring showing = folder + L"\\showing";
    const std::wstring stop = folder + L"\\stop";
    HANDLE marker = ::CreateFileW(showing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (marker == INVALID_HANDLE_VALUE) return 1;
    ::CloseHandle(marker);
    for (int waited = 0; waited < 3000 && ::GetFileAttributesW(stop.c_str()) == INVALID_FILE_ATTRIBUTES; ++waited) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        Pump();
    }
    ::DestroyWindow(shown);
    return 0;
}

}  // namespace snapora::bench
