#pragma once
// Where a pinned picture sits and how large it is shown: the zoom steps,
// zooming about the pointer, and the first place on its monitor.
#include <array>
#include <cstddef>
#include <optional>

#include "picture/logic/PixelGeometry.h"

namespace snapora {

// The zoom steps in percent. A wheel notch moves one step, so a notch in
// and a notch out always come back to the step they left.
inline constexpr std::array<int, 14> kPinZoomSteps{10, 15, 20, 25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400};
inline constexpr std::size_t kPinFullSizeStep = 8;
static_assert(kPinZoomSteps[kPinFullSizeStep] == 100);

// The step `notches` away from `step` (positive zooms in), held to the ends.
std::size_t PinZoomStepAfter(std::size_t step, int notches);

// The picture's size shown at `percent`, at least one pixel each way.
PixelSize PinShownSize(PixelSize picture, int percent);

// The window showing the picture at `percent`, moved so that the picture's
// point under `pointer` stays under it.
PixelRect ZoomPinAbout(const PixelRect& shown, PixelPoint pointer, PixelSize picture, int percent);

// Where a new pin would go on an endless desktop: at `origin` (where the
// picture was on the screen) when known, otherwise centred on `pointer`.
PixelRect UnfittedPin(PixelSize picture, std::optional<PixelPoint> origin, PixelPoint pointer);

// Where a new pin goes: the unfitted place moved wholly inside `monitor`,
// or to its top-left corner when it is larger.
PixelRect PlaceNewPin(PixelSize picture, std::optional<PixelPoint> origin, PixelPoint pointer,
                      const PixelRect& monitor);

}  // namespace snapora
