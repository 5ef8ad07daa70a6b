// A stand-in for an external tool, started by the tests instead of the
// system's own. It leaves "<its own path>.ran" beside itself, holding how it
// was asked to show its window, and ends.
#include <windows.h>

#include <string>
#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::vector<wchar_t> path(32768);
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) return 1;
    const std::wstring marker = std::wstring(path.data(), length) + L".ran";

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ::GetStartupInfoW(&startup);
    const std::string report = "flags=" + std::to_string(startup.dwFlags) +
                               " show=" + std::to_string(startup.wShowWindow) + "\n";

    HANDLE file = ::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == report.size() ? 0 : 3;
}
