#pragma once
// What the editor does with points and rectangles in picture pixels.
#include <algorithm>
#include <cstdint>

#include "picture/logic/PixelGeometry.h"

namespace snapora::editor {

// 0x00RRGGBB, as the picture's pixels hold it.
using Colour = std::uint32_t;

inline PixelRect Intersect(const PixelRect& a, const PixelRect& b) noexcept {
    PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return r.Empty() ? PixelRect{} : r;
}

inline PixelRect Union(const PixelRect& a, const PixelRect& b) noexcept {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return PixelRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

inline PixelRect Inflate(const PixelRect& r, int by) noexcept { return PixelRect{r.left - by, r.top - by, r.right + by, r.bottom + by}; }

inline PixelRect Offset(const PixelRect& r, int dx, int dy) noexcept { return PixelRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// The rectangle a drag from `a` to `b` covers, both corners included.
inline PixelRect SpanOf(PixelPoint a, PixelPoint b) noexcept {
    return PixelRect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
}

// The smallest rectangle holding every point, grown by `by` on each side.
template <class Points>
PixelRect BoundsOf(const Points& points, int by) noexcept {
    PixelRect r{};
    bool first = true;
    for (const PixelPoint& p : points) {
        const PixelRect one{p.x - by, p.y - by, p.x + by + 1, p.y + by + 1};
        r = first ? one : Union(r, one);
        first = false;
    }
    return r;
}

// Squared distance from `p` to the segment a-b.
double DistanceSquaredToSegment(PixelPoint p, PixelPoint a, PixelPoint b) noexcept;

}  // namespace snapora::editor
