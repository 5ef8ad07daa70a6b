#include "output/logic/PrintLayout.h"

#include <cmath>
#include <cstdint>

namespace snapora {
namespace {

// These bounds keep every cross product below 2^64.
constexpr int kMaxLength = 1 << 20;
constexpr int kMaxUnitsPerInch = 1 << 13;

bool Usable(const DeviceExtent& e) {
    return e.width > 0 && e.height > 0 && e.width <= kMaxLength && e.height <= kMaxLength && e.unitsPerInchX > 0 &&
           e.unitsPerInchY > 0 && e.unitsPerInchX <= kMaxUnitsPerInch && e.unitsPerInchY <= kMaxUnitsPerInch;
}

int RoundToUnits(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

PageOrientation OrientationForPicture(int width, int height) {
    return height >= width ? PageOrientation::Portrait : PageOrientation::Landscape;
}

std::optional<PrintedSize> FitToPrintableArea(const DeviceExtent& picture, const DeviceExtent& area) {
    if (!Usable(picture) || !Usable(area)) return std::nullopt;
    using U = std::uint64_t;
    // Physical ratio width/height of an extent is (w / ux) / (h / uy) =
    // w*uy / (h*ux). Comparing the two ratios by cross products in integers
    // keeps "equal" exact, where floating point would make it a coin toss.
    const U pictureTop = U(picture.width) * U(picture.unitsPerInchY);
    const U pictureBottom = U(picture.height) * U(picture.unitsPerInchX);
    const U areaTop = U(area.width) * U(area.unitsPerInchY);
    const U areaBottom = U(area.height) * U(area.unitsPerInchX);
    const bool fillsWidth = pictureTop * areaBottom >= areaTop * pictureBottom;

    // pictureRatio = pictureTop / pictureBottom in physical terms.
    const double pictureRatio = static_cast<double>(pictureTop) / static_cast<double>(pictureBottom);
    PrintedSize printed;
    printed.fillsWidth = fillsWidth;
    if (fillsWidth) {
        printed.width = area.width;
        // width in inches / ratio, back into vertical printer units.
        const double inches = static_cast<double>(area.width) / area.unitsPerInchX / pictureRatio;
        printed.height = RoundToUnits(inches * area.unitsPerInchY);
    } else {
        printed.height = area.height;
        const double inches = static_cast<double>(area.height) / area.unitsPerInchY * pictureRatio;
        printed.width = RoundToUnits(inches * area.unitsPerInchX);
    }
    if (printed.width <= 0) printed.width = 1;
    if (printed.height <= 0) printed.height = 1;
    return printed;
}

}  // namespace snapora
