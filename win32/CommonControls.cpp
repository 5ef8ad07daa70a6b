#include "win32/CommonControls.h"

#include "win32/SystemLibrary.h"

namespace snapora::win32 {

namespace {

// Each function is looked up once: the subclass calls run for every
// message of a subclassed window.
template <class Function>
Function CommonControlsFunction(const char* name) {
    return LoadSystemFunction<Function>(L"comctl32.dll", name);
}

}  // namespace

bool UseCommonControls(DWORD classes) {
    static const auto initialise = CommonControlsFunction<decltype(&::InitCommonControlsEx)>("InitCommonControlsEx");
    const INITCOMMONCONTROLSEX controls{sizeof(controls), classes};
    return initialise && initialise(&controls) != FALSE;
}

bool SetSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    static const auto set = CommonControlsFunction<decltype(&::SetWindowSubclass)>("SetWindowSubclass");
    return set && set(window, procedure, id, data) != FALSE;
}

LRESULT CallNextSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const auto next = CommonControlsFunction<decltype(&::DefSubclassProc)>("DefSubclassProc");
    // Only a subclassed window calls this, so the DLL is loaded already.
    return next ? next(window, message, wParam, lParam) : ::DefWindowProcW(window, message, wParam, lParam);
}

bool RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
    static const auto remove = CommonControlsFunction<decltype(&::RemoveWindowSubclass)>("RemoveWindowSubclass");
    return remove && remove(window, procedure, id) != FALSE;
}

}  // namespace snapora::win32
