#pragma once
// The start with Windows: a value under the user's Run key that the
// system runs at log-on, starting the program in the notification area.
namespace snapora {

inline constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";  // below HKEY_CURRENT_USER
inline constexpr wchar_t kRunValueName[] = L"Snapora";

// Whether the value is there.
bool StartsWithWindows();

// Writes this program's path with the switch, or removes the value. False
// when the registry refused; the value is then as it was.
bool SetStartWithWindows(bool start);

}  // namespace snapora
