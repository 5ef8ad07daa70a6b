#include "settings/HotkeyNames.h"

#include <windows.h>

#include <array>

#include "frame/Texts.h"
#include "settings/SettingsResource.h"

namespace snapora {

namespace {

constexpr std::array<UINT, kHotkeyCaptureCount> kRowNames{IDS_HOTKEY_NAME_RECTANGLE, IDS_HOTKEY_NAME_ENTIRE_SCREEN,
                                                          IDS_HOTKEY_NAME_WINDOW, IDS_HOTKEY_NAME_PIN};

bool IsExtendedKey(unsigned key) {
    return key == VK_SNAPSHOT || (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE ||
           key == VK_DIVIDE || key == VK_NUMLOCK || key == VK_APPS;
}

}  // namespace

std::wstring HotkeyName(const Hotkey& key) {
    std::wstring name;
    if (key.modifiers & hotkey_modifier::kControl) name += L"Ctrl+";
    if (key.modifiers & hotkey_modifier::kAlt) name += L"Alt+";
    if (key.modifiers & hotkey_modifier::kShift) name += L"Shift+";
    const UINT scan = ::MapVirtualKeyW(key.key, MAPVK_VK_TO_VSC);
    const LONG code = static_cast<LONG>((scan << 16) | (IsExtendedKey(key.key) ? 1u << 24 : 0u));
    wchar_t keyName[64] = {};
    if (::GetKeyNameTextW(code, keyName, ARRAYSIZE(keyName)) > 0) return name + keyName;
    return name + L"#" + std::to_wstring(key.key);
}

std::wstring ActiveHotkeysText(const CaptureHotkeys& keys, const HotkeyAvailability& available) {
    std::wstring text;
    for (std::size_t row = 0; row < keys.size(); ++row) {
        if (keys[row].IsNone() || !available[row]) continue;
        if (!text.empty()) text += L'\n';
        text += LoadText(kRowNames[row]) + L": " + HotkeyName(keys[row]);
    }
    return text.empty() ? LoadText(IDS_HOTKEY_NONE_ACTIVE) : text;
}

}  // namespace snapora
