#pragma once
// Where the pointer-area preview copies from.
#include "capture/logic/ScreenMath.h"

namespace snapora {

// Rounds to the nearest integer, a half going to the even neighbour.
double RoundHalfToEven(double value);

// Top-left corner of the width x height area for the pointer at (px, py) on
// a screen of screenWidth x screenHeight pixels. The area is centred on the
// pointer, but snaps to the left (top) edge as soon as the pointer is closer
// to it than a whole area width (height), and to the right (bottom) edge when
// closer than half of it; the right and bottom rules win.
PixelPoint PointerAreaCorner(int px, int py, double width, double height, int screenWidth, int screenHeight);

}  // namespace snapora
