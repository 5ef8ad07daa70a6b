// Any pointer, area size and screen: the corner is computed without
// undefined behaviour, and whenever the pointer is on a screen large enough
// for the area, the whole area lies on the screen.
#include <cstdint>
#include <cstdlib>

#include "FuzzInput.h"
#include "capture/logic/PointerArea.h"

using snapora::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace snapora;
    fuzz::Input input(data, size);
    const int screenWidth = input.TakeInt(1, 20000);
    const int screenHeight = input.TakeInt(1, 20000);
    const int px = input.TakeInt(-50000, 50000);
    const int py = input.TakeInt(-50000, 50000);
    const double width = input.TakeInt(1, 4000);
    const double height = input.TakeInt(1, 4000);

    const PixelPoint corner = PointerAreaCorner(px, py, width, height, screenWidth, screenHeight);
    const bool onScreen = px >= 0 && py >= 0 && px < screenWidth && py < screenHeight;
    if (onScreen && width <= screenWidth && height <= screenHeight) {
        Check(corner.x >= 0 && corner.x + width <= screenWidth);
        Check(corner.y >= 0 && corner.y + height <= screenHeight);
    }
    return 0;
}
