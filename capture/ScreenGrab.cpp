#include "capture/ScreenGrab.h"

#include <array>
#include <vector>

#include "picture/Clipboard.h"
#include "capture/logic/GrabBands.h"
#include "capture/logic/ScreenMath.h"

namespace snapora {

namespace {

// Grabs into the picture through a memory DC in one read, or in bands when
// it is grabbed into again (see GrabBands for why). The picture is not left
// selected: it may be drawn elsewhere next.
bool BlitBands(HDC memory, Picture& picture, HDC source, int left, int top, bool again) {
    win32::ScopedSelect select(memory, picture.Bitmap());
    const std::vector<RowBand> bands =
        again ? GrabBands(picture.Width(), picture.Height()) : std::vector<RowBand>{{0, picture.Height()}};
    for (const RowBand& band : bands) {
        if (!::BitBlt(memory, 0, band.top, picture.Width(), band.rows, source, left, top + band.top, SRCCOPY)) {
            return false;
        }
    }
    return true;
}

bool BlitInto(Picture& picture, HDC source, int left, int top, bool again) {
    if (picture.Empty() || !source) return false;
    win32::UniqueMemoryDc memory(::CreateCompatibleDC(source));
    return memory && BlitBands(memory.get(), picture, source, left, top, again);
}

// Copies width x height pixels at (left, top) of `source` into a new 32-bit
// DIB section, so the pixels are exact whatever the screen's format.
Picture BlitToPicture(HDC source, int left, int top, int width, int height) {
    Picture picture = Picture::CreateBlank(width, height);
    if (!BlitInto(picture, source, left, top, false)) return {};
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

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& layout = *reinterpret_cast<MonitorLayout*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        if (info.dwFlags & MONITORINFOF_PRIMARY) layout.primary = layout.monitors.size();
        layout.monitors.push_back({r.left, r.top, r.right, r.bottom});
    }
    return TRUE;
}

// Paints black over the parts of a picture of the desktop from `origin`
// that no monitor covers: the screen has no pixels there, and a grab would
// return whatever the display keeps (Wine: the X root window's).
void BlankUncovered(Picture& picture, PixelPoint origin, const MonitorLayout& layout) {
    const PixelRect area{origin.x, origin.y, origin.x + picture.Width(), origin.y + picture.Height()};
    // Without a monitor list nothing is known to be uncovered.
    if (layout.monitors.empty() || picture.Empty()) return;
    const std::vector<PixelRect> parts = UncoveredParts(area, layout.monitors);
    if (parts.empty()) return;
    win32::UniqueMemoryDc memory(::CreateCompatibleDC(nullptr));
    if (!memory) return;
    win32::ScopedSelect select(memory.get(), picture.Bitmap());
    for (const PixelRect& part : parts) {
        ::PatBlt(memory.get(), part.left - origin.x, part.top - origin.y, part.Width(), part.Height(), BLACKNESS);
    }
}

}  // namespace

MonitorLayout CurrentMonitors() {
    MonitorLayout layout;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&layout));
    return layout;
}

PixelRect CurrentCaptureRange(ScreenRange range) { return CurrentCaptureRange(range, CurrentMonitors()); }

PixelRect CurrentCaptureRange(ScreenRange range, const MonitorLayout& layout) {
    POINT pointer{};
    // Only the pointer's monitor needs the pointer.
    if (range == ScreenRange::PointerMonitor) ::GetCursorPos(&pointer);
    return CaptureRange(range, layout, {pointer.x, pointer.y});
}

Picture GetScreenSnapshot(HWND window) {
    if (!window) {
        const PixelRect primary = PrimaryMonitor(CurrentMonitors()).value_or(PixelRect{});
        return GrabScreenArea(primary.left, primary.top, primary.Width(), primary.Height());
    }
    RECT rect{};
    if (!::GetWindowRect(window, &rect)) return {};
    const auto size = SizeFromEdges(rect.left, rect.top, rect.right, rect.bottom);
    if (!size) return {};
    win32::WindowDc source(window, win32::WindowDc::Area::Whole);
    return BlitToPicture(source.get(), 0, 0, size->width, size->height);
}

// The screen DC of GetDC(0) reads desktop coordinates everywhere; a DC made
// with CreateDC("DISPLAY") has its origin at the virtual screen's corner
// under Wine, which puts every grab off by the monitors left of the primary.
Picture GrabScreenArea(int left, int top, int width, int height) {
    return GrabScreenArea(left, top, width, height, CurrentMonitors());
}

Picture GrabScreenArea(int left, int top, int width, int height, const MonitorLayout& layout) {
    win32::WindowDc desktop(nullptr, win32::WindowDc::Area::Client);
    Picture picture = BlitToPicture(desktop.get(), left, top, width, height);
    BlankUncovered(picture, {left, top}, layout);
    return picture;
}

bool GrabScreenAreaInto(Picture& picture, int left, int top, const MonitorLayout& layout) {
    win32::WindowDc desktop(nullptr, win32::WindowDc::Area::Client);
    if (!BlitInto(picture, desktop.get(), left, top, true)) return false;
    BlankUncovered(picture, {left, top}, layout);
    return true;
}

bool RepeatedScreenGrab::Into(Picture& picture, int left, int top, const MonitorLayout& layout) {
    if (picture.Empty()) return false;
    if (!desktop_) desktop_ = win32::WindowDc(nullptr, win32::WindowDc::Area::Client);
    if (desktop_ && !memory_) memory_.reset(::CreateCompatibleDC(desktop_.get()));
    if (!memory_ || !BlitBands(memory_.get(), picture, desktop_.get(), left, top, true)) return false;
    BlankUncovered(picture, {left, top}, layout);
    return true;
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
    Picture picture = CaptureWindowArea(window, false, 0, 0, size->width, size->height);
    BlankUncovered(picture, {rect.left, rect.top}, CurrentMonitors());
    return {std::move(picture), *size, {rect.left, rect.top}};
}

}  // namespace snapora
