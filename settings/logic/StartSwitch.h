#pragma once
// The switch that starts the program minimised to the notification area,
// as the start with Windows writes it and the start reads it.
#include <string>
#include <string_view>

namespace snapora {

inline constexpr std::wstring_view kTraySwitch = L"/tray";

// The command the system runs at log-on: the quoted program path and the
// switch.
std::wstring StartCommandLine(std::wstring_view programPath);

// Whether a process's whole command line (program first, quoted or not)
// carries the switch, in any case, as a word of its own.
bool HasTraySwitch(std::wstring_view commandLine);

}  // namespace snapora
