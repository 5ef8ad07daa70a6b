#pragma once
// One base for every window of the program: a top-level window, an MDI
// child and a modal dialog. The system calls into the program only through
// Procedure below, which finds the object and stops any failure there.
//
// Lifetime, the same for all three: the creator holds the new object in a
// unique_ptr and hands the window the address of that pointer. The window
// takes the object over at its first message (WM_NCCREATE, WM_INITDIALOG)
// and deletes it after its last (WM_NCDESTROY). Across a modal loop keep
// only the handle and find the object again with FromHandle.
#include <windows.h>

#include <memory>

#include "win32/Workspace.h"

namespace snapora::win32 {

// Runs `handler` and returns its result; a failure that escapes it
// abandons this one message and returns `fallback`. Used by every entry
// point the system calls: window, dialog and subclass procedures, hooks.
template <class Result, class Handler>
Result Guarded(Result fallback, Handler&& handler) noexcept {
    try {
        return handler();
    } catch (...) {
        return fallback;
    }
}

enum class WindowKind { TopLevel, MdiChild, Dialog };

template <class Derived, WindowKind Kind>
class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    [[nodiscard]] HWND Handle() const noexcept { return window_; }

    // Whether `window` is one of this process's windows of this kind,
    // whether or not its object is (still) attached. Told by the class's
    // procedure, which a subclass of the window leaves alone, not by the
    // window's current one, which comctl32, input methods and accessibility
    // modules replace.
    static bool IsOfThisKind(HWND window) noexcept {
        // Only this process's windows: another copy of the program has
        // windows of the same class at the same procedure address.
        DWORD process = 0;
        if (!window || !::GetWindowThreadProcessId(window, &process) || process != ::GetCurrentProcessId()) {
            return false;
        }
        if constexpr (Kind == WindowKind::Dialog) {
            // The dialog procedure has a slot of its own, which a subclass
            // of the window procedure leaves alone.
            return ::GetWindowLongPtrW(window, DWLP_DLGPROC) == reinterpret_cast<LONG_PTR>(&DialogProcedure);
        } else {
            return ::GetClassLongPtrW(window, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(&Procedure);
        }
    }

    // The object behind a handle, or nullptr for a window of any other
    // kind, and for a window that is gone or not yet (no longer) attached.
    static Derived* FromHandle(HWND window) noexcept {
        if (!IsOfThisKind(window)) return nullptr;
        if constexpr (Kind == WindowKind::Dialog) {
            return reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, DWLP_USER));
        } else {
            return reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        }
    }

protected:
    using Owner = std::unique_ptr<Derived>;

    WindowBase() = default;
    ~WindowBase() = default;

    // What the creator passes as the creation parameter (lpCreateParams,
    // MDICREATESTRUCT::lParam or the dialog's init parameter).
    static LPARAM Handover(Owner& owner) noexcept { return reinterpret_cast<LPARAM>(&owner); }

    // Shows a modal dialog made from a resource template with `object`
    // behind it; EndDialog's result, or -1 when it could not be shown.
    static INT_PTR RunModal(Owner object, HINSTANCE instance, int templateId, HWND owner) {
        return ::DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, &DialogProcedure, Handover(object));
    }

    // The system's own handling, also for the messages that come before the
    // object is attached or after it left; a derived class may hide it with
    // its own (an MDI frame's, say).
    static LRESULT CallDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if constexpr (Kind == WindowKind::MdiChild) {
            return DefWorkspaceChildProc(window, message, wParam, lParam);
        } else {
            return ::DefWindowProcW(window, message, wParam, lParam);
        }
    }

    // Derived provides LRESULT HandleMessage(UINT, WPARAM, LPARAM).
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        Derived* self = message == WM_NCCREATE ? Attach(window, OwnerFromCreate(lParam))
                                               : reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!self) return Derived::CallDefault(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            const LRESULT result = Guarded<LRESULT>(0, [&] { return self->HandleMessage(message, wParam, lParam); });
            delete self;
            return result;
        }
        return Guarded<LRESULT>(0, [&] { return self->HandleMessage(message, wParam, lParam); });
    }

    static INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        Derived* self = nullptr;
        if (message == WM_INITDIALOG) {
            self = Attach(dialog, reinterpret_cast<Owner*>(lParam));
        } else {
            self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(dialog, DWLP_USER));
        }
        if (!self) return FALSE;
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrW(dialog, DWLP_USER, 0);
            const INT_PTR result = Guarded<INT_PTR>(FALSE, [&] { return self->HandleMessage(message, wParam, lParam); });
            delete self;
            return result;
        }
        return Guarded<INT_PTR>(FALSE, [&] { return self->HandleMessage(message, wParam, lParam); });
    }

    HWND window_ = nullptr;

private:
    static Owner* OwnerFromCreate(LPARAM lParam) noexcept {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if constexpr (Kind == WindowKind::MdiChild) {
            const auto* mdi = static_cast<const MDICREATESTRUCTW*>(create->lpCreateParams);
            return reinterpret_cast<Owner*>(mdi->lParam);
        } else {
            return static_cast<Owner*>(create->lpCreateParams);
        }
    }

    static Derived* Attach(HWND window, Owner* owner) noexcept {
        if (!owner || !*owner) return nullptr;
        Derived* self = owner->release();
        self->window_ = window;
        if constexpr (Kind == WindowKind::Dialog) {
            ::SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        } else {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        return self;
    }
};

}  // namespace snapora::win32
