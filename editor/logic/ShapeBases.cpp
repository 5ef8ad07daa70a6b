#include "editor/logic/ShapeBases.h"

namespace snapora::editor {

PixelRect Freehand::Bounds() const { return BoundsOf(points_, style_.width / 2 + 1); }

bool Freehand::Hit(PixelPoint p, int tolerance) const {
    const double reach = style_.width / 2.0 + tolerance;
    if (points_.size() == 1) return DistanceSquaredToSegment(p, points_[0], points_[0]) <= reach * reach;
    for (std::size_t i = 1; i < points_.size(); ++i) {
        if (DistanceSquaredToSegment(p, points_[i - 1], points_[i]) <= reach * reach) return true;
    }
    return false;
}

void Freehand::MoveBy(int dx, int dy) {
    for (PixelPoint& p : points_) p = PixelPoint{p.x + dx, p.y + dy};
}

void Freehand::Extend(PixelPoint to) {
    if (points_.back() != to) points_.push_back(to);
}

PixelRect Freehand::ExtendChanging(PixelPoint to) {
    // A line only grows at its end: the new piece is all that changes,
    // however long the line is.
    const PixelPoint from = points_.back();
    Extend(to);
    return Inflate(SpanOf(from, to), style_.width / 2 + 2);
}

bool Freehand::SameAs(const Shape& other) const {
    const auto* same = dynamic_cast<const Freehand*>(&other);
    return same && SameStyle(other) && same->points_ == points_;
}

void TwoPoint::MoveBy(int dx, int dy) {
    from_ = PixelPoint{from_.x + dx, from_.y + dy};
    to_ = PixelPoint{to_.x + dx, to_.y + dy};
}

bool TwoPoint::SameAs(const Shape& other) const {
    const auto* same = dynamic_cast<const TwoPoint*>(&other);
    return same && SameStyle(other) && same->from_ == from_ && same->to_ == to_;
}

std::vector<PixelPoint> Box::Handles() const {
    const PixelRect r = Area();
    return {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
}

void Box::DragHandle(std::size_t handle, PixelPoint to) {
    // The corner opposite the handle stays where it is.
    const PixelRect r = Area();
    const PixelPoint corners[4] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
    from_ = corners[(handle + 2) % 4];
    to_ = to;
}

bool Box::ClampTo(const PixelRect& picture) {
    const PixelRect inside = Intersect(Area(), picture);
    if (inside.Empty()) return false;
    from_ = PixelPoint{inside.left, inside.top};
    to_ = PixelPoint{inside.right - 1, inside.bottom - 1};
    return true;
}

}  // namespace snapora::editor
