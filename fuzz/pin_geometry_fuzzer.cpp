// Any picture, pointer, monitor and wheel turns for a pin: a new pin lies
// wholly on a monitor it fits, and every zoom shows the picture at its
// step's size.
#include <cstdint>

#include "FuzzInput.h"
#include "pin/logic/PinGeometry.h"

using snapora::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace snapora;
    fuzz::Input input(data, size);
    const PixelSize picture{input.TakeInt(1, 20000), input.TakeInt(1, 20000)};
    const int monitorLeft = input.TakeInt(-20000, 20000);
    const int monitorTop = input.TakeInt(-20000, 20000);
    const PixelRect monitor{monitorLeft, monitorTop, monitorLeft + input.TakeInt(1, 20000),
                            monitorTop + input.TakeInt(1, 20000)};
    const PixelPoint pointer{input.TakeInt(-40000, 40000), input.TakeInt(-40000, 40000)};
    std::optional<PixelPoint> origin;
    if (input.TakeInt(0, 1)) origin = PixelPoint{input.TakeInt(-40000, 40000), input.TakeInt(-40000, 40000)};

    PixelRect shown = PlaceNewPin(picture, origin, pointer, monitor);
    Check(shown.Width() == picture.width && shown.Height() == picture.height);
    if (picture.width <= monitor.Width()) Check(shown.left >= monitor.left && shown.right <= monitor.right);
    if (picture.height <= monitor.Height()) Check(shown.top >= monitor.top && shown.bottom <= monitor.bottom);

    std::size_t step = kPinFullSizeStep;
    for (int turn = 0; turn < 4; ++turn) {
        step = PinZoomStepAfter(step, input.TakeInt(-20, 20));
        Check(step < kPinZoomSteps.size());
        const PixelPoint at{shown.left + input.TakeInt(0, shown.Width() - 1), shown.top + input.TakeInt(0, shown.Height() - 1)};
        shown = ZoomPinAbout(shown, at, picture, kPinZoomSteps[step]);
        const PixelSize expected = PinShownSize(picture, kPinZoomSteps[step]);
        Check(shown.Width() == expected.width && shown.Height() == expected.height && shown.Width() >= 1);
    }
    return 0;
}
