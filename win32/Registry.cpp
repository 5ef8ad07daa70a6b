#include "win32/Registry.h"

namespace snapora::win32 {

UniqueRegKey OpenKeyToRead(HKEY root, const wchar_t* path) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, path, 0, KEY_READ, &opened) != ERROR_SUCCESS) return UniqueRegKey{};
    return UniqueRegKey(opened);
}

RegistryValue ReadRegistryValue(HKEY key, const wchar_t* name, DWORD maxTextBytes) {
    const RegistryValue other{RegistryKind::Other, 0, {}};
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = ::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return {};
    // The value may grow between asking for its size and reading it.
    for (int attempt = 0; attempt < 4 && status == ERROR_SUCCESS; ++attempt) {
        if (type == REG_DWORD) {
            DWORD number = 0;
            DWORD read = sizeof(number);
            status = ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &read);
            if (status != ERROR_SUCCESS || type != REG_DWORD || read != sizeof(number)) return other;
            return {RegistryKind::Number, number, {}};
        }
        if (type != REG_SZ || size > maxTextBytes) return other;
        std::wstring units(size / sizeof(wchar_t) + 1, L'\0');
        DWORD read = static_cast<DWORD>(units.size() * sizeof(wchar_t));
        status = ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(units.data()), &read);
        if (status == ERROR_SUCCESS) {
            if (type != REG_SZ) return other;
            units.resize(read / sizeof(wchar_t));
            return {RegistryKind::Text, 0, std::move(units)};
        }
        if (status == ERROR_MORE_DATA) {
            size = read;
            status = ERROR_SUCCESS;
        }
    }
    return other;
}

}  // namespace snapora::win32
