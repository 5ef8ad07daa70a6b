#include "app/ConsoleText.h"

#include <windows.h>

#include <string>

#include "win32/Handle.h"

namespace snapora {

namespace {

std::string Utf8(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    }
    return bytes;
}

bool WriteTo(HANDLE handle, const std::wstring& line) {
    if (::GetFileType(handle) == FILE_TYPE_CHAR) {
        DWORD written = 0;
        // A console shows wide text as it is; a serial line would not, and
        // gets the bytes below.
        if (::WriteConsoleW(handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr)) return true;
    }
    const std::string bytes = Utf8(line);
    DWORD written = 0;
    return ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0;
}

}  // namespace

void WriteConsoleLine(ConsoleStream stream, const std::wstring& text) {
    const std::wstring line = text + L"\r\n";
    const HANDLE redirected = ::GetStdHandle(stream == ConsoleStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (redirected && redirected != INVALID_HANDLE_VALUE && ::GetFileType(redirected) != FILE_TYPE_UNKNOWN &&
        WriteTo(redirected, line)) {
        return;
    }
    // Started from a console without redirection: the text goes there.
    if (!::AttachConsole(ATTACH_PARENT_PROCESS) && ::GetLastError() != ERROR_ACCESS_DENIED) return;
    const win32::UniqueFile console(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                                  OPEN_EXISTING, 0, nullptr));
    if (console) WriteTo(console.get(), line);
}

}  // namespace snapora
