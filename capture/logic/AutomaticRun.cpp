#include "capture/logic/AutomaticRun.h"

namespace snapora {

bool AutomaticRunEnds(double durationSeconds, unsigned periodMs, int tick) {
    // A stopped timer has no period; nothing can be taken then.
    if (periodMs == 0) return true;
    const double limit = durationSeconds * 1000.0 / static_cast<double>(periodMs);
    return limit < static_cast<double>(tick);
}

std::wstring AutomaticFolderPath(const std::wstring& parent, const std::wstring& name) {
    std::wstring path = parent;
    if (path.empty() || (path.back() != L'\\' && path.back() != L'/')) path += L'\\';
    return path + name;
}

std::vector<std::wstring> PrefixSubfolders(std::wstring_view prefix) {
    const auto isSeparator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    std::vector<std::wstring> folders;
    for (std::size_t i = 1; i < prefix.size(); ++i) {
        if (isSeparator(prefix[i]) && !isSeparator(prefix[i - 1])) folders.emplace_back(prefix.substr(0, i));
    }
    return folders;
}

std::wstring AutomaticPicturePath(const std::wstring& folder, const std::wstring& prefix, int tick,
                                  PictureFormat format) {
    return AutomaticFolderPath(folder, prefix + std::to_wstring(tick) + std::wstring(PictureFormatExtension(format)));
}

}  // namespace snapora
