#include "editor/logic/Shapes.h"

#include <cmath>

namespace snapora::editor {

namespace {

bool NearSegment(PixelPoint p, PixelPoint a, PixelPoint b, double reach) { return DistanceSquaredToSegment(p, a, b) <= reach * reach; }

}  // namespace

void PenShape::Draw(Canvas& canvas, const DrawContext&) const { canvas.Stroke(points_, style_.colour, style_.width); }

bool MarkerShape::Hit(PixelPoint p, int tolerance) const {
    const double reach = LineWidth() / 2.0 + tolerance;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        if (NearSegment(p, points_[i ? i - 1 : 0], points_[i], reach)) return true;
    }
    return false;
}

void MarkerShape::Draw(Canvas& canvas, const DrawContext&) const { canvas.Highlight(points_, style_.colour, LineWidth()); }

PixelRect LineShape::Bounds() const { return BoundsOf(std::array<PixelPoint, 2>{from_, to_}, style_.width / 2 + 1); }

bool LineShape::Hit(PixelPoint p, int tolerance) const { return NearSegment(p, from_, to_, style_.width / 2.0 + tolerance); }

void LineShape::Draw(Canvas& canvas, const DrawContext&) const {
    const std::array<PixelPoint, 2> line{from_, to_};
    canvas.Stroke(line, style_.colour, style_.width);
}

std::array<PixelPoint, 4> ArrowShape::Head() const {
    const double dx = double(to_.x) - from_.x;
    const double dy = double(to_.y) - from_.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    // The head grows with the width but never beyond the line itself.
    const double head = std::min(length, 8.0 + style_.width * 3.0);
    const double ux = length > 0 ? dx / length : 1.0;
    const double uy = length > 0 ? dy / length : 0.0;
    const double bx = to_.x - ux * head;
    const double by = to_.y - uy * head;
    const double half = head * 0.5;
    auto at = [](double x, double y) { return PixelPoint{int(std::lround(x)), int(std::lround(y))}; };
    return {to_, at(bx - uy * half, by + ux * half), at(bx + uy * half, by - ux * half), at(bx, by)};
}

PixelRect ArrowShape::Bounds() const {
    const auto head = Head();
    return Union(BoundsOf(std::array<PixelPoint, 2>{from_, to_}, style_.width / 2 + 1), BoundsOf(head, 1));
}

bool ArrowShape::Hit(PixelPoint p, int tolerance) const {
    const auto head = Head();
    const double reach = style_.width / 2.0 + tolerance;
    return NearSegment(p, from_, to_, reach) || NearSegment(p, head[1], head[2], reach) ||
           NearSegment(p, head[0], head[1], reach) || NearSegment(p, head[0], head[2], reach);
}

void ArrowShape::Draw(Canvas& canvas, const DrawContext&) const {
    const auto head = Head();
    const std::array<PixelPoint, 2> shaft{from_, head[3]};
    if (shaft[0] != shaft[1]) canvas.Stroke(shaft, style_.colour, style_.width);
    const std::array<PixelPoint, 3> tip{head[0], head[1], head[2]};
    canvas.FillPolygon(tip, style_.colour);
}

bool RectangleShape::Hit(PixelPoint p, int tolerance) const {
    const PixelRect r = Area();
    const PixelPoint c[4] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
    const double reach = style_.width / 2.0 + tolerance;
    for (int i = 0; i < 4; ++i) {
        if (NearSegment(p, c[i], c[(i + 1) % 4], reach)) return true;
    }
    return false;
}

void RectangleShape::Draw(Canvas& canvas, const DrawContext&) const { canvas.FrameRect(Area(), style_.colour, style_.width); }

bool EllipseShape::Hit(PixelPoint p, int tolerance) const {
    const PixelRect r = Area();
    const double rx = r.Width() / 2.0;
    const double ry = r.Height() / 2.0;
    const double dx = p.x + 0.5 - (r.left + rx);
    const double dy = p.y + 0.5 - (r.top + ry);
    const double d = std::sqrt((dx * dx) / (rx * rx) + (dy * dy) / (ry * ry));
    return std::abs(d - 1.0) * std::min(rx, ry) <= style_.width / 2.0 + tolerance;
}

void EllipseShape::Draw(Canvas& canvas, const DrawContext&) const { canvas.FrameEllipse(Area(), style_.colour, style_.width); }

}  // namespace snapora::editor
