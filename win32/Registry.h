#pragma once
// Reading the registry, one way for every caller: the settings store and
// the about box's search for the system information program.
#include <windows.h>

#include <string>

#include "win32/Handle.h"

namespace snapora::win32 {

enum class RegistryKind { Missing, Number, Text, Other };

struct RegistryValue {
    RegistryKind kind = RegistryKind::Missing;
    DWORD number = 0;
    // Every UTF-16 unit of the data, its terminator included if stored:
    // callers decide what a NUL inside means.
    std::wstring units;
};

// The key for reading only (more access fails for users without
// administrator rights on the machine-wide keys); empty when it cannot be
// opened.
[[nodiscard]] UniqueRegKey OpenKeyToRead(HKEY root, const wchar_t* path);

// A REG_DWORD, or a REG_SZ of at most `maxTextBytes`; a value of any other
// type or size, or one that cannot be read, is Other.
[[nodiscard]] RegistryValue ReadRegistryValue(HKEY key, const wchar_t* name, DWORD maxTextBytes);

}  // namespace snapora::win32
