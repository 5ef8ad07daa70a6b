#include "settings/SettingsStore.h"

#include <windows.h>

#include <string>

#include "settings/StartWithWindows.h"
#include "settings/logic/OptionsRules.h"
#include "win32/Handle.h"
#include "win32/Registry.h"

namespace snapora {

namespace {

// Longer strings are refused anyway; they are not read at all.
constexpr DWORD kMaxTextBytes = (kMaxNameLength + 64) * sizeof(wchar_t);

StoredValue ReadValue(HKEY key, std::wstring_view viewName) {
    const std::wstring name(viewName);
    win32::RegistryValue read = win32::ReadRegistryValue(key, name.c_str(), kMaxTextBytes);
    switch (read.kind) {
        case win32::RegistryKind::Missing:
            return {};
        case win32::RegistryKind::Number:
            return {StoredType::Number, read.number, {}};
        case win32::RegistryKind::Text:
            return {StoredType::Text, 0, std::move(read.units)};
        default:
            return {StoredType::Other, 0, {}};
    }
}

bool WriteValue(HKEY key, std::wstring_view viewName, const StoredValue& value) {
    const std::wstring name(viewName);
    if (value.type == StoredType::Number) {
        const DWORD number = value.number;
        return ::RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                sizeof(number)) == ERROR_SUCCESS;
    }
    return ::RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                            static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace

CaptureSettings LoadStoredSettings() {
    StoredValues values;
    if (const win32::UniqueRegKey key = win32::OpenKeyToRead(HKEY_CURRENT_USER, kSettingsKeyPath)) {
        for (std::size_t i = 0; i < kStoredFields.size(); ++i) values[i] = ReadValue(key.get(), kStoredFields[i].name);
    }
    CaptureSettings settings = SettingsFromStored(values);
    settings.startWithWindows = StartsWithWindows();
    return settings;
}

void SaveStoredSettings(const CaptureSettings& settings) {
    // Written again each time, so it names the program where it is now.
    (void)SetStartWithWindows(settings.startWithWindows);
    HKEY created = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                          nullptr, &created, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const win32::UniqueRegKey key(created);
    const StoredValues values = StoredFromSettings(settings);
    for (std::size_t i = 0; i < kStoredFields.size(); ++i) {
        // A registry that refuses one value will refuse the rest.
        if (!WriteValue(key.get(), kStoredFields[i].name, values[i])) return;
    }
}

}  // namespace snapora
