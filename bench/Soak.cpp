// Soak: many capture-and-close cycles through the real windows, then
// automatic capture at one picture a second, watching memory and files.
//   snapora_soak <cycles> <automatic-seconds>
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/MainWindow.h"
#include "app/resource.h"
#include "capture/RectangleOverlay.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "win32/Handle.h"
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

// A BMP of the screen's size, judged from its headers and length alone.
bool IsScreenBmp(const std::wstring& path, SIZE screen) {
    win32::UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    unsigned char header[54] = {};
    DWORD read = 0;
    if (!::ReadFile(file.get(), header, sizeof(header), &read, nullptr) || read != sizeof(header)) return false;
    auto le32 = [&](int at) {
        return static_cast<long>(header[at] | (header[at + 1] << 8) | (header[at + 2] << 16) |
                                 (static_cast<unsigned>(header[at + 3]) << 24));
    };
    LARGE_INTEGER size{};
    ::GetFileSizeEx(file.get(), &size);
    const long height = le32(22) < 0 ? -le32(22) : le32(22);
    return header[0] == 'B' && header[1] == 'M' && le32(2) == size.QuadPart && le32(18) == screen.cx &&
           height == screen.cy;
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
    std::printf("CRASH exception 0x%08lx\n", info->ExceptionRecord->ExceptionCode);
    std::fflush(stdout);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
    ::SetUnhandledExceptionFilter(ReportCrash);
    win32::EnableDpiAwareness();
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int automaticSeconds = argc > 2 ? std::atoi(argv[2]) : 600;

    MainWindow* main = MainWindow::Create(::GetModuleHandleW(nullptr));
    if (!main) return 1;
    main->Show(SW_SHOWNORMAL);
    Pump();

    int failures = 0;
    double startMemory = 0;
    const ULONGLONG started = ::GetTickCount64();
    for (int i = 0; i < cycles; ++i) {
        bool ok = false;
        switch (i % 3) {
            case 0: ok = EntireScreenCycle(*main); break;
            case 1: ok = RectangleCycle(*main, i); break;
            default: ok = PointerAreaCycle(*main); break;
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

    // Automatic capture, one picture a second.
    const std::wstring folder = win32::ProgramFolder() + L"\\" + main->Settings().automaticFolder;
    main->Settings().automaticIntervalMs = 1000;
    main->Settings().automaticDuration = static_cast<float>(automaticSeconds);
    const double autoStart = ResidentBytes();
    main->Execute(ID_CAPTURE_AUTOMATIC);
    const bool stopped = PumpUntil([&] { return !main->State().automaticCapture; },
                                   static_cast<DWORD>(automaticSeconds + 60) * 1000);
    const double autoEnd = ResidentBytes();
    const SIZE screen = win32::PrimaryScreenSize();
    int valid = 0;
    int missing = 0;
    for (int n = 1; n <= automaticSeconds; ++n) {
        const std::wstring path = folder + L"\\" + main->Settings().automaticPrefix + std::to_wstring(n) + L".bmp";
        if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            ++missing;
        } else if (IsScreenBmp(path, screen)) {
            ++valid;
        }
    }
    std::printf("AUTOMATIC %d s: stopped by itself %s, %d files expected, %d valid screen BMPs, %d missing, "
                "resident %.2f -> %.2f MiB (%+.2f%%)\n",
                automaticSeconds, stopped ? "yes" : "no", automaticSeconds, valid, missing, autoStart / 1048576.0,
                autoEnd / 1048576.0, 100.0 * (autoEnd - autoStart) / autoStart);
    main->RequestExit();
    return failures == 0 && stopped && missing == 0 && valid == automaticSeconds ? 0 : 1;
}
