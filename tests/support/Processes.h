#pragma once
// Other processes, and the clipboard that this process shares with them.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "win32/Handle.h"

namespace snapora::test {

class ChildProcess {
public:
    // `program` is a file name beside the test executable. With `output`
    // and `error`, the program gets them as its standard handles, as a
    // script that redirects them would start it.
    ChildProcess(const std::wstring& program, const std::wstring& arguments, HANDLE output = nullptr,
                 HANDLE error = nullptr);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    [[nodiscard]] bool Started() const { return static_cast<bool>(process_); }
    [[nodiscard]] DWORD Id() const { return id_; }
    // The exit code, or empty when it is still running after `timeout`.
    std::optional<DWORD> Wait(std::chrono::milliseconds timeout);
    void Kill();

private:
    win32::UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// A program beside the tests run to its end with its standard output and
// error sent to files, and what it wrote there.
struct ProgramRun {
    std::optional<DWORD> exitCode;
    std::string output;
    std::string error;
};
ProgramRun RunCapturingOutput(const std::wstring& program, const std::wstring& arguments,
                              std::chrono::milliseconds timeout = std::chrono::seconds(30));

// The clipboard's bitmap as another process reads it.
struct PeerBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};
std::optional<PeerBitmap> ReadClipboardBitmapFromPeer();
std::optional<std::wstring> ReadClipboardTextFromPeer();

// What an X program pastes from the clipboard as `mimeType` ("image/png",
// "image/bmp"), read with xclip on the X side of Wine; empty when nothing
// came. This thread's windows keep answering meanwhile, so a picture they
// offer is rendered when X asks for it.
std::string PasteFromX(const std::string& mimeType);

// Puts text on the clipboard from this process, and reads it back here.
bool PutClipboardText(const std::wstring& text, HWND owner = nullptr);
std::wstring ClipboardText(HWND owner = nullptr);

// Holds the clipboard open from another thread with a window of its own, as
// another program would, for as long as it lives.
class ClipboardHolder {
public:
    ClipboardHolder();
    ~ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    [[nodiscard]] bool Holding() const { return held_ == 1; }

private:
    std::atomic<int> held_{0};
    std::atomic<bool> release_{false};
    std::thread thread_;
};

// A top-level window of another process by class name.
HWND FindProcessWindow(DWORD processId, const wchar_t* className);

// Whether another process has loaded the DLL `name` (any case).
bool ProcessHasModule(DWORD processId, const wchar_t* name);

}  // namespace snapora::test
