#pragma once
// Where the monitors lie on the desktop and what each capture takes from
// them. Desktop coordinates: (0, 0) is the primary monitor's top-left
// corner; a monitor left of or above it has negative coordinates.
#include <cstddef>
#include <optional>
#include <vector>

#include "capture/logic/ScreenMath.h"
#include "frame/logic/CaptureSettings.h"

namespace snapora {

struct MonitorLayout {
    std::vector<PixelRect> monitors;  // as the system lists them
    std::size_t primary = 0;          // index into monitors
};

// The smallest rectangle holding every monitor: the virtual screen. Empty
// without monitors.
PixelRect VirtualScreen(const std::vector<PixelRect>& monitors);

// The primary monitor; the first one, or nothing, when the layout names
// none that exists.
std::optional<PixelRect> PrimaryMonitor(const MonitorLayout& layout);

// The monitor holding `point`, else the nearest one (a point can lie in a
// gap between monitors, or off them all while the layout changes).
std::optional<PixelRect> MonitorNearest(const std::vector<PixelRect>& monitors, PixelPoint point);

// The pointer area's top-left corner for the pointer at `pointer`, by the
// single-screen rule with the edges of `monitor` in place of the screen's.
PixelPoint PointerAreaCornerOn(PixelPoint pointer, double width, double height, const PixelRect& monitor);

// The desktop rectangle the entire-screen and automatic captures take.
// Empty when there is no monitor.
PixelRect CaptureRange(ScreenRange range, const MonitorLayout& layout, PixelPoint pointer);

// The parts of `area` that no monitor covers, as rectangles that do not
// overlap; a grab blanks them, since the screen has no pixels there.
std::vector<PixelRect> UncoveredParts(const PixelRect& area, const std::vector<PixelRect>& monitors);

// The area a window of `rect` is shown on for the purpose of its DPI: the
// monitor it shares the most pixels with, ties going to the earlier one;
// the nearest monitor to its centre when it touches none.
std::optional<std::size_t> MonitorOfRect(const std::vector<PixelRect>& monitors, const PixelRect& rect);

}  // namespace snapora
