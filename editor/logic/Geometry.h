#pragma once
// Points and rectangles in picture pixels. A rectangle holds the pixels
// from (left, top) up to but not including (right, bottom).
#include <algorithm>
#include <cstdint>

namespace snapora::editor {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;

    [[nodiscard]] int Width() const noexcept { return right - left; }
    [[nodiscard]] int Height() const noexcept { return bottom - top; }
    [[nodiscard]] bool Empty() const noexcept { return right <= left || bottom <= top; }
    [[nodiscard]] bool Contains(Point p) const noexcept { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
};

// 0x00RRGGBB, as the picture's pixels hold it.
using Colour = std::uint32_t;

inline Rect Intersect(const Rect& a, const Rect& b) noexcept {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return r.Empty() ? Rect{} : r;
}

inline Rect Union(const Rect& a, const Rect& b) noexcept {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

inline Rect Inflate(const Rect& r, int by) noexcept { return Rect{r.left - by, r.top - by, r.right + by, r.bottom + by}; }

inline Rect Offset(const Rect& r, int dx, int dy) noexcept { return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// The rectangle a drag from `a` to `b` covers, both corners included.
inline Rect SpanOf(Point a, Point b) noexcept {
    return Rect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
}

// The smallest rectangle holding every point, grown by `by` on each side.
template <class Points>
Rect BoundsOf(const Points& points, int by) noexcept {
    Rect r{};
    bool first = true;
    for (const Point& p : points) {
        const Rect one{p.x - by, p.y - by, p.x + by + 1, p.y + by + 1};
        r = first ? one : Union(r, one);
        first = false;
    }
    return r;
}

// Squared distance from `p` to the segment a-b.
double DistanceSquaredToSegment(Point p, Point a, Point b) noexcept;

}  // namespace snapora::editor
