#pragma once
// Where the system-information tool lives, decided from the two registry
// values that may name it. No window system needed: the caller reads the
// registry and says which files exist.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace snapora {

inline constexpr wchar_t kSysInfoPathKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr wchar_t kSysInfoPathValue[] = L"PATH";
inline constexpr wchar_t kSysInfoFolderKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr wchar_t kSysInfoFolderValue[] = L"MSINFO";
inline constexpr wchar_t kSysInfoFileName[] = L"MSINFO32.EXE";

// Registry strings may carry their terminator, or junk after it, inside
// the stored length: the text ends at the first NUL.
std::wstring TextUpToFirstNul(std::wstring_view raw);

// `folder` + "\MSINFO32.EXE", without doubling a trailing backslash.
std::wstring SysInfoFileInFolder(const std::wstring& folder);

// The program to start: the full path when that value was read (it wins
// even if the file turns out not to start), otherwise MSINFO32.EXE in the
// named folder if it exists there. Nothing when neither gives a program.
std::optional<std::wstring> ChooseSysInfoProgram(const std::optional<std::wstring>& pathValue,
                                                 const std::optional<std::wstring>& folderValue,
                                                 const std::function<bool(const std::wstring&)>& fileExists);

}  // namespace snapora
