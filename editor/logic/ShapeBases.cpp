#include "editor/logic/ShapeBases.h"

namespace snapora::editor {

Rect Freehand::Bounds() const { return BoundsOf(points_, style_.width / 2 + 1); }

bool Freehand::Hit(Point p, int tolerance) const {
    const double reach = style_.width / 2.0 + tolerance;
    if (points_.size() == 1) return DistanceSquaredToSegment(p, points_[0], points_[0]) <= reach * reach;
    for (std::size_t i = 1; i < points_.size(); ++i) {
        if (DistanceSquaredToSegment(p, points_[i - 1], points_[i]) <= reach * reach) return true;
    }
    return false;
}

void Freehand::MoveBy(int dx, int dy) {
    for (Point& p : points_) p = Point{p.x + dx, p.y + dy};
}

void Freehand::Extend(Point to) {
    if (points_.back() != to) points_.push_back(to);
}

bool Freehand::SameAs(const Shape& other) const {
    const auto* same = dynamic_cast<const Freehand*>(&other);
    return same && SameStyle(other) && same->points_ == points_;
}

void TwoPoint::MoveBy(int dx, int dy) {
    from_ = Point{from_.x + dx, from_.y + dy};
    to_ = Point{to_.x + dx, to_.y + dy};
}

bool TwoPoint::SameAs(const Shape& other) const {
    const auto* same = dynamic_cast<const TwoPoint*>(&other);
    return same && SameStyle(other) && same->from_ == from_ && same->to_ == to_;
}

std::vector<Point> Box::Handles() const {
    const Rect r = Area();
    return {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
}

void Box::DragHandle(std::size_t handle, Point to) {
    // The corner opposite the handle stays where it is.
    const Rect r = Area();
    const Point corners[4] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
    from_ = corners[(handle + 2) % 4];
    to_ = to;
}

bool Box::ClampTo(const Rect& picture) {
    const Rect inside = Intersect(Area(), picture);
    if (inside.Empty()) return false;
    from_ = Point{inside.left, inside.top};
    to_ = Point{inside.right - 1, inside.bottom - 1};
    return true;
}

}  // namespace snapora::editor
