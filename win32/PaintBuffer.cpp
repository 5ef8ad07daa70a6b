#include "win32/PaintBuffer.h"

#include <commctrl.h>

#include "win32/Handle.h"
#include "win32/Window.h"

namespace snapora::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 0x5042;  // "PB"

LRESULT PaintBuffered(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK BufferedPaintProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR) noexcept {
    return Guarded<LRESULT>(0, [&] { return PaintBuffered(control, message, wParam, lParam); });
}

void PaintInto(HWND control, HDC screen, const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (!screen || width <= 0 || height <= 0) return;
    UniqueMemoryDc buffer(::CreateCompatibleDC(screen));
    UniqueBitmap pixels(::CreateCompatibleBitmap(screen, width, height));
    if (!buffer || !pixels) {
        // No memory for a buffer: paint straight onto the screen.
        ::DefSubclassProc(control, WM_ERASEBKGND, reinterpret_cast<WPARAM>(screen), 0);
        ::DefSubclassProc(control, WM_PAINT, reinterpret_cast<WPARAM>(screen), 0);
        return;
    }
    ScopedSelect select(buffer.get(), pixels.get());
    ::SetViewportOrgEx(buffer.get(), -area.left, -area.top, nullptr);
    ::DefSubclassProc(control, WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer.get()), 0);
    ::DefSubclassProc(control, WM_PAINT, reinterpret_cast<WPARAM>(buffer.get()), 0);
    ::SetViewportOrgEx(buffer.get(), 0, 0, nullptr);
    ::BitBlt(screen, area.left, area.top, width, height, buffer.get(), 0, 0, SRCCOPY);
}

LRESULT PaintBuffered(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // erased into the buffer when it paints
        case WM_PAINT: {
            if (wParam) break;  // painting into a given DC, as above
            PAINTSTRUCT paint{};
            HDC screen = ::BeginPaint(control, &paint);
            PaintInto(control, screen, paint.rcPaint);
            ::EndPaint(control, &paint);
            return 0;
        }
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(control, &BufferedPaintProc, kSubclassId);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

bool PaintThroughMemory(HWND control) {
    return control && ::SetWindowSubclass(control, &BufferedPaintProc, kSubclassId, 0) != FALSE;
}

}  // namespace snapora::win32
