#include "settings/logic/StoredSettings.h"

#include <cmath>
#include <optional>

#include "settings/logic/OptionsRules.h"

namespace snapora {

namespace {

StoredValue Text(std::wstring value) { return {StoredType::Text, 0, std::move(value)}; }
StoredValue Number(std::uint32_t value) { return {StoredType::Number, value, {}}; }

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
        const StoredValue& value = values[kStoredSettings.size() + row];
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

namespace stored_rules {

void LoadPrefix(const StoredValue& value, CaptureSettings& settings) {
    if (const auto prefix = TextOf(value); prefix && IsValidPrefix(*prefix)) settings.automaticPrefix = *prefix;
}
void LoadInterval(const StoredValue& value, CaptureSettings& settings) {
    if (const auto seconds = NumberFor(value, OptionsField::Interval)) settings.automaticIntervalMs = *seconds * 1000u;
}
void LoadDuration(const StoredValue& value, CaptureSettings& settings) {
    if (const auto minutes = TextOf(value); minutes && FieldPasses(OptionsField::Duration, *minutes)) {
        settings.automaticDuration = DurationSeconds(ParseFieldNumber(*minutes).value_or(0));
    }
}
void LoadFolder(const StoredValue& value, CaptureSettings& settings) {
    if (const auto folder = TextOf(value); folder && IsValidFolderName(*folder)) settings.automaticFolder = *folder;
}
void LoadHeight(const StoredValue& value, CaptureSettings& settings) {
    if (const auto height = NumberFor(value, OptionsField::Height)) settings.pointerAreaHeight = *height;
}
void LoadWidth(const StoredValue& value, CaptureSettings& settings) {
    if (const auto width = NumberFor(value, OptionsField::Width)) settings.pointerAreaWidth = static_cast<float>(*width);
}
void LoadFormat(const StoredValue& value, CaptureSettings& settings) {
    if (const auto name = TextOf(value)) settings.automaticFormat = AutomaticFormatFromStoredName(*name);
}
void LoadRange(const StoredValue& value, CaptureSettings& settings) {
    if (value.type == StoredType::Number && value.number < kScreenRanges.size()) {
        settings.screenRange = kScreenRanges[value.number];
    }
}

void LoadDrawingColour(const StoredValue& value, CaptureSettings& settings) {
    // A COLORREF names a colour only with its top byte clear.
    if (value.type == StoredType::Number && value.number <= 0xFFFFFFu) settings.drawing.colour = value.number;
}
void LoadDrawingWidth(const StoredValue& value, CaptureSettings& settings) {
    if (value.type == StoredType::Number && value.number >= std::uint32_t(kMinimumDrawingWidth) &&
        value.number <= std::uint32_t(kMaximumDrawingWidth)) {
        settings.drawing.width = static_cast<int>(value.number);
    }
}
void LoadTextSize(const StoredValue& value, CaptureSettings& settings) {
    if (value.type != StoredType::Number) return;
    for (const int size : kDrawingTextSizes) {
        if (value.number == std::uint32_t(size)) settings.drawing.textSize = size;
    }
}
void LoadDrawingBar(const StoredValue& value, CaptureSettings& settings) {
    if (value.type == StoredType::Number && value.number <= 1) settings.drawing.barShown = value.number == 1;
}

StoredValue StorePrefix(const CaptureSettings& settings) { return Text(settings.automaticPrefix); }
StoredValue StoreInterval(const CaptureSettings& settings) { return Number(settings.automaticIntervalMs / 1000u); }
StoredValue StoreDuration(const CaptureSettings& settings) {
    return Text(TextsFromSettings(settings, settings.automaticIntervalMs).duration);
}
StoredValue StoreFolder(const CaptureSettings& settings) { return Text(settings.automaticFolder); }
StoredValue StoreHeight(const CaptureSettings& settings) {
    return Number(static_cast<std::uint32_t>(std::lround(settings.pointerAreaHeight)));
}
StoredValue StoreWidth(const CaptureSettings& settings) {
    return Number(static_cast<std::uint32_t>(std::lround(settings.pointerAreaWidth)));
}
void LoadNotificationIcon(const StoredValue& value, CaptureSettings& settings) {
    settings.notificationIcon = value.type == StoredType::Number && value.number == 1;
}

StoredValue StoreNotificationIcon(const CaptureSettings& settings) { return Number(settings.notificationIcon ? 1u : 0u); }

StoredValue StoreFormat(const CaptureSettings& settings) {
    return Text(std::wstring(PictureFormatRowOf(settings.automaticFormat).storedName));
}
StoredValue StoreRange(const CaptureSettings& settings) {
    return Number(static_cast<std::uint32_t>(settings.screenRange));
}

StoredValue StoreDrawingColour(const CaptureSettings& settings) { return Number(settings.drawing.colour); }
StoredValue StoreDrawingWidth(const CaptureSettings& settings) {
    return Number(static_cast<std::uint32_t>(settings.drawing.width));
}
StoredValue StoreTextSize(const CaptureSettings& settings) {
    return Number(static_cast<std::uint32_t>(settings.drawing.textSize));
}
StoredValue StoreDrawingBar(const CaptureSettings& settings) { return Number(settings.drawing.barShown ? 1 : 0); }

}  // namespace stored_rules

std::size_t StoredIndex(std::wstring_view name) {
    for (std::size_t i = 0; i < kStoredFields.size(); ++i) {
        if (kStoredFields[i].name == name) return i;
    }
    return kStoredFields.size();
}

CaptureSettings SettingsFromStored(const StoredValues& values) {
    CaptureSettings settings;
    for (std::size_t i = 0; i < kStoredSettings.size(); ++i) kStoredSettings[i].load(values[i], settings);
    settings.hotkeys = HotkeysFrom(values);
    return settings;
}

StoredValues StoredFromSettings(const CaptureSettings& settings) {
    StoredValues values;
    for (std::size_t i = 0; i < kStoredSettings.size(); ++i) values[i] = kStoredSettings[i].store(settings);
    for (std::size_t row = 0; row < kHotkeyCaptureCount; ++row) {
        values[kStoredSettings.size() + row] = Number(PackHotkey(settings.hotkeys[row]));
    }
    return values;
}

}  // namespace snapora
