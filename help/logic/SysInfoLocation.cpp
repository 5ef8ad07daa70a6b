#include "help/logic/SysInfoLocation.h"

namespace snapora {

std::wstring TextUpToFirstNul(std::wstring_view raw) {
    const auto end = raw.find(L'\0');
    return std::wstring(raw.substr(0, end));
}

std::wstring SysInfoFileInFolder(const std::wstring& folder) {
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    return path + kSysInfoFileName;
}

std::optional<std::wstring> ChooseSysInfoProgram(const std::optional<std::wstring>& pathValue,
                                                 const std::optional<std::wstring>& folderValue,
                                                 const std::function<bool(const std::wstring&)>& fileExists) {
    if (pathValue) {
        if (pathValue->empty()) return std::nullopt;
        return *pathValue;
    }
    // An empty folder would turn into a path at the root of the current drive.
    if (!folderValue || folderValue->empty()) return std::nullopt;
    std::wstring candidate = SysInfoFileInFolder(*folderValue);
    if (!fileExists(candidate)) return std::nullopt;
    return candidate;
}

}  // namespace snapora
