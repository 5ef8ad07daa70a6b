#pragma once
// Naming another program to the user. No window system here.
#include <string_view>

namespace snapora {

// The file name of an executable's full path ("C:\Windows\notepad.exe"
// gives "notepad.exe"); either slash separates folders.
std::wstring_view ExecutableFileName(std::wstring_view path);

}  // namespace snapora
