// Any press, moves and release on the overlay: the read-out keeps its four
// lines, the label sits beside the bottom-right corner, the outline strips
// never overlap, and a captured block is exactly the dragged rectangle.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "capture/logic/RectangleSelection.h"

namespace {

snapora::PixelPoint TakePoint(snapora::fuzz::Input& input) {
    return {input.TakeInt(-100, 40000), input.TakeInt(-100, 40000)};
}

}  // namespace

using snapora::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace snapora;
    fuzz::Input input(data, size);
    RectangleDrag drag;
    const PixelPoint start = TakePoint(input);
    drag.Press(start);
    bool moved = false;
    PixelPoint lastMove;
    while (input.Size() > 8) {
        const PixelPoint p = TakePoint(input);
        moved = true;
        lastMove = p;
        const auto move = drag.MoveTo(p);
        Check(move.has_value());
        const std::wstring label = PositionLabelText(start, p);
        std::size_t lines = 1;
        for (std::size_t i = 0; i + 1 < label.size(); ++i) {
            if (label[i] == L'\r' && label[i + 1] == L'\n') ++lines;
        }
        Check(lines == 4);
        const PixelPoint origin = PositionLabelOrigin(start, p);
        Check(origin.x == (start.x > p.x ? start.x : p.x) + 4);
        Check(origin.y == (start.y > p.y ? start.y : p.y) + 4);

        const OutlineStrips outline = OutlineBetween(start, p);
        Check(outline.count >= 1 && outline.count <= 4);
        for (int i = 0; i < outline.count; ++i) {
            const PixelRect& a = outline.strips[static_cast<std::size_t>(i)];
            Check(a.Width() > 0 && a.Height() > 0);
            for (int j = i + 1; j < outline.count; ++j) {
                const PixelRect& b = outline.strips[static_cast<std::size_t>(j)];
                const bool disjoint = a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
                Check(disjoint);
            }
        }
    }
    const PixelPoint end = TakePoint(input);
    // The selection is the last outline drawn; with no move, the release
    // point is the other corner.
    const PixelPoint last = moved ? lastMove : end;
    const auto release = drag.ReleaseAt(end);
    Check(!drag.Dragging());
    Check(release.kind != RectangleDrag::ReleaseKind::Ignored);
    if (end == start) Check(release.kind == RectangleDrag::ReleaseKind::Click);
    if (release.kind == RectangleDrag::ReleaseKind::Capture) {
        const SelectionSpan span = SpanBetween(start, last);
        Check(span.w > 0 && span.h > 0);
        Check(release.width == span.w + 1 && release.height == span.h + 1);
        Check(release.corner.x == (start.x < last.x ? start.x : last.x));
        Check(release.corner.y == (start.y < last.y ? start.y : last.y));
    }
    return 0;
}
