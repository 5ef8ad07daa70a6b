// Any values under the stored settings' names: reading never crashes, what
// it gives passes every check of the options dialog with no key twice, and
// writing it out and reading again gives it back.
#include <cstdint>

#include "FuzzInput.h"
#include "settings/logic/OptionsRules.h"
#include "settings/logic/StoredSettings.h"

using snapora::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace snapora;
    fuzz::Input input(data, size);
    StoredValues values;
    for (StoredValue& value : values) {
        value.type = static_cast<StoredType>(input.TakeInt(0, 3));
        value.number = input.Take<std::uint32_t>();
        value.text = input.TakeWideString(kMaxNameLength + 8);
    }
    const CaptureSettings settings = SettingsFromStored(values);
    Check(!FindOptionsProblem(TextsFromSettings(settings, settings.automaticIntervalMs)).has_value());
    Check(IsValidPrefix(settings.automaticPrefix));
    Check(!FindRepeatedHotkey(settings.hotkeys).has_value());
    for (const Hotkey& key : settings.hotkeys) Check(IsUsableHotkey(key));

    const CaptureSettings again = SettingsFromStored(StoredFromSettings(settings));
    Check(again.automaticIntervalMs == settings.automaticIntervalMs);
    Check(again.automaticPrefix == settings.automaticPrefix);
    Check(again.automaticFolder == settings.automaticFolder);
    Check(again.pointerAreaHeight == settings.pointerAreaHeight);
    Check(again.pointerAreaWidth == settings.pointerAreaWidth);
    Check(again.hotkeys == settings.hotkeys);
    Check(again.automaticFormat == settings.automaticFormat);
    Check(settings.automaticFormat == PictureFormat::Bmp || settings.automaticFormat == PictureFormat::Png);
    Check(again.automaticDuration == settings.automaticDuration);
    return 0;
}
