#include "pin/logic/PinGeometry.h"

#include <cstdint>

namespace snapora {

namespace {

// One side moved to lie within [start, start + length), or at its start
// when it is longer.
int FitSide(int position, int size, int start, int length) {
    if (size >= length || position < start) return start;
    if (position + size > start + length) return start + length - size;
    return position;
}

int RoundedRatio(std::int64_t value, std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t scaled = value * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / denominator : -((-scaled + half) / denominator));
}

}  // namespace

std::size_t PinZoomStepAfter(std::size_t step, int notches) {
    const std::int64_t last = static_cast<std::int64_t>(kPinZoomSteps.size()) - 1;
    std::int64_t next = static_cast<std::int64_t>(step < kPinZoomSteps.size() ? step : kPinFullSizeStep) + notches;
    if (next < 0) next = 0;
    if (next > last) next = last;
    return static_cast<std::size_t>(next);
}

PixelSize PinShownSize(PixelSize picture, int percent) {
    const auto side = [percent](int length) { return MaxValue(1, RoundedRatio(length, percent, 100)); };
    return {side(picture.width), side(picture.height)};
}

PixelRect ZoomPinAbout(const PixelRect& shown, PixelPoint pointer, PixelSize picture, int percent) {
    const PixelSize size = PinShownSize(picture, percent);
    // The pointer's offset into the window scales with the window.
    const int left = pointer.x - RoundedRatio(pointer.x - shown.left, size.width, MaxValue(1, shown.Width()));
    const int top = pointer.y - RoundedRatio(pointer.y - shown.top, size.height, MaxValue(1, shown.Height()));
    return {left, top, left + size.width, top + size.height};
}

PixelRect UnfittedPin(PixelSize picture, std::optional<PixelPoint> origin, PixelPoint pointer) {
    const PixelPoint corner =
        origin.value_or(PixelPoint{pointer.x - picture.width / 2, pointer.y - picture.height / 2});
    return {corner.x, corner.y, corner.x + picture.width, corner.y + picture.height};
}

PixelRect PlaceNewPin(PixelSize picture, std::optional<PixelPoint> origin, PixelPoint pointer,
                      const PixelRect& monitor) {
    const PixelRect unfitted = UnfittedPin(picture, origin, pointer);
    const int left = FitSide(unfitted.left, picture.width, monitor.left, monitor.Width());
    const int top = FitSide(unfitted.top, picture.height, monitor.top, monitor.Height());
    return {left, top, left + picture.width, top + picture.height};
}

}  // namespace snapora
