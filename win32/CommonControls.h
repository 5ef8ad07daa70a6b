#pragma once
// The system's common controls DLL is loaded at its first use (a tooltip,
// the options dialog's tabs and key fields, a subclassed control), never
// with the program: under Wine loading it costs a tenth of the start-up.
// Nothing in the program imports it; everything goes through here.
#include <windows.h>
#include <commctrl.h>

namespace snapora::win32 {

// Loads the DLL (the first time) and registers the window classes of
// `classes`; false when it cannot.
bool UseCommonControls(DWORD classes);

// The DLL's subclassing: as SetWindowSubclass, DefSubclassProc and
// RemoveWindowSubclass.
bool SetSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
LRESULT CallNextSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);

}  // namespace snapora::win32
