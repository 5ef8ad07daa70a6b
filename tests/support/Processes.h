#pragma once
// Starting the built programs beside the test executable as separate
// processes.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "win32/Handle.h"

namespace snapora::test {

class ChildProcess {
public:
    // `program` is a file name beside the test executable.
    ChildProcess(const std::wstring& program, const std::wstring& arguments);
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

// Runs a program to its end and returns its exit code (empty on time-out).
std::optional<DWORD> RunToEnd(const std::wstring& program, const std::wstring& arguments,
                              std::chrono::milliseconds timeout = std::chrono::seconds(20));

// A fresh file path in the temporary folder.
std::wstring TempFilePath(const std::wstring& stem);
bool FileExists(const std::wstring& path);
std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path);

// The clipboard's bitmap as another process reads it.
struct PeerBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};
std::optional<PeerBitmap> ReadClipboardBitmapFromPeer();
std::optional<std::wstring> ReadClipboardTextFromPeer();

// Puts text on the clipboard from this process.
bool PutClipboardText(const std::wstring& text);

// A top-level window of another process by class name.
HWND FindProcessWindow(DWORD processId, const wchar_t* className);

}  // namespace snapora::test
