#include "capture/ScreenGrab.h"

#include <array>

#include "picture/Clipboard.h"
#include "capture/logic/ScreenMath.h"

namespace snapora {

namespace {

bool BlitInto(Picture& picture, HDC source, int left, int top) {
    if (picture.Empty() || !source) return false;
    win32::UniqueMemoryDc memory(::CreateCompatibleDC(source));
    if (!memory) return false;
    win32::ScopedSelect select(memory.get(), picture.Bitmap());
    return ::BitBlt(memory.get(), 0, 0, picture.Width(), picture.Height(), source, left, top, SRCCOPY) != FALSE;
}

// Copies width x height pixels at (left, top) of `source` into a new 32-bit
// DIB section, so the pixels are exact whatever the screen's format.
Picture BlitToPicture(HDC source, int left, int top, int width, int height) {
    Picture picture = Picture::CreateBlank(width, height);
    if (!BlitInto(picture, source, left, top)) return {};
    return picture;
}

// Palette displays: a copy of the system palette realised into the memory DC
// so the bitmap's indices mean the same colours later.
Picture BlitWithSystemPalette(HDC source, int left, int top, int width, int height) {
    struct {
        WORD version;
        WORD count;
        std::array<PALETTEENTRY, 256> entries;
    } logical{0x300, 256, {}};
    ::GetSystemPaletteEntries(source, 0, 256, logical.entries.data());
    win32::UniquePalette palette(::CreatePalette(reinterpret_cast<LOGPALETTE*>(&logical)));
    win32::UniqueMemoryDc memory(::CreateCompatibleDC(source));
    win32::UniqueBitmap bitmap(::CreateCompatibleBitmap(source, width, height));
    if (!palette || !memory || !bitmap) return {};
    {
        win32::ScopedSelect select(memory.get(), bitmap.get());
        win32::ScopedSelectPalette selectPalette(memory.get(), palette.get());
        ::RealizePalette(memory.get());
        if (!::BitBlt(memory.get(), 0, 0, width, height, source, left, top, SRCCOPY)) return {};
    }
    return Picture::FromBitmap(std::move(bitmap), std::move(palette));
}

}  // namespace

Picture GetScreenSnapshot(HWND window) {
    if (!window) window = ::GetDesktopWindow();
    RECT rect{};
    if (!::GetWindowRect(window, &rect)) return {};
    const auto size = SizeFromEdges(rect.left, rect.top, rect.right, rect.bottom);
    if (!size) return {};
    win32::WindowDc source(window, win32::WindowDc::Area::Whole);
    return BlitToPicture(source.get(), 0, 0, size->width, size->height);
}

Picture GrabScreenArea(int left, int top, int width, int height) {
    win32::UniqueMemoryDc display(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    return BlitToPicture(display.get(), left, top, width, height);
}

bool GrabScreenAreaInto(Picture& picture, int left, int top) {
    win32::UniqueMemoryDc display(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    return BlitInto(picture, display.get(), left, top);
}

Picture CaptureScreenToClipboard(HWND clipboardOwner, int left, int top, int right, int bottom) {
    const auto size = SizeFromEdges(left, top, right, bottom);
    if (!size) return {};
    Picture picture = GrabScreenArea(left, top, size->width, size->height);
    PlacePictureOnClipboard(clipboardOwner, picture);
    return picture;
}

Picture CaptureWindowArea(HWND window, bool clientOnly, int left, int top, int width, int height) {
    win32::WindowDc source(window, clientOnly ? win32::WindowDc::Area::Client : win32::WindowDc::Area::Whole);
    if (!source || width <= 0 || height <= 0) return {};
    const bool paletteDevice = (::GetDeviceCaps(source.get(), RASTERCAPS) & RC_PALETTE) != 0;
    if (paletteDevice && ::GetDeviceCaps(source.get(), SIZEPALETTE) == 256) {
        return BlitWithSystemPalette(source.get(), left, top, width, height);
    }
    return BlitToPicture(source.get(), left, top, width, height);
}

WindowGrab CaptureForegroundWindow() {
    HWND window = ::GetForegroundWindow();
    RECT rect{};
    if (!window || !::GetWindowRect(window, &rect)) return {};
    const auto size = SizeFromEdges(rect.left, rect.top, rect.right, rect.bottom);
    if (!size) return {};
    return {CaptureWindowArea(window, false, 0, 0, size->width, size->height), *size, {rect.left, rect.top}};
}

}  // namespace snapora
