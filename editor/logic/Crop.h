#pragma once
// Crop geometry: the area a drag selects, and splitting a picture into the
// part kept and the pixels removed (kept by the undo step) and back.
#include <cstdint>
#include <vector>

#include "editor/logic/Shape.h"

namespace snapora::editor {

// The part of a width x height picture that a drag from `from` to `to`
// selects, both corners included; empty when nothing of the picture is
// selected, or when the whole picture is (a crop that changes nothing).
PixelRect CropArea(PixelPoint from, PixelPoint to, int width, int height);

// Copies the pixels of `area` from `image` into `kept` (area-sized rows) and
// every other pixel, row by row, into `removed`.
void SplitCrop(const ImageView& image, const PixelRect& area, std::uint32_t* kept, std::vector<std::uint32_t>& removed);

// The inverse: writes the whole picture into `whole` from the kept part and
// the removed pixels.
void JoinCrop(const ImageView& kept, const PixelRect& area, int width, int height, const std::vector<std::uint32_t>& removed,
              std::uint32_t* whole);

}  // namespace snapora::editor
