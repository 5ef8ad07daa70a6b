// Any texts in the options dialog's six fields: the checks never crash, a
// number that parses reads back from its own display text, and whatever
// passes every check gives values inside the accepted ranges.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "FuzzInput.h"
#include "settings/logic/OptionsRules.h"
#include "settings/logic/StoredSettings.h"

using snapora::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace snapora;
    fuzz::Input input(data, size);
    OptionsTexts texts;
    texts.prefix = input.TakeWideString(40);
    texts.interval = input.TakeWideString(40);
    texts.duration = input.TakeWideString(40);
    texts.folder = input.TakeWideString(40);
    texts.height = input.TakeWideString(40);
    texts.width = input.TakeWideString(40);

    for (const std::wstring* field : {&texts.interval, &texts.duration, &texts.height, &texts.width}) {
        const auto value = ParseFieldNumber(*field);
        if (!value) continue;
        Check(std::isfinite(*value));
        const auto again = ParseFieldNumber(FormatFieldNumber(*value));
        Check(again.has_value() && *again == *value);
    }
    (void)IsValidFolderName(texts.folder);

    const auto problem = FindOptionsProblem(texts);
    if (problem) {
        Check(problem->page == 1 || problem->page == 2);
        Check(!problem->message.empty());
        return 0;
    }
    const OptionsValues values = ValuesFromTexts(texts);
    Check(values.intervalMs >= 1000 && values.intervalMs <= 60000 && values.intervalMs % 1000 == 0);
    Check(values.automaticDuration > 0 && values.automaticDuration < 3660);
    Check(values.pointerAreaHeight >= 60 && values.pointerAreaHeight <= 480);
    Check(values.pointerAreaWidth >= 80 && values.pointerAreaWidth <= 640);
    Check(IsValidFolderName(values.automaticFolder));
    Check(values.automaticPrefix == texts.prefix);
    // Kept, stored and read back, what was accepted is shown again as a
    // value the dialog accepts, kept as the very same one.
    CaptureSettings settings;
    ApplyValues(values, settings);
    const CaptureSettings loaded = SettingsFromStored(StoredFromSettings(settings));
    Check(loaded.automaticDuration == settings.automaticDuration);
    Check(loaded.automaticPrefix == settings.automaticPrefix);
    const OptionsTexts shown = TextsFromSettings(loaded, values.intervalMs);
    Check(!FindOptionsProblem(shown).has_value());
    Check(ValuesFromTexts(shown).automaticDuration == settings.automaticDuration);
    return 0;
}
