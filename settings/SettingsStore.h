#pragma once
// The capture settings kept between runs under the user's own registry key.
#include "settings/logic/StoredSettings.h"

namespace snapora {

inline constexpr wchar_t kSettingsKeyPath[] = L"Software\\Snapora";  // below HKEY_CURRENT_USER

// The stored settings; the default of each one that is missing or refused.
CaptureSettings LoadStoredSettings();

// Writes every setting. A registry that cannot be written is left as it is
// and nothing is said: the running program keeps what it applied.
void SaveStoredSettings(const CaptureSettings& settings);

}  // namespace snapora
