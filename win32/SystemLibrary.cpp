#include "win32/SystemLibrary.h"

#include <string>

namespace snapora::win32 {

FARPROC SystemFunction(const wchar_t* dll, const char* name) {
    // Never the program's own folder: a DLL of the same name there must not
    // be picked up.
    HMODULE module = ::LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module && ::GetLastError() == ERROR_INVALID_PARAMETER) {
        // A system that predates that flag: the full path says the same.
        wchar_t folder[MAX_PATH];
        const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
        if (length > 0 && length < MAX_PATH) module = ::LoadLibraryW((std::wstring(folder) + L"\\" + dll).c_str());
    }
    return module ? ::GetProcAddress(module, name) : nullptr;
}

}  // namespace snapora::win32
