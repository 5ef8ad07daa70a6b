#pragma once
// The capture settings as the values kept between runs, and back. Each
// stored setting is one row: its name, its type and its rule. A value that
// is missing, of the wrong type or refused by the rule leaves the field at
// its default (CaptureSettings' own), and the others still count. The
// capture keys are kept under the names of their rows in kCaptureKeys,
// after these.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "frame/logic/CaptureSettings.h"

namespace snapora {

// The registry's types as far as they matter here: Number is a 32-bit
// number, Text a string; Other is anything else, or data too long to read.
enum class StoredType { Missing, Number, Text, Other };

struct StoredValue {
    StoredType type = StoredType::Missing;
    std::uint32_t number = 0;
    std::wstring text;  // every UTF-16 unit of the data, terminator included if stored

    friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// One stored setting. `load` takes the value into `settings` when it is of
// the row's type and passes the same check as the options dialog's field;
// `store` gives the value to keep.
struct StoredSetting {
    std::wstring_view name;
    StoredType type;
    void (*load)(const StoredValue& value, CaptureSettings& settings);
    StoredValue (*store)(const CaptureSettings& settings);
};

namespace stored_rules {
void LoadPrefix(const StoredValue& value, CaptureSettings& settings);
void LoadInterval(const StoredValue& value, CaptureSettings& settings);   // seconds
void LoadDuration(const StoredValue& value, CaptureSettings& settings);   // minutes, as the dialog shows them
void LoadFolder(const StoredValue& value, CaptureSettings& settings);
void LoadHeight(const StoredValue& value, CaptureSettings& settings);     // pixels
void LoadWidth(const StoredValue& value, CaptureSettings& settings);      // pixels
void LoadFormat(const StoredValue& value, CaptureSettings& settings);     // a format's stored name
void LoadRange(const StoredValue& value, CaptureSettings& settings);      // place in kScreenRanges
void LoadDrawingColour(const StoredValue& value, CaptureSettings& settings);  // a COLORREF
void LoadDrawingWidth(const StoredValue& value, CaptureSettings& settings);   // pixels
void LoadTextSize(const StoredValue& value, CaptureSettings& settings);       // one of kDrawingTextSizes
void LoadDrawingBar(const StoredValue& value, CaptureSettings& settings);     // 1 shown, 0 hidden
void LoadNotificationIcon(const StoredValue& value, CaptureSettings& settings);  // 1 shows it, 0 not
StoredValue StorePrefix(const CaptureSettings& settings);
StoredValue StoreInterval(const CaptureSettings& settings);
StoredValue StoreDuration(const CaptureSettings& settings);
StoredValue StoreFolder(const CaptureSettings& settings);
StoredValue StoreHeight(const CaptureSettings& settings);
StoredValue StoreWidth(const CaptureSettings& settings);
StoredValue StoreFormat(const CaptureSettings& settings);
StoredValue StoreRange(const CaptureSettings& settings);
StoredValue StoreDrawingColour(const CaptureSettings& settings);
StoredValue StoreDrawingWidth(const CaptureSettings& settings);
StoredValue StoreTextSize(const CaptureSettings& settings);
StoredValue StoreDrawingBar(const CaptureSettings& settings);
StoredValue StoreNotificationIcon(const CaptureSettings& settings);
}  // namespace stored_rules

inline constexpr std::array<StoredSetting, 13> kStoredSettings{{
    {L"AutomaticPrefix", StoredType::Text, &stored_rules::LoadPrefix, &stored_rules::StorePrefix},
    {L"AutomaticInterval", StoredType::Number, &stored_rules::LoadInterval, &stored_rules::StoreInterval},
    {L"AutomaticDuration", StoredType::Text, &stored_rules::LoadDuration, &stored_rules::StoreDuration},
    {L"AutomaticFolder", StoredType::Text, &stored_rules::LoadFolder, &stored_rules::StoreFolder},
    {L"PointerAreaHeight", StoredType::Number, &stored_rules::LoadHeight, &stored_rules::StoreHeight},
    {L"PointerAreaWidth", StoredType::Number, &stored_rules::LoadWidth, &stored_rules::StoreWidth},
    {L"AutomaticFormat", StoredType::Text, &stored_rules::LoadFormat, &stored_rules::StoreFormat},
    {L"ScreenRange", StoredType::Number, &stored_rules::LoadRange, &stored_rules::StoreRange},
    {L"DrawingColour", StoredType::Number, &stored_rules::LoadDrawingColour, &stored_rules::StoreDrawingColour},
    {L"DrawingWidth", StoredType::Number, &stored_rules::LoadDrawingWidth, &stored_rules::StoreDrawingWidth},
    {L"DrawingTextSize", StoredType::Number, &stored_rules::LoadTextSize, &stored_rules::StoreTextSize},
    {L"DrawingBar", StoredType::Number, &stored_rules::LoadDrawingBar, &stored_rules::StoreDrawingBar},
    {L"NotificationIcon", StoredType::Number, &stored_rules::LoadNotificationIcon,
     &stored_rules::StoreNotificationIcon},
}};

struct StoredField {
    std::wstring_view name;
    StoredType type;
};

// Every stored value by name: the settings above, then the capture keys.
inline constexpr std::array<StoredField, kStoredSettings.size() + kCaptureKeys.size()> kStoredFields = [] {
    std::array<StoredField, kStoredSettings.size() + kCaptureKeys.size()> fields{};
    std::size_t next = 0;
    for (const StoredSetting& setting : kStoredSettings) fields[next++] = {setting.name, setting.type};
    for (const CaptureKeyRow& key : kCaptureKeys) fields[next++] = {key.storedName, StoredType::Number};
    return fields;
}();

using StoredValues = std::array<StoredValue, kStoredFields.size()>;

// The place of a stored value in StoredValues, by its name; the size of
// the list for a name it does not have.
std::size_t StoredIndex(std::wstring_view name);

CaptureSettings SettingsFromStored(const StoredValues& values);
StoredValues StoredFromSettings(const CaptureSettings& settings);

}  // namespace snapora
