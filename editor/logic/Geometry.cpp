#include "editor/logic/Geometry.h"

namespace snapora::editor {

double DistanceSquaredToSegment(PixelPoint p, PixelPoint a, PixelPoint b) noexcept {
    const double dx = double(b.x) - a.x;
    const double dy = double(b.y) - a.y;
    const double px = double(p.x) - a.x;
    const double py = double(p.y) - a.y;
    const double length = dx * dx + dy * dy;
    double t = length > 0 ? (px * dx + py * dy) / length : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = px - t * dx;
    const double ey = py - t * dy;
    return ex * ex + ey * ey;
}

}  // namespace snapora::editor
