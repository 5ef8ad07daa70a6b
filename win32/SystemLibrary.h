#pragma once
// Functions of system DLLs that only some commands need, loaded the first
// time a command asks for them. Importing them would load those DLLs, and
// everything they import in turn, at every start of the program.
#include <windows.h>

namespace snapora::win32 {

// The function `name` of the system DLL `dll` (from the system folder only),
// or nullptr when either cannot be had. The DLL stays loaded from then on.
FARPROC SystemFunction(const wchar_t* dll, const char* name);

template <class Function>
Function LoadSystemFunction(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(dll, name)));
}

}  // namespace snapora::win32
