#pragma once
// The rectangle dragged out on the frozen screen: its geometry, the read-out
// beside the moving corner, and the bookkeeping of the inverted outline.
// Everything is in the overlay's pixels, (0, 0) at its top-left corner;
// both corners belong to the selection.
#include <array>
#include <optional>
#include <string>

#include "capture/logic/ScreenMath.h"

namespace snapora {

// W = |start.x - last.x| and H = |start.y - last.y|: the selection is W + 1
// by H + 1 pixels.
struct SelectionSpan {
    int w = 0;
    int h = 0;
    friend bool operator==(const SelectionSpan&, const SelectionSpan&) = default;
};
SelectionSpan SpanBetween(PixelPoint start, PixelPoint last);

// The selection's top-left pixel on the frozen picture, found by drag
// direction. Empty when W or H is 0 and no direction applies.
std::optional<PixelPoint> SelectionCorner(PixelPoint start, PixelPoint last);

// A whole number with leading zeros to at least four digits; longer numbers
// keep every digit and a minus sign goes in front.
std::wstring FormatFourDigits(long long value);

// The four lines of the read-out, joined by CR LF: the pointer's position
// and the size of the selection it makes with `start`.
std::wstring PositionLabelText(PixelPoint start, PixelPoint pointer);

// Where the read-out's top-left corner goes: 4 pixels right of and below the
// selection's bottom-right pixel, whichever way the user drags.
PixelPoint PositionLabelOrigin(PixelPoint start, PixelPoint last);

// The outline between two corners as up to four strips that never overlap,
// so inverting each strip once inverts every outline pixel exactly once.
struct OutlineStrips {
    std::array<PixelRect, 4> strips{};
    int count = 0;
};
OutlineStrips OutlineBetween(PixelPoint a, PixelPoint b);

// One press-drag-release on the overlay. It keeps track of whether an
// outline is on the screen by itself instead of reading that from the last
// position, so a drag through (0, 0) never leaves an outline behind.
class RectangleDrag {
public:
    enum class ReleaseKind {
        Ignored,   // no drag was running
        Click,     // released on the press point: no picture
        ZeroSize,  // a line, not a rectangle: try again
        Capture,   // `corner`, `width` x `height` pixels
    };
    struct Release {
        ReleaseKind kind = ReleaseKind::Ignored;
        std::optional<PixelPoint> eraseOutlineTo;  // the outline still on screen
        PixelPoint corner;
        int width = 0;
        int height = 0;
    };
    struct Move {
        std::optional<PixelPoint> eraseOutlineTo;  // the previous outline, if any
        PixelPoint drawOutlineTo;
    };

    // Starts a drag; a second button going down during a drag changes
    // nothing. False when ignored.
    bool Press(PixelPoint point);
    // Empty when no drag runs.
    std::optional<Move> MoveTo(PixelPoint point);
    Release ReleaseAt(PixelPoint point);
    // The overlay went away: nothing is on the screen any more.
    void Reset();

    [[nodiscard]] bool Dragging() const noexcept { return dragging_; }
    [[nodiscard]] bool OutlineShown() const noexcept { return outlineShown_; }
    [[nodiscard]] PixelPoint Start() const noexcept { return start_; }
    [[nodiscard]] PixelPoint Last() const noexcept { return last_; }

private:
    PixelPoint start_;
    PixelPoint last_;
    bool dragging_ = false;
    bool outlineShown_ = false;
};

}  // namespace snapora
