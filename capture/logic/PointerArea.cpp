#include "capture/logic/PointerArea.h"

#include <cmath>

namespace snapora {

namespace {

int ToInt(double value) { return static_cast<int>(value); }

}  // namespace

double RoundHalfToEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction < 0.5) return lower;
    if (fraction > 0.5) return lower + 1;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

PixelPoint PointerAreaCorner(int px, int py, double width, double height, int screenWidth, int screenHeight) {
    double x = px - width / 2;
    double y = RoundHalfToEven(py - height / 2);
    if (px < width) x = 0;
    if (py < height) y = 0;
    if (screenWidth - px < width / 2) x = screenWidth - width;
    if (screenHeight - py < height / 2) y = RoundHalfToEven(screenHeight - height);
    return {ToInt(RoundHalfToEven(x)), ToInt(y)};
}

}  // namespace snapora
