#include "settings/StartWithWindows.h"

#include <windows.h>

#include <string>
#include <vector>

#include "frame/logic/StartSwitch.h"
#include "win32/Handle.h"

namespace snapora {

namespace {

// This executable's full path, however long.
std::wstring ProgramPath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return std::wstring(path.data(), length);
        path.resize(path.size() * 2);
    }
}

}  // namespace

bool StartsWithWindows() {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return false;
    const win32::UniqueRegKey key(opened);
    return ::RegQueryValueExW(key.get(), kRunValueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool SetStartWithWindows(bool start) {
    HKEY created = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &created, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const win32::UniqueRegKey key(created);
    if (!start) {
        const LSTATUS status = ::RegDeleteValueW(key.get(), kRunValueName);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    const std::wstring path = ProgramPath();
    if (path.empty()) return false;
    const std::wstring command = StartCommandLine(path);
    return ::RegSetValueExW(key.get(), kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                            static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace snapora
