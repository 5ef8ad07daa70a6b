#include "capture/logic/RectangleSelection.h"

#include <cstdint>

#include "capture/logic/ScreenMath.h"

namespace snapora {

namespace {

int Distance(int a, int b) { return a > b ? a - b : b - a; }

}  // namespace

SelectionSpan SpanBetween(PixelPoint start, PixelPoint last) {
    return {Distance(start.x, last.x), Distance(start.y, last.y)};
}

std::optional<PixelPoint> SelectionCorner(PixelPoint start, PixelPoint last) {
    const SelectionSpan span = SpanBetween(start, last);
    if (start.x <= last.x && start.y <= last.y) return start;
    if (start.x > last.x && start.y > last.y) return last;
    if (start.x < last.x && start.y > last.y) return PixelPoint{start.x, start.y - span.h};
    if (start.x > last.x && start.y < last.y) return PixelPoint{start.x - span.w, start.y};
    return std::nullopt;
}

std::wstring FormatFourDigits(long long value) {
    // Unsigned, so the most negative value has a magnitude too.
    const bool negative = value < 0;
    std::uint64_t magnitude = negative ? 0u - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::wstring digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + magnitude % 10u));
        magnitude /= 10u;
    } while (magnitude != 0u);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), L'0');
    if (negative) digits.insert(digits.begin(), L'-');
    return digits;
}

std::wstring PositionLabelText(PixelPoint start, PixelPoint pointer) {
    const SelectionSpan span = SpanBetween(start, pointer);
    return L"右下角 X=" + FormatFourDigits(pointer.x) + L"\r\n" +  //
           L"右下角 Y=" + FormatFourDigits(pointer.y) + L"\r\n" +  //
           L"区域宽度=" + FormatFourDigits(static_cast<long long>(span.w) + 1) + L"\r\n" +
           L"区域高度=" + FormatFourDigits(static_cast<long long>(span.h) + 1);
}

PixelPoint PositionLabelOrigin(PixelPoint start, PixelPoint last) {
    return {MaxValue(start.x, last.x) + 4, MaxValue(start.y, last.y) + 4};
}

OutlineStrips OutlineBetween(PixelPoint a, PixelPoint b) {
    const int left = a.x < b.x ? a.x : b.x;
    const int right = a.x < b.x ? b.x : a.x;
    const int top = a.y < b.y ? a.y : b.y;
    const int bottom = a.y < b.y ? b.y : a.y;
    OutlineStrips result;
    auto add = [&result](PixelRect rect) {
        if (rect.Width() > 0 && rect.Height() > 0) result.strips[static_cast<std::size_t>(result.count++)] = rect;
    };
    // Top and bottom rows run the full width; the sides fill only the rows
    // between them, so no pixel is in two strips.
    add({left, top, right + 1, top + 1});
    if (bottom != top) add({left, bottom, right + 1, bottom + 1});
    add({left, top + 1, left + 1, bottom});
    if (right != left) add({right, top + 1, right + 1, bottom});
    return result;
}

bool RectangleDrag::Press(PixelPoint point) {
    if (dragging_) return false;
    start_ = point;
    dragging_ = true;
    return true;
}

std::optional<RectangleDrag::Move> RectangleDrag::MoveTo(PixelPoint point) {
    if (!dragging_) return std::nullopt;
    Move move;
    if (outlineShown_) move.eraseOutlineTo = last_;
    move.drawOutlineTo = point;
    last_ = point;
    outlineShown_ = true;
    return move;
}

RectangleDrag::Release RectangleDrag::ReleaseAt(PixelPoint point) {
    Release release;
    if (!dragging_) return release;
    dragging_ = false;
    if (outlineShown_) release.eraseOutlineTo = last_;
    // Without a single move in between, the release point is the only
    // other corner there is.
    const PixelPoint end = outlineShown_ ? last_ : point;
    outlineShown_ = false;
    last_ = PixelPoint{};
    if (point == start_) {
        release.kind = ReleaseKind::Click;
        return release;
    }
    const SelectionSpan span = SpanBetween(start_, end);
    const std::optional<PixelPoint> corner = SelectionCorner(start_, end);
    if (span.w == 0 || span.h == 0 || !corner) {
        release.kind = ReleaseKind::ZeroSize;
        return release;
    }
    release.kind = ReleaseKind::Capture;
    release.corner = *corner;
    release.width = span.w + 1;
    release.height = span.h + 1;
    return release;
}

void RectangleDrag::Reset() {
    dragging_ = false;
    outlineShown_ = false;
    last_ = PixelPoint{};
}

}  // namespace snapora
