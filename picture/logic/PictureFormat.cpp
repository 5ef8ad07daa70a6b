#include "picture/logic/PictureFormat.h"

namespace snapora {
namespace {

bool SameLetters(std::wstring_view text, std::wstring_view lowerAscii) {
    if (text.size() != lowerAscii.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i] >= L'A' && text[i] <= L'Z' ? static_cast<wchar_t>(text[i] - L'A' + L'a') : text[i];
        if (c != lowerAscii[i]) return false;
    }
    return true;
}

// The extensions of a pattern list "*.jpg;*.jpeg", without "*.", one by one.
template <typename Visit>
bool AnyExtension(std::wstring_view patterns, Visit visit) {
    while (!patterns.empty()) {
        const std::size_t end = patterns.find(L';');
        std::wstring_view pattern = patterns.substr(0, end);
        if (pattern.starts_with(L"*.") && visit(pattern.substr(2))) return true;
        patterns = end == std::wstring_view::npos ? std::wstring_view{} : patterns.substr(end + 1);
    }
    return false;
}

constexpr std::size_t CountAutomatic() {
    std::size_t count = 0;
    for (const auto& row : kPictureFormats) count += row.automaticText != 0 ? 1 : 0;
    return count;
}

constexpr std::array<PictureFormat, CountAutomatic()> kAutomaticFormats = [] {
    std::array<PictureFormat, CountAutomatic()> formats{};
    std::size_t next = 0;
    for (const auto& row : kPictureFormats) {
        if (row.automaticText != 0) formats[next++] = row.format;
    }
    return formats;
}();

}  // namespace

const PictureFormatRow& PictureFormatRowOf(PictureFormat format) {
    const auto index = static_cast<std::size_t>(format);
    return index < kPictureFormats.size() ? kPictureFormats[index] : kPictureFormats.front();
}

PictureFormat PictureFormatForFileName(std::wstring_view path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    std::wstring_view name = separator == std::wstring_view::npos ? path : path.substr(separator + 1);
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.remove_suffix(1);
    const std::size_t dot = name.rfind(L'.');
    if (dot == std::wstring_view::npos) return kPictureFormats.front().format;
    const std::wstring_view extension = name.substr(dot + 1);
    for (const auto& row : kPictureFormats) {
        if (AnyExtension(row.patterns, [&](std::wstring_view known) { return SameLetters(extension, known); })) {
            return row.format;
        }
    }
    return kPictureFormats.front().format;
}

std::wstring_view PictureFormatExtension(PictureFormat format) {
    const std::wstring_view patterns = PictureFormatRowOf(format).patterns;
    return patterns.substr(1, patterns.find(L';') - 1);
}

std::span<const PictureFormat> AutomaticPictureFormats() { return kAutomaticFormats; }

PictureFormat AutomaticFormatFromStoredName(std::wstring_view name) {
    for (const PictureFormat format : kAutomaticFormats) {
        if (PictureFormatRowOf(format).storedName == name) return format;
    }
    return kAutomaticFormats.front();
}

void PackBgr24Row(const std::uint32_t* pixels, std::size_t width, std::uint8_t* out) {
    for (std::size_t x = 0; x < width; ++x) {
        const std::uint32_t rgb = pixels[x];
        *out++ = static_cast<std::uint8_t>(rgb & 0xFFu);
        *out++ = static_cast<std::uint8_t>((rgb >> 8) & 0xFFu);
        *out++ = static_cast<std::uint8_t>((rgb >> 16) & 0xFFu);
    }
}

}  // namespace snapora
