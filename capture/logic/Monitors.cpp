#include "capture/logic/Monitors.h"

#include <algorithm>
#include <cstdint>

#include "capture/logic/PointerArea.h"

namespace snapora {

namespace {

PixelRect Intersection(const PixelRect& a, const PixelRect& b) {
    const PixelRect both{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                         std::min(a.bottom, b.bottom)};
    return both.Empty() ? PixelRect{} : both;
}

std::int64_t Area(const PixelRect& rect) {
    return rect.Empty() ? 0 : static_cast<std::int64_t>(rect.Width()) * rect.Height();
}

// How far `point` lies outside `rect`, squared; 0 inside.
std::int64_t DistanceSquared(const PixelRect& rect, PixelPoint point) {
    const auto gap = [](int value, int low, int high) -> std::int64_t {
        if (value < low) return static_cast<std::int64_t>(low) - value;
        if (value >= high) return static_cast<std::int64_t>(value) - high + 1;
        return 0;
    };
    const std::int64_t dx = gap(point.x, rect.left, rect.right);
    const std::int64_t dy = gap(point.y, rect.top, rect.bottom);
    return dx * dx + dy * dy;
}

// The x ranges of the monitors that cover the whole row band [top, bottom)
// inside `area`, sorted by left edge.
std::vector<PixelRect> CoveredInBand(const PixelRect& area, const std::vector<PixelRect>& monitors, int top, int bottom) {
    std::vector<PixelRect> covered;
    for (const PixelRect& monitor : monitors) {
        const PixelRect part = Intersection(monitor, area);
        if (!part.Empty() && part.top <= top && part.bottom >= bottom) covered.push_back(part);
    }
    std::sort(covered.begin(), covered.end(), [](const PixelRect& a, const PixelRect& b) { return a.left < b.left; });
    return covered;
}

std::optional<std::size_t> NearestIndex(const std::vector<PixelRect>& monitors, PixelPoint point) {
    std::optional<std::size_t> nearest;
    std::int64_t best = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const std::int64_t distance = DistanceSquared(monitors[i], point);
        if (!nearest || distance < best) {
            nearest = i;
            best = distance;
        }
    }
    return nearest;
}

}  // namespace

PixelRect VirtualScreen(const std::vector<PixelRect>& monitors) {
    if (monitors.empty()) return {};
    PixelRect bounds = monitors.front();
    for (const PixelRect& monitor : monitors) {
        bounds = {std::min(bounds.left, monitor.left), std::min(bounds.top, monitor.top),
                  std::max(bounds.right, monitor.right), std::max(bounds.bottom, monitor.bottom)};
    }
    return bounds;
}

std::optional<PixelRect> PrimaryMonitor(const MonitorLayout& layout) {
    if (layout.monitors.empty()) return std::nullopt;
    return layout.primary < layout.monitors.size() ? layout.monitors[layout.primary] : layout.monitors.front();
}

std::optional<PixelRect> MonitorNearest(const std::vector<PixelRect>& monitors, PixelPoint point) {
    const auto index = NearestIndex(monitors, point);
    return index ? std::optional<PixelRect>(monitors[*index]) : std::nullopt;
}

PixelPoint PointerAreaCornerOn(PixelPoint pointer, double width, double height, const PixelRect& monitor) {
    const PixelPoint local = PointerAreaCorner(pointer.x - monitor.left, pointer.y - monitor.top, width, height,
                                               monitor.Width(), monitor.Height());
    return {local.x + monitor.left, local.y + monitor.top};
}

PixelRect CaptureRange(ScreenRange range, const MonitorLayout& layout, PixelPoint pointer) {
    switch (range) {
        case ScreenRange::AllMonitors:
            return VirtualScreen(layout.monitors);
        case ScreenRange::PointerMonitor:
            return MonitorNearest(layout.monitors, pointer).value_or(PixelRect{});
        case ScreenRange::Primary:
            break;
    }
    return PrimaryMonitor(layout).value_or(PixelRect{});
}

std::vector<PixelRect> UncoveredParts(const PixelRect& area, const std::vector<PixelRect>& monitors) {
    if (area.Empty()) return {};
    // Bands of rows between consecutive monitor edges: inside one band every
    // monitor covers all rows or none, so the gaps are plain x ranges.
    std::vector<int> edges{area.top, area.bottom};
    for (const PixelRect& monitor : monitors) {
        for (const int y : {monitor.top, monitor.bottom}) {
            if (y > area.top && y < area.bottom) edges.push_back(y);
        }
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::vector<PixelRect> parts;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        const int top = edges[i];
        const int bottom = edges[i + 1];
        int x = area.left;
        for (const PixelRect& covered : CoveredInBand(area, monitors, top, bottom)) {
            if (covered.left > x) parts.push_back({x, top, covered.left, bottom});
            x = std::max(x, covered.right);
        }
        if (x < area.right) parts.push_back({x, top, area.right, bottom});
    }
    return parts;
}

std::optional<std::size_t> MonitorOfRect(const std::vector<PixelRect>& monitors, const PixelRect& rect) {
    std::optional<std::size_t> best;
    std::int64_t bestArea = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const std::int64_t shared = Area(Intersection(monitors[i], rect));
        if (shared > bestArea) {
            best = i;
            bestArea = shared;
        }
    }
    if (best) return best;
    return NearestIndex(monitors, {rect.left + rect.Width() / 2, rect.top + rect.Height() / 2});
}

}  // namespace snapora
