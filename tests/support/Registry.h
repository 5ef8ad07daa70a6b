#pragma once
// Registry values changed for the length of one test.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace snapora::test {

// Sets or removes one registry value for the length of a test and puts the
// old state back afterwards, removing keys it had to create.
class RegistryValueOverride {
public:
    RegistryValueOverride(HKEY root, std::wstring keyPath, std::wstring valueName);
    ~RegistryValueOverride();
    RegistryValueOverride(const RegistryValueOverride&) = delete;
    RegistryValueOverride& operator=(const RegistryValueOverride&) = delete;

    bool SetString(const std::wstring& text, DWORD type = REG_SZ);
    bool SetRaw(DWORD type, const void* data, DWORD size);
    void Remove();

private:
    HKEY root_;
    std::wstring keyPath_;
    std::wstring valueName_;
    std::vector<std::wstring> createdKeys_;  // deepest last
    std::optional<std::pair<DWORD, std::vector<BYTE>>> previous_;
};

// Deletes the settings kept between runs, so the next start has defaults.
void ForgetStoredSettings();

}  // namespace snapora::test
