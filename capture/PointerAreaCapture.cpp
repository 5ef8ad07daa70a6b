// Pointer-area capture: a live document that shows, twenty times a second,
// the area around the mouse pointer until the user confirms.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "capture/CaptureCommands.h"
#include "capture/CaptureModes.h"
#include "capture/CaptureResource.h"
#include "capture/ScreenGrab.h"
#include "capture/logic/Monitors.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "frame/Frame.h"
#include "frame/ResourceIds.h"
#include "frame/Texts.h"
#include "frame/logic/CaptureSettings.h"
#include "win32/Screen.h"
#include "win32/WindowTimer.h"

namespace snapora {

namespace {

int AreaSide(double setting) { return static_cast<int>(std::lround(setting)); }

// Once the pointer and the area under it have stayed the same for half a
// second, the mode ticks five times a second instead of twenty, and after
// five seconds more twice a second: a still screen then costs a tenth (the
// ticks themselves were most of it), a change under a pointer at rest shows
// within half a second, and the first move brings back twenty ticks a second.
constexpr UINT kTickMs = 50;
constexpr UINT kStillTickMs = 200;
constexpr UINT kRestingTickMs = 500;
constexpr int kStillTicksBeforeSlowing = 10;
constexpr int kStillTicksBeforeResting = kStillTicksBeforeSlowing + 25;

void PaceTicks(CaptureModes& modes, int stillTicks) {
    win32::WindowTimer& timer = modes.Timer(CaptureTimer::PointerArea);
    const UINT wanted = stillTicks >= kStillTicksBeforeResting   ? kRestingTickMs
                        : stillTicks >= kStillTicksBeforeSlowing ? kStillTickMs
                                                                 : kTickMs;
    if (timer.Interval() != wanted) timer.SetInterval(wanted);
}

bool SamePixels(const Picture& a, const Picture& b) {
    const std::uint32_t* left = a.DirectPixels();
    const std::uint32_t* right = b.DirectPixels();
    if (!left || !right || a.Width() != b.Width() || a.Height() != b.Height()) return false;
    const auto count = static_cast<std::size_t>(a.Width()) * static_cast<std::size_t>(a.Height());
    return std::memcmp(left, right, count * sizeof(std::uint32_t)) == 0;
}

// Grabs the area into the mode's spare picture, made once at the surface's
// size; the document gets it only when it differs from what it shows, and
// its old picture becomes the spare. A still pointer over a still screen
// then costs one small blit and a comparison, and no repaint. True when
// the document got a new picture.
bool ShowArea(CaptureModes& modes, DocumentWindow& document, const PixelPoint& corner, const MonitorLayout& layout) {
    const SIZE surface = document.SurfaceSize();
    Picture& spare = modes.pointerAreaSpare;
    if (spare.Width() != surface.cx || spare.Height() != surface.cy || !spare.DirectPixels()) {
        spare = Picture::CreateBlank(surface.cx, surface.cy);
    }
    if (spare.Empty() || !modes.pointerAreaGrab.Into(spare, corner.x, corner.y, layout)) {
        // No reusable picture here: a fresh grab of the window system's own.
        Picture picture = CaptureWindowArea(nullptr, true, corner.x, corner.y, surface.cx, surface.cy);
        if (!picture.Empty()) document.SetPicture(std::move(picture));
        return true;
    }
    if (SamePixels(spare, document.GetPicture())) return false;
    spare = document.ExchangePicture(std::move(spare));
    return true;
}

}  // namespace

void TogglePointerAreaCapture(Frame& frame) {
    CaptureModes* modes = CaptureModes::Of(frame.Handle());
    if (!modes) return;
    const bool start = !modes->PointerAreaRunning();
    modes->Timer(CaptureTimer::PointerArea).SetEnabled(start);
    frame.SetCaption(LoadText(IDS_APP_TITLE));
    modes->pointerAreaStillTicks = 0;
    modes->ForgetScreen();
    PaceTicks(*modes, 0);
    if (!start) {
        modes->pointerAreaSpare = Picture{};
        return;
    }

    DocumentWindow* document = DocumentWindow::Create(frame);
    if (!document) {
        // Without a preview there is nothing to confirm: back to off.
        TogglePointerAreaCapture(frame);
        return;
    }
    SetCurrentDocument(frame, document);
    const CaptureSettings& settings = frame.Settings();
    const int width = AreaSide(settings.pointerAreaWidth);
    const int height = AreaSide(settings.pointerAreaHeight);
    document->SetSurfaceSize(width, height);
    document->SetClientSize(width, height);
    ShowCaptureDocument(frame, *document);
    frame.SetCaption(LoadText(IDS_APP_TITLE) + LoadText(IDS_POINTER_AREA_HINT));
}

void PointerAreaCaptureTick(Frame& frame, CaptureModes& modes) {
    if (!modes.PointerAreaRunning()) return;
    DocumentWindow* document = CurrentDocument(frame);
    if (!document) {
        // The user closed the preview: the mode has nothing left to show.
        TogglePointerAreaCapture(frame);
        return;
    }
    POINT pointer{};
    if (!::GetCursorPos(&pointer)) return;
    const bool moved = pointer.x != modes.pointerAreaLastPointer.x || pointer.y != modes.pointerAreaLastPointer.y;
    modes.pointerAreaLastPointer = pointer;
    const CaptureSettings& settings = frame.Settings();
    // The monitor under the pointer, in real pixels whatever the DPI: the
    // pointer moves between monitors, and they come and go.
    auto& monitors = modes.pointerAreaMonitors;
    if (!monitors || monitors->monitors.empty()) monitors = CurrentMonitors();
    const MonitorLayout& layout = *monitors;
    const auto monitor = MonitorNearest(layout.monitors, {pointer.x, pointer.y});
    if (!monitor) return;
    const PixelPoint corner =
        PointerAreaCornerOn({pointer.x, pointer.y}, settings.pointerAreaWidth, settings.pointerAreaHeight, *monitor);
    // The block has the size of the document's surface, which is the area's
    // size unless a newer capture of another mode took over CurrentDocument.
    const bool changed = ShowArea(modes, *document, corner, layout);
    int& still = modes.pointerAreaStillTicks;
    still = moved || changed ? 0 : std::min(still + 1, kStillTicksBeforeResting);
    PaceTicks(modes, still);
}

}  // namespace snapora
