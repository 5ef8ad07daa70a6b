#include "settings/SettingsStore.h"

#include <windows.h>

#include <string>

#include "settings/StartWithWindows.h"
#include "settings/logic/OptionsRules.h"
#include "win32/Handle.h"

namespace snapora {

namespace {

// Longer strings are refused anyway; they are not read at all.
constexpr DWORD kMaxTextBytes = (kMaxNameLength + 64) * sizeof(wchar_t);

StoredValue ReadNumber(HKEY key, const wchar_t* name) {
    DWORD number = 0;
    DWORD type = 0;
    DWORD size = sizeof(number);
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(number)) {
        return {StoredType::Other, 0, {}};
    }
    return {StoredType::Number, number, {}};
}

StoredValue ReadText(HKEY key, const wchar_t* name, DWORD size) {
    std::wstring text((size + 1) / sizeof(wchar_t), L'\0');
    DWORD type = 0;
    DWORD read = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &read) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return {StoredType::Other, 0, {}};
    }
    text.resize(read / sizeof(wchar_t));
    return {StoredType::Text, 0, std::move(text)};
}

StoredValue ReadValue(HKEY key, std::wstring_view viewName) {
    const std::wstring name(viewName);
    DWORD type = 0;
    DWORD size = 0;
    const LSTATUS status = ::RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return {};
    if (status != ERROR_SUCCESS) return {StoredType::Other, 0, {}};
    if (type == REG_DWORD) return ReadNumber(key, name.c_str());
    if (type == REG_SZ && size <= kMaxTextBytes) return ReadText(key, name.c_str(), size);
    return {StoredType::Other, 0, {}};
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
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &opened) == ERROR_SUCCESS) {
        const win32::UniqueRegKey key(opened);
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
