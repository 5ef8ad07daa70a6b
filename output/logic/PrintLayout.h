#pragma once
// Where a picture goes on a printed page: orientation by its shape, then
// scaled without distortion until it fills the printable width or height.
#include <optional>

namespace snapora {

enum class PageOrientation : short { Portrait = 1, Landscape = 2 };

// Portrait for a picture at least as high as it is wide.
PageOrientation OrientationForPicture(int width, int height);

// A length in some device's units, and how many of those make an inch in
// each direction (screen pixels at the screen's DPI, printer dots at the
// printer's). Physical size, and so HIMETRIC, follows from both.
struct DeviceExtent {
    int width = 0;
    int height = 0;
    int unitsPerInchX = 0;
    int unitsPerInchY = 0;
};

struct PrintedSize {
    int width = 0;   // printer units
    int height = 0;  // printer units
    bool fillsWidth = false;
    friend bool operator==(const PrintedSize&, const PrintedSize&) = default;
};

// The printed size of `picture` in the printer's units when it fills the
// printable `area`. Ratios are those of the physical (HIMETRIC) sizes, so
// non-square dots distort nothing; equal ratios fill the width. Empty for
// an empty picture or area, or sizes beyond what a page can take.
std::optional<PrintedSize> FitToPrintableArea(const DeviceExtent& picture, const DeviceExtent& area);

}  // namespace snapora
