// Times Snapora's real code paths in-process at the current screen size:
//   snapora_bench paths <repetitions> <folder>   grab, write, automatic tick, open document
//   snapora_bench memory <documents>             memory added per screen-sized document
//   snapora_bench cpu <seconds>                  CPU share of the pointer-area mode
//   snapora_bench move-pointer <seconds>         moves the pointer, for the cpu mode
//   snapora_bench startup <repetitions>          start-up against an empty window program
//   snapora_bench formats <repetitions>          the tick in BMP and PNG, bytes per picture
//   snapora_bench editor <repetitions>           the editor's memory, drag repaint and flatten
//   snapora_bench show <folder>                  holds the desktop-like screen for the peers
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "EditorBench.h"
#include "FormatsBench.h"
#include "app/Commands.h"
#include "app/MainWindow.h"
#include "app/resource.h"
#include "picture/Clipboard.h"
#include "capture/CaptureCommands.h"
#include "capture/CaptureModes.h"
#include "capture/ScreenGrab.h"
#include "capture/logic/AutomaticRun.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "picture/PictureFile.h"
#include "picture/logic/BmpEncoder.h"
#include "support/DesktopPicture.h"
#include "win32/ComApartment.h"
#include "win32/Screen.h"

namespace {

using namespace snapora;
using bench::Measure;
using bench::Report;
using bench::Summarize;

void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

MainWindow* StartMain() {
    MainWindow* main = MainWindow::Create(::GetModuleHandleW(nullptr));
    if (!main) {
        std::fprintf(stderr, "cannot create the main window\n");
        std::exit(1);
    }
    main->Show(SW_SHOWNORMAL);
    Pump();
    return main;
}

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (const char* p = text; *p; ++p) wide.push_back(static_cast<wchar_t>(*p));
    return wide;
}

int RunPaths(int repetitions, const std::wstring& folder) {
    MainWindow* main = StartMain();
    const SIZE screen = win32::PrimaryScreenSize();
    const int w = screen.cx;
    const int h = screen.cy;

    Report("grab", w, h, Measure(3, repetitions, [] { (void)GetScreenSnapshot(nullptr); }));
    if (std::getenv("SNAPORA_BENCH_DETAIL")) {
        const Picture shot = GetScreenSnapshot(nullptr);
        Report("detail-grab-and-clipboard", w, h, Measure(2, repetitions, [&] {
                   (void)CaptureScreenToClipboard(main->Handle(), 0, 0, w, h);
               }));
        Report("detail-clipboard-copy", w, h, Measure(2, repetitions, [&] { (void)shot.CopyForClipboard(); }));
        Report("detail-clipboard-place", w, h, Measure(2, repetitions, [&] {
                   PlacePictureOnClipboard(main->Handle(), shot);
               }));
        Picture reused = GrabScreenArea(0, 0, w, h);
        Report("detail-grab-into", w, h, Measure(2, repetitions, [&] {
                   (void)GrabScreenAreaInto(reused, 0, 0, CurrentMonitors());
               }));
        auto sharedShot = std::make_shared<const Picture>(GetScreenSnapshot(nullptr));
        Report("detail-offer", w, h, Measure(2, repetitions, [&] { (void)main->Clipboard().Offer(main->Handle(), sharedShot, ClipboardOffer::Bitmap::WhenAsked); }));
        Report("detail-read-pixels", w, h, Measure(2, repetitions, [&] { (void)shot.ReadPixels(); }));
        std::vector<std::uint8_t> encoded;
        Report("detail-encode", w, h, Measure(2, repetitions, [&] {
                   EncodeBmp24Into(encoded, shot.DirectPixels(), static_cast<std::size_t>(w), w, h);
               }));
        int n = 0;
        Report("detail-replace-file", w, h, Measure(2, repetitions, [&] {
                   detail::ReplaceFileWith(folder + L"\\replace" + std::to_wstring(++n) + L".bmp", encoded,
                                           [](HANDLE f, const void* d, DWORD b, DWORD* wr) {
                                               return ::WriteFile(f, d, b, wr, nullptr);
                                           });
               }));
    }

    // Each file is removed, untimed, once it is written: this machine's
    // memory is slow to hand out pages it has not touched for a while, and
    // a pile of screen-sized files would measure that rather than the code.
    // The floor program does the same.
    const Picture picture = GetScreenSnapshot(nullptr);
    int fileNumber = 0;
    auto writtenPath = [&] { return folder + L"\\write" + std::to_wstring(fileNumber) + L".bmp"; };
    Report("write", w, h, Measure(2, repetitions, [&] {
               ++fileNumber;
               WriteBitmapFile(picture, writtenPath());
           }, [&] { ::DeleteFileW(writtenPath().c_str()); }));

    // The automatic-capture tick through the command table, as the timer
    // runs it: grab, clipboard, numbered file.
    main->Settings().automaticDuration = 1e9;
    main->Execute(ID_CAPTURE_AUTOMATIC);
    // Ticks come from here only: the run's timer stays on, too slow to fire.
    CaptureModes::Of(main->Handle())->Timer(CaptureTimer::Automatic).SetInterval(USER_TIMER_MAXIMUM);
    const std::wstring autoFolder = AutomaticFolderPath(win32::ProgramFolder(), main->Settings().automaticFolder);
    int tickNumber = 0;
    Report("auto-tick", w, h, Measure(2, repetitions, [&] {
               ++tickNumber;
               AutomaticCaptureTick(*main, *CaptureModes::Of(main->Handle()));
           }, [&] {
               ::DeleteFileW(AutomaticPicturePath(autoFolder, main->Settings().automaticPrefix, tickNumber,
                                                    main->Settings().automaticFormat).c_str());
           }));

    Report("open-document", w, h, Measure(2, repetitions, [&] {
               DocumentWindow* document = DocumentWindow::Create(*main);
               document->SetSurfaceSize(w, h);
               document->SetPicture(GetScreenSnapshot(nullptr));
               ShowCaptureDocument(*main, *document);
               ::UpdateWindow(document->Handle());
           }, [&] {
               if (DocumentWindow* document = DocumentWindow::FromHandle(main->ActiveChild())) {
                   document->SetDirty(false);
                   document->Close();
               }
               Pump();
           }));
    return 0;
}

SIZE_T ResidentBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof(counters));
    return counters.WorkingSetSize;
}

int RunMemory(int documents) {
    MainWindow* main = StartMain();
    const SIZE screen = win32::PrimaryScreenSize();
    // One document first, so one-time costs (classes, fonts) are not counted.
    auto open = [&] {
        DocumentWindow* document = DocumentWindow::Create(*main);
        document->SetSurfaceSize(screen.cx, screen.cy);
        document->SetPicture(GetScreenSnapshot(nullptr));
        ShowCaptureDocument(*main, *document);
        ::UpdateWindow(document->Handle());
        Pump();
    };
    open();
    // The median of the per-document increments: a one-off allocation by
    // the window system during one opening does not count as every
    // document's cost. The mean is reported beside it.
    std::vector<double> increments;
    const SIZE_T first = ResidentBytes();
    SIZE_T last = first;
    for (int i = 0; i < documents; ++i) {
        open();
        const SIZE_T now = ResidentBytes();
        increments.push_back(static_cast<double>(now) - static_cast<double>(last));
        last = now;
    }
    std::sort(increments.begin(), increments.end());
    const std::size_t middle = increments.size() / 2;
    const double median = increments.size() % 2 ? increments[middle]
                                                 : (increments[middle - 1] + increments[middle]) / 2;
    const double mean = (static_cast<double>(last) - static_cast<double>(first)) / documents;
    const double pixelBytes = static_cast<double>(screen.cx) * screen.cy * 4;
    std::printf("MEMORY %ldx%ld %.0f bytes-per-document %.3f of-width-x-height-x-4 (mean %.3f)\n", screen.cx,
                screen.cy, median, median / pixelBytes, mean / pixelBytes);
    return 0;
}

double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// The program's share of one core over `seconds`, with the pointer still or
// moving a pixel every tick (moving it costs the program messages of its
// own, so the moving figure is taken with the mode on and off).
// The process's CPU share while it answers its messages for `seconds`.
double MeasureCpu(int seconds, const char* name) {
    const double cpuStart = CpuSeconds();
    const ULONGLONG wallStart = ::GetTickCount64();
    while (::GetTickCount64() - wallStart < static_cast<ULONGLONG>(seconds) * 1000) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        Pump();
    }
    const double cpu = CpuSeconds() - cpuStart;
    const double wall = static_cast<double>(::GetTickCount64() - wallStart) / 1000;
    const SIZE screen = win32::PrimaryScreenSize();
    std::printf("CPU %ldx%ld %s %.2f%% of-one-core over %.1fs\n", screen.cx, screen.cy, name, 100 * cpu / wall, wall);
    return 100 * cpu / wall;
}

// Where the pointer moves for the cpu mode: off the program's own windows
// (the main window takes the top left of the screen), so mouse messages to
// them weigh on neither figure.
POINT PointerPath() {
    const SIZE screen = win32::PrimaryScreenSize();
    return {screen.cx * 3 / 4 - 20, screen.cy * 3 / 4};
}

// The pointer moves for `seconds`, moved by another process (this program
// in its mode move-pointer): moving it from inside costs Wine near half a
// core, which would drown the mode's own share.
double MeasureWithPointerMoving(int seconds, const char* name) {
    const std::wstring path = win32::ProgramFolder() + L"\\snapora_bench.exe";
    std::wstring commandLine = L"\"" + path + L"\" move-pointer " + std::to_wstring(seconds + 1);
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
        return -1;
    }
    const double share = MeasureCpu(seconds, name);
    ::WaitForSingleObject(info.hProcess, 30000);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return share;
}

// Under the path lies a desktop-like picture shown by this process, so the
// area changes with every step and its mouse messages come here.
int RunMovePointer(int seconds) {
    const SIZE screen = win32::PrimaryScreenSize();
    const Picture backdrop = test::MakeDesktopLikePicture(screen.cx / 2 - 20, screen.cy / 2 - 20);
    HWND shown = bench::ShowPictureAt(backdrop, {screen.cx / 2 + 20, screen.cy / 2 + 20});
    const POINT start = PointerPath();
    const ULONGLONG wallStart = ::GetTickCount64();
    for (int step = 0; ::GetTickCount64() - wallStart < static_cast<ULONGLONG>(seconds) * 1000; ++step) {
        ::SetCursorPos(start.x + step % 40, start.y);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
    }
    if (shown) ::DestroyWindow(shown);
    return 0;
}

// Rounds of the pointer moving with the mode off and then on, each half of
// `seconds`: the machine's own ups and downs then fall on both sides of a
// round, and the median of the rounds' differences is the mode's share.
int RunCpu(int seconds) {
    MainWindow* main = StartMain();
    const POINT start = PointerPath();
    ::SetCursorPos(start.x, start.y);
    const int half = std::max(1, seconds / 2);
    std::vector<double> differences;
    for (int round = 0; round < 3; ++round) {
        const double off = MeasureWithPointerMoving(half, "moving-pointer-without-the-mode");
        main->Execute(ID_CAPTURE_POINTER_AREA);
        Pump();
        if (round == 0) MeasureCpu(seconds, "pointer-area-still");
        differences.push_back(MeasureWithPointerMoving(half, "moving-pointer-with-the-mode") - off);
        main->Execute(ID_CAPTURE_POINTER_AREA);
        Pump();
    }
    std::sort(differences.begin(), differences.end());
    const SIZE screen = win32::PrimaryScreenSize();
    std::printf("CPU %ldx%ld pointer-area-moving %.2f%% of-one-core (median of %zu rounds' differences)\n", screen.cx,
                screen.cy, differences[differences.size() / 2], differences.size());
    return 0;
}

// Milliseconds from CreateProcess until the program's first window is
// visible and the program waits for input.
double StartOnce(const std::wstring& program) {
    const std::wstring path = win32::ProgramFolder() + L"\\" + program;
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    const auto start = std::chrono::steady_clock::now();
    if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
        return -1;
    }
    struct Search {
        DWORD process;
        bool found;
    } search{info.dwProcessId, false};
    while (!search.found && std::chrono::steady_clock::now() - start < std::chrono::seconds(30)) {
        ::EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                if (owner == s->process && ::IsWindowVisible(window)) s->found = true;
                return !s->found;
            },
            reinterpret_cast<LPARAM>(&search));
        if (!search.found) ::Sleep(1);
    }
    ::WaitForInputIdle(info.hProcess, 10000);
    const auto end = std::chrono::steady_clock::now();
    ::TerminateProcess(info.hProcess, 0);
    ::WaitForSingleObject(info.hProcess, 10000);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return std::chrono::duration<double, std::milli>(end - start).count();
}

int RunStartup(int repetitions) {
    const SIZE screen = win32::PrimaryScreenSize();
    // The two programs start in turn, so a slow spell of this machine falls
    // on both alike. One start of each first, untimed, warms the caches.
    const std::wstring snapora = L"Snapora.exe";
    const std::wstring empty = L"bench_empty_window.exe";
    (void)StartOnce(snapora);
    (void)StartOnce(empty);
    std::vector<double> snaporaMs;
    std::vector<double> emptyMs;
    for (int i = 0; i < repetitions; ++i) {
        snaporaMs.push_back(StartOnce(snapora));
        emptyMs.push_back(StartOnce(empty));
    }
    Report("startup-snapora", screen.cx, screen.cy, Summarize(std::move(snaporaMs)));
    Report("startup-empty", screen.cx, screen.cy, Summarize(std::move(emptyMs)));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    win32::EnableDpiAwareness();
    const win32::ComApartment com;
    const std::string mode = argc > 1 ? argv[1] : "paths";
    const int count = argc > 2 ? std::atoi(argv[2]) : 0;
    if (mode == "paths") return RunPaths(count > 0 ? count : 30, argc > 3 ? Widen(argv[3]) : L".");
    if (mode == "memory") return RunMemory(count > 0 ? count : 10);
    if (mode == "cpu") return RunCpu(count > 0 ? count : 10);
    if (mode == "move-pointer") return RunMovePointer(count > 0 ? count : 10);
    if (mode == "startup") return RunStartup(count > 0 ? count : 10);
    if (mode == "formats") return bench::RunFormats(count > 0 ? count : 10);
    if (mode == "editor") return bench::RunEditor(count > 0 ? count : 10);
    if (mode == "show") return bench::RunShow(argc > 2 ? Widen(argv[2]) : L".");
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
}
