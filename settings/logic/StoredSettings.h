#pragma once
// The capture settings as the values kept between runs, and back. Each
// stored value is checked by the same rule as its field in the options
// dialog; a value that is missing, of the wrong type or refused gives its
// default, and the others still count.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/logic/CaptureSettings.h"

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

struct StoredField {
    std::wstring_view name;
    StoredType type;
};

// The stored values by name, in the order of StoredValues.
inline constexpr std::array<StoredField, 12> kStoredFields{{
    {L"AutomaticPrefix", StoredType::Text},
    {L"AutomaticInterval", StoredType::Number},  // seconds
    {L"AutomaticDuration", StoredType::Text},    // minutes, as the dialog shows them
    {L"AutomaticFolder", StoredType::Text},
    {L"PointerAreaHeight", StoredType::Number},  // pixels
    {L"PointerAreaWidth", StoredType::Number},   // pixels
    {L"RectangleHotkey", StoredType::Number},    // PackHotkey
    {L"EntireScreenHotkey", StoredType::Number},
    {L"WindowHotkey", StoredType::Number},
    {L"PinHotkey", StoredType::Number},
    {L"AutomaticFormat", StoredType::Text},      // "BMP" or "PNG"
    {L"NotificationIcon", StoredType::Number},   // 1 shows it, 0 not
}};

using StoredValues = std::array<StoredValue, kStoredFields.size()>;

CaptureSettings SettingsFromStored(const StoredValues& values);
StoredValues StoredFromSettings(const CaptureSettings& settings);

}  // namespace snapora
