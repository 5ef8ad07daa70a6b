// Any picture, pointer, monitor and wheel turns for a pin, and any command
// line for the start switch: a new pin lies wholly on a monitor it fits,
// every zoom shows the picture at its step's size, and a command the start
// with Windows writes always carries the switch.
#include <cstdint>

#include "FuzzInput.h"
#include "pin/logic/PinGeometry.h"
#include "settings/logic/StartSwitch.h"

using snapora::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace snapora;
    fuzz::Input input(data, size);
    const PixelSize picture{input.TakeInt(1, 20000), input.TakeInt(1, 20000)};
    const PixelRect monitor{input.TakeInt(-20000, 20000), input.TakeInt(-20000, 20000), input.TakeInt(1, 20000),
                            input.TakeInt(1, 20000)};
    const PixelPoint pointer{input.TakeInt(-40000, 40000), input.TakeInt(-40000, 40000)};
    std::optional<PixelPoint> origin;
    if (input.TakeInt(0, 1)) origin = PixelPoint{input.TakeInt(-40000, 40000), input.TakeInt(-40000, 40000)};

    PixelRect shown = PlaceNewPin(picture, origin, pointer, monitor);
    Check(shown.width == picture.width && shown.height == picture.height);
    if (picture.width <= monitor.width) {
        Check(shown.left >= monitor.left && shown.left + shown.width <= monitor.left + monitor.width);
    }
    if (picture.height <= monitor.height) {
        Check(shown.top >= monitor.top && shown.top + shown.height <= monitor.top + monitor.height);
    }

    std::size_t step = kPinFullSizeStep;
    for (int turn = 0; turn < 4; ++turn) {
        step = PinZoomStepAfter(step, input.TakeInt(-20, 20));
        Check(step < kPinZoomSteps.size());
        const PixelPoint at{shown.left + input.TakeInt(0, shown.width - 1), shown.top + input.TakeInt(0, shown.height - 1)};
        shown = ZoomPinAbout(shown, at, picture, kPinZoomSteps[step]);
        const PixelSize expected = PinShownSize(picture, kPinZoomSteps[step]);
        Check(shown.width == expected.width && shown.height == expected.height && shown.width >= 1);
    }

    const std::wstring text = input.TakeWideString(200);
    (void)HasTraySwitch(text);
    if (text.find(L'"') == std::wstring::npos) Check(HasTraySwitch(StartCommandLine(text)));
    return 0;
}
