#pragma once
#include <windows.h>

namespace snapora {

// The whole program: single-instance check, main window, message loop.
// Returns the process exit code.
int RunApplication(HINSTANCE instance, int showCommand);

}  // namespace snapora
