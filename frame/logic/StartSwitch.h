#pragma once
// The switch that starts the program minimised to the notification area.
// The start with Windows writes it after the program's path and the command
// line reads it, so its name lives here, below both.
#include <string>
#include <string_view>

namespace snapora {

// Without its "/" or "-": the command line's table names switches so.
inline constexpr std::wstring_view kTraySwitchName = L"tray";

// The command the system runs at log-on: the quoted program path and the
// switch.
inline std::wstring StartCommandLine(std::wstring_view programPath) {
    return L"\"" + std::wstring(programPath) + L"\" /" + std::wstring(kTraySwitchName);
}

}  // namespace snapora
