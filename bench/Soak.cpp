// Soak: many capture-and-close cycles through the real windows, then
// automatic capture at one picture a second, watching memory and files.
//   snapora_soak <cycles> <automatic-seconds> [bmp|png]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/resource.h"
#include "capture/logic/AutomaticRun.h"
#include "capture/CaptureModes.h"
#include "capture/RectangleOverlay.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "win32/Handle.h"
#include "win32/ComApartment.h"
#include "win32/Screen.h"

namespace {

using namespace snapora;

void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

template <class Done>
bool PumpUntil(Done done, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        if (::GetTickCount64() > end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Pump();
    }
    return true;
}

double ResidentBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.WorkingSetSize);
}

double SecondsSince(ULONGLONG start) { return static_cast<double>(::GetTickCount64() - start) / 1000.0; }

// Waits for a new document, then closes it as a user who answered "No".
bool CloseNewDocument(MainWindow& main, DocumentWindow* before) {
    if (!PumpUntil([&] { return CurrentDocument(main) && CurrentDocument(main) != before; }, 10000)) return false;
    DocumentWindow* document = CurrentDocument(main);
    document->SetDirty(false);
    return document->Close();
}

bool EntireScreenCycle(MainWindow& main) {
    DocumentWindow* before = CurrentDocument(main);
    main.Execute(ID_CAPTURE_ENTIRE_SCREEN);
    return CloseNewDocument(main, before);
}

bool RectangleCycle(MainWindow& main, int i) {
    DocumentWindow* before = CurrentDocument(main);
    main.Execute(ID_CAPTURE_RECTANGLE);
    auto shown = [] {
        RectangleOverlay* overlay = RectangleOverlay::Find();
        return overlay && overlay->Handle() && ::IsWindowVisible(overlay->Handle());
    };
    if (!PumpUntil(shown, 10000)) return false;
    HWND overlay = RectangleOverlay::Find()->Handle();
    const int x0 = 50 + i % 200;
    const int y0 = 40 + i % 150;
    ::SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
    ::SendMessageW(overlay, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x0 + 120, y0 + 40));
    ::SendMessageW(overlay, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x0 + 240, y0 + 90));
    ::SendMessageW(overlay, WM_LBUTTONUP, 0, MAKELPARAM(x0 + 240, y0 + 90));
    return CloseNewDocument(main, before);
}

bool PointerAreaCycle(MainWindow& main) {
    DocumentWindow* before = CurrentDocument(main);
    main.Execute(ID_CAPTURE_POINTER_AREA);
    if (!PumpUntil([&] { return CurrentDocument(main) && CurrentDocument(main) != before; }, 5000)) return false;
    const ULONGLONG until = ::GetTickCount64() + 120;
    PumpUntil([&] { return ::GetTickCount64() > until; }, 1000);
    main.Execute(ID_CAPTURE_POINTER_AREA);
    DocumentWindow* document = CurrentDocument(main);
    document->SetDirty(false);
    return document->Close();
}

std::vector<unsigned char> ReadFileBytes(const std::wstring& path) {
    win32::UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 30)) return {};
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        return {};
    }
    return bytes;
}

long Little32(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<long>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<unsigned>(b[at + 3]) << 24));
}
unsigned long Big32(const std::vector<unsigned char>& b, std::size_t at) {
    return (static_cast<unsigned long>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

// A BMP of the screen's size, judged from its headers and length alone.
bool IsScreenBmp(const std::vector<unsigned char>& b, SIZE screen) {
    if (b.size() < 54) return false;
    const long height = Little32(b, 22) < 0 ? -Little32(b, 22) : Little32(b, 22);
    return b[0] == 'B' && b[1] == 'M' && static_cast<std::size_t>(Little32(b, 2)) == b.size() &&
           Little32(b, 18) == screen.cx && height == screen.cy;
}

// A PNG of the screen's size: signature, header, and a chain of chunks
// that ends with IEND exactly at the end of the file. (The soak script
// decodes every file with another program besides.)
bool IsScreenPng(const std::vector<unsigned char>& b, SIZE screen) {
    static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (b.size() < 8 + 25 + 12 || std::memcmp(b.data(), kSignature, 8) != 0 || std::memcmp(&b[12], "IHDR", 4) != 0 ||
        Big32(b, 16) != static_cast<unsigned long>(screen.cx) || Big32(b, 20) != static_cast<unsigned long>(screen.cy)) {
        return false;
    }
    std::size_t at = 8;
    while (at + 12 <= b.size()) {
        const std::size_t length = Big32(b, at);
        if (length > b.size() - at - 12) return false;
        if (std::memcmp(&b[at + 4], "IEND", 4) == 0) return at + 12 + length == b.size();
        at += 12 + length;
    }
    return false;
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
    std::printf("CRASH exception 0x%08lx\n", info->ExceptionRecord->ExceptionCode);
    std::fflush(stdout);
    return EXCEPTION_EXECUTE_HANDLER;
}

// The capture-and-close cycles; the number that failed.
int RunCycles(MainWindow& main, int cycles) {
    int failures = 0;
    double startMemory = 0;
    const ULONGLONG started = ::GetTickCount64();
    for (int i = 0; i < cycles; ++i) {
        bool ok = false;
        switch (i % 3) {
            case 0: ok = EntireScreenCycle(main); break;
            case 1: ok = RectangleCycle(main, i); break;
            default: ok = PointerAreaCycle(main); break;
        }
        if (!ok) ++failures;
        // Memory is taken once every mode has run a few times.
        if (i == 29) startMemory = ResidentBytes();
        if ((i + 1) % 100 == 0) {
            std::printf("cycle %d, resident %.1f MiB, %d failed\n", i + 1, ResidentBytes() / 1048576.0, failures);
            std::fflush(stdout);
        }
    }
    const double endMemory = ResidentBytes();
    std::printf("CYCLES %d in %.0f s, %d failed, resident after 30 cycles %.2f MiB, at the end %.2f MiB (%+.2f%%)\n",
                cycles, SecondsSince(started), failures, startMemory / 1048576.0,
                endMemory / 1048576.0, startMemory > 0 ? 100.0 * (endMemory - startMemory) / startMemory : 0.0);
    return failures;
}

// Automatic capture at one picture a second; true when every file came.
bool RunAutomatic(MainWindow& main, int seconds, PictureFormat format) {
    CaptureSettings& settings = main.Settings();
    const std::wstring folder = win32::ProgramFolder() + L"\\" + settings.automaticFolder;
    settings.automaticIntervalMs = 1000;
    settings.automaticDuration = static_cast<float>(seconds);
    settings.automaticFormat = format;
    const double autoStart = ResidentBytes();
    main.Execute(ID_CAPTURE_AUTOMATIC);
    const bool stopped =
        PumpUntil([&] { return !CaptureModes::Of(main.Handle())->AutomaticRunning(); }, static_cast<DWORD>(seconds + 60) * 1000);
    const double autoEnd = ResidentBytes();
    const SIZE screen = win32::PrimaryScreenSize();
    const bool png = format == PictureFormat::Png;
    int valid = 0;
    int missing = 0;
    double totalBytes = 0;
    for (int n = 1; n <= seconds; ++n) {
        const std::wstring path = AutomaticPicturePath(folder, settings.automaticPrefix, n, format);
        if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            ++missing;
            continue;
        }
        const std::vector<unsigned char> bytes = ReadFileBytes(path);
        totalBytes += static_cast<double>(bytes.size());
        if (png ? IsScreenPng(bytes, screen) : IsScreenBmp(bytes, screen)) ++valid;
    }
    std::printf("AUTOMATIC %d s: stopped by itself %s, %d files expected, %d valid screen %s files, %d missing, "
                "%.0f bytes in all, resident %.2f -> %.2f MiB (%+.2f%%)\n",
                seconds, stopped ? "yes" : "no", seconds, valid, png ? "PNG" : "BMP", missing, totalBytes,
                autoStart / 1048576.0, autoEnd / 1048576.0, 100.0 * (autoEnd - autoStart) / autoStart);
    return stopped && missing == 0 && valid == seconds;
}

}  // namespace

int main(int argc, char** argv) {
    ::SetUnhandledExceptionFilter(ReportCrash);
    win32::EnableDpiAwareness();
    const win32::ComApartment com;
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int automaticSeconds = argc > 2 ? std::atoi(argv[2]) : 600;
    const bool png = argc > 3 && std::strcmp(argv[3], "png") == 0;

    MainWindow* main = MainWindow::Create(::GetModuleHandleW(nullptr));
    if (!main) return 1;
    main->Show(SW_SHOWNORMAL);
    Pump();
    const int failures = RunCycles(*main, cycles);
    const bool complete = RunAutomatic(*main, automaticSeconds, png ? PictureFormat::Png : PictureFormat::Bmp);
    main->RequestExit();
    return failures == 0 && complete ? 0 : 1;
}
