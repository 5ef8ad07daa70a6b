#include "support/Processes.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "support/Files.h"
#include "win32/Handle.h"
#include "win32/Screen.h"

namespace snapora::test {

namespace {

// Runs a program beside the tests to its end; its exit code, or empty on
// time-out.
std::optional<DWORD> RunToEnd(const std::wstring& program, const std::wstring& arguments,
                              std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    ChildProcess child(program, arguments);
    return child.Wait(timeout);
}

}  // namespace

ChildProcess::ChildProcess(const std::wstring& program, const std::wstring& arguments, HANDLE output, HANDLE error) {
    const std::wstring path = win32::ProgramFolder() + L"\\" + program;
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    STARTUPINFOW startup{sizeof(startup)};
    const bool redirected = output && error;
    if (redirected) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = output;
        startup.hStdError = error;
    }
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, redirected ? TRUE : FALSE, 0, nullptr,
                         nullptr, &startup, &info)) {
        ::CloseHandle(info.hThread);
        process_.reset(info.hProcess);
        id_ = info.dwProcessId;
    }
}

ChildProcess::~ChildProcess() {
    if (process_ && !Wait(std::chrono::milliseconds(0))) Kill();
}

std::optional<DWORD> ChildProcess::Wait(std::chrono::milliseconds timeout) {
    if (!process_) return std::nullopt;
    // Keep answering messages meanwhile: the other program may be asking
    // this one's windows for clipboard data.
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (::WaitForSingleObject(process_.get(), 0) != WAIT_OBJECT_0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        HANDLE process = process_.get();
        ::MsgWaitForMultipleObjects(1, &process, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return code;
}

void ChildProcess::Kill() {
    if (!process_) return;
    ::TerminateProcess(process_.get(), 99);
    ::WaitForSingleObject(process_.get(), 5000);
}

ProgramRun RunCapturingOutput(const std::wstring& program, const std::wstring& arguments,
                              std::chrono::milliseconds timeout) {
    const std::wstring outPath = TempFilePath(L"stdout");
    const std::wstring errPath = TempFilePath(L"stderr");
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    ProgramRun run;
    {
        const win32::UniqueFile out(::CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        const win32::UniqueFile err(::CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out || !err) return run;
        ChildProcess child(program, arguments, out.get(), err.get());
        run.exitCode = child.Wait(timeout);
    }
    run.output = ReadWholeFile(outPath);
    run.error = ReadWholeFile(errPath);
    ::DeleteFileW(outPath.c_str());
    ::DeleteFileW(errPath.c_str());
    return run;
}

std::optional<PeerBitmap> ReadClipboardBitmapFromPeer() {
    const std::wstring out = TempFilePath(L"peer-bitmap");
    const auto code = RunToEnd(L"snapora_clipboard_peer.exe", L"read-bitmap \"" + out + L"\"");
    const std::string bytes = ReadWholeFile(out);
    ::DeleteFileW(out.c_str());
    if (!code || *code != 0) return std::nullopt;
    const auto newline = std::find(bytes.begin(), bytes.end(), '\n');
    if (newline == bytes.end()) return std::nullopt;
    PeerBitmap bitmap;
    const std::string header(bytes.begin(), newline);
    if (std::sscanf(header.c_str(), "%d %d", &bitmap.width, &bitmap.height) != 2) return std::nullopt;
    const std::size_t count = static_cast<std::size_t>(bitmap.width) * bitmap.height;
    if (static_cast<std::size_t>(bytes.end() - (newline + 1)) != count * 4) return std::nullopt;
    bitmap.pixels.resize(count);
    std::memcpy(bitmap.pixels.data(), &*(newline + 1), count * 4);
    return bitmap;
}

std::optional<std::wstring> ReadClipboardTextFromPeer() {
    const std::wstring out = TempFilePath(L"peer-text");
    const auto code = RunToEnd(L"snapora_clipboard_peer.exe", L"read-text \"" + out + L"\"");
    const std::string bytes = ReadWholeFile(out);
    ::DeleteFileW(out.c_str());
    if (!code || *code != 0) return std::nullopt;
    std::wstring text(bytes.size() / 2, L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * 2);
    return text;
}

namespace {

// One xclip run into a Unix file, seen from here under Z:. Wine cannot wait
// for a Unix process: the shell makes a marker once xclip has ended.
std::string PasteFromXOnce(const std::string& mimeType, const std::wstring& unixStem) {
    const std::wstring windowsStem = L"Z:" + std::wstring(unixStem.begin(), unixStem.end());
    std::wstring windowsPath = windowsStem;
    std::replace(windowsPath.begin(), windowsPath.end(), L'/', L'\\');
    const std::wstring marker = windowsPath + L".done";
    const std::wstring type(mimeType.begin(), mimeType.end());
    std::wstring command = L"/bin/sh -c \"xclip -selection clipboard -t " + type + L" -o > " + unixStem +
                           L"; touch " + unixStem + L".done\"";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return {};
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!FileExists(marker) && std::chrono::steady_clock::now() < end) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    }
    std::string bytes = ReadWholeFile(windowsPath);
    ::DeleteFileW(windowsPath.c_str());
    ::DeleteFileW(marker.c_str());
    return bytes;
}

}  // namespace

std::string PasteFromX(const std::string& mimeType) {
    static unsigned counter = 0;
    const std::wstring stem = L"/tmp/snapora-paste-" + std::to_wstring(::GetCurrentProcessId()) + L"-";
    // Wine hands the clipboard to X a moment after it changed here.
    for (int attempt = 0; attempt < 10; ++attempt) {
        std::string bytes = PasteFromXOnce(mimeType, stem + std::to_wstring(++counter));
        if (!bytes.empty()) return bytes;
        ::Sleep(100);
    }
    return {};
}

bool PutClipboardText(const std::wstring& text, HWND owner) {
    win32::ClipboardLock clipboard(owner);
    if (!clipboard.IsOpen() || !::EmptyClipboard()) return false;
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
    ::GlobalUnlock(memory);
    if (::SetClipboardData(CF_UNICODETEXT, memory)) return true;
    ::GlobalFree(memory);
    return false;
}

std::wstring ClipboardText(HWND owner) {
    win32::ClipboardLock clipboard(owner);
    HANDLE data = clipboard.IsOpen() ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
    if (!data) return L"";
    std::wstring text(static_cast<const wchar_t*>(::GlobalLock(data)));
    ::GlobalUnlock(data);
    return text;
}

ClipboardHolder::ClipboardHolder() {
    thread_ = std::thread([this] {
        HWND window = ::CreateWindowExW(0, L"STATIC", L"holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
        const bool open = window && ::OpenClipboard(window);
        held_ = open ? 1 : -1;
        while (!release_) ::Sleep(10);
        if (open) ::CloseClipboard();
        if (window) ::DestroyWindow(window);
    });
    while (held_ == 0) ::Sleep(10);
}

ClipboardHolder::~ClipboardHolder() {
    release_ = true;
    thread_.join();
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className) {
    for (HWND window = ::FindWindowExW(nullptr, nullptr, className, nullptr); window;
         window = ::FindWindowExW(nullptr, window, className, nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return window;
    }
    return nullptr;
}

bool ProcessHasModule(DWORD processId, const wchar_t* name) {
    win32::UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32W module{};
    module.dwSize = sizeof(module);
    for (BOOL more = ::Module32FirstW(snapshot.get(), &module); more; more = ::Module32NextW(snapshot.get(), &module)) {
        if (::lstrcmpiW(module.szModule, name) == 0) return true;
    }
    return false;
}

}  // namespace snapora::test
