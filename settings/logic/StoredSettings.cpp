#include "settings/logic/StoredSettings.h"

#include <cmath>
#include <optional>

#include "settings/logic/OptionsRules.h"

namespace snapora {

namespace {

enum Slot : std::size_t { kPrefix, kInterval, kDuration, kFolder, kHeight, kWidth, kFirstHotkey, kFormat = 10, kNotificationIcon };
static_assert(kFormat == kFirstHotkey + kHotkeyCaptureCount);

// The automatic format's stored name; anything else read back is BMP.
std::wstring_view StoredFormatName(PictureFormat format) { return format == PictureFormat::Png ? L"PNG" : L"BMP"; }

// A string value as the system hands it to programs: up to its first NUL.
std::optional<std::wstring> TextOf(const StoredValue& value) {
    if (value.type != StoredType::Text) return std::nullopt;
    return value.text.substr(0, value.text.find(L'\0'));
}

// A whole number that passes the dialog's check of `field`.
std::optional<std::uint32_t> NumberFor(const StoredValue& value, OptionsField field) {
    if (value.type != StoredType::Number || !FieldPasses(field, std::to_wstring(value.number))) return std::nullopt;
    return value.number;
}

// A row whose key an earlier row already has takes its default instead, or
// no key when that clashes too: two rows never share a key.
CaptureHotkeys HotkeysFrom(const StoredValues& values) {
    CaptureHotkeys hotkeys{};
    for (std::size_t row = 0; row < kHotkeyCaptureCount; ++row) {
        const StoredValue& value = values[kFirstHotkey + row];
        std::optional<Hotkey> stored;
        if (value.type == StoredType::Number) stored = UnpackHotkey(value.number);
        for (const Hotkey candidate : {stored.value_or(kDefaultHotkeys[row]), kDefaultHotkeys[row], Hotkey{}}) {
            hotkeys[row] = candidate;
            if (FindRepeatedHotkey(hotkeys) != row) break;
        }
    }
    return hotkeys;
}

}  // namespace

CaptureSettings SettingsFromStored(const StoredValues& values) {
    CaptureSettings settings;
    if (const auto prefix = TextOf(values[kPrefix]); prefix && IsValidPrefix(*prefix)) {
        settings.automaticPrefix = *prefix;
    }
    if (const auto seconds = NumberFor(values[kInterval], OptionsField::Interval)) {
        settings.automaticIntervalMs = *seconds * 1000u;
    }
    if (const auto minutes = TextOf(values[kDuration]); minutes && FieldPasses(OptionsField::Duration, *minutes)) {
        settings.automaticDuration = DurationSeconds(ParseFieldNumber(*minutes).value_or(0));
    }
    if (const auto folder = TextOf(values[kFolder]); folder && IsValidFolderName(*folder)) {
        settings.automaticFolder = *folder;
    }
    if (const auto height = NumberFor(values[kHeight], OptionsField::Height)) settings.pointerAreaHeight = *height;
    if (const auto width = NumberFor(values[kWidth], OptionsField::Width)) {
        settings.pointerAreaWidth = static_cast<float>(*width);
    }
    settings.hotkeys = HotkeysFrom(values);
    if (const auto format = TextOf(values[kFormat]); format && *format == StoredFormatName(PictureFormat::Png)) {
        settings.automaticFormat = PictureFormat::Png;
    }
    const StoredValue& icon = values[kNotificationIcon];
    settings.notificationIcon = icon.type == StoredType::Number && icon.number == 1;
    return settings;
}

StoredValues StoredFromSettings(const CaptureSettings& settings) {
    const auto text = [](std::wstring value) { return StoredValue{StoredType::Text, 0, std::move(value)}; };
    const auto number = [](std::uint32_t value) { return StoredValue{StoredType::Number, value, {}}; };
    const OptionsTexts shown = TextsFromSettings(settings, settings.automaticIntervalMs);
    StoredValues values;
    values[kPrefix] = text(settings.automaticPrefix);
    values[kInterval] = number(settings.automaticIntervalMs / 1000u);
    values[kDuration] = text(shown.duration);
    values[kFolder] = text(settings.automaticFolder);
    values[kHeight] = number(static_cast<std::uint32_t>(std::lround(settings.pointerAreaHeight)));
    values[kWidth] = number(static_cast<std::uint32_t>(std::lround(settings.pointerAreaWidth)));
    for (std::size_t row = 0; row < kHotkeyCaptureCount; ++row) {
        values[kFirstHotkey + row] = number(PackHotkey(settings.hotkeys[row]));
    }
    values[kFormat] = text(std::wstring(StoredFormatName(settings.automaticFormat)));
    values[kNotificationIcon] = number(settings.notificationIcon ? 1u : 0u);
    return values;
}

}  // namespace snapora
