#include "win32/SystemLibrary.h"

namespace snapora::win32 {

FARPROC SystemFunction(const wchar_t* dll, const char* name) {
    // Never the program's own folder: a DLL of the same name there must not
    // be picked up.
    HMODULE module = ::LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? ::GetProcAddress(module, name) : nullptr;
}

}  // namespace snapora::win32
