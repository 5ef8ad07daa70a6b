#include "support/Registry.h"

#include "settings/SettingsStore.h"
#include "win32/Handle.h"

namespace snapora::test {

namespace {

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

}  // namespace

RegistryValueOverride::RegistryValueOverride(HKEY root, std::wstring keyPath, std::wstring valueName)
    : root_(root), keyPath_(std::move(keyPath)), valueName_(std::move(valueName)) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root_, keyPath_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    win32::UniqueRegKey owned(key);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key, valueName_.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return;
    std::vector<BYTE> data(size);
    if (::RegQueryValueExW(key, valueName_.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return;
    data.resize(size);
    previous_ = std::make_pair(type, std::move(data));
}

RegistryValueOverride::~RegistryValueOverride() {
    if (previous_) {
        SetRaw(previous_->first, previous_->second.data(), static_cast<DWORD>(previous_->second.size()));
    } else {
        Remove();
    }
    for (auto it = createdKeys_.rbegin(); it != createdKeys_.rend(); ++it) ::RegDeleteKeyW(root_, it->c_str());
}

bool RegistryValueOverride::SetString(const std::wstring& text, DWORD type) {
    return SetRaw(type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool RegistryValueOverride::SetRaw(DWORD type, const void* data, DWORD size) {
    // Remember each missing key on the way down so that it can go again.
    for (std::size_t pos = 0; pos != std::wstring::npos;) {
        pos = keyPath_.find(L'\\', pos + 1);
        const std::wstring partial = keyPath_.substr(0, pos);
        if (!KeyExists(root_, partial)) {
            HKEY created = nullptr;
            if (::RegCreateKeyExW(root_, partial.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr) !=
                ERROR_SUCCESS) {
                return false;
            }
            ::RegCloseKey(created);
            createdKeys_.push_back(partial);
        }
    }
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root_, keyPath_.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return false;
    win32::UniqueRegKey owned(key);
    return ::RegSetValueExW(key, valueName_.c_str(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

void RegistryValueOverride::Remove() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root_, keyPath_.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    win32::UniqueRegKey owned(key);
    ::RegDeleteValueW(key, valueName_.c_str());
}

void ForgetStoredSettings() { ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKeyPath); }

}  // namespace snapora::test
