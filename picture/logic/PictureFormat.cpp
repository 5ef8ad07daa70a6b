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

}  // namespace

PictureFormat PictureFormatForFileName(std::wstring_view path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    std::wstring_view name = separator == std::wstring_view::npos ? path : path.substr(separator + 1);
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.remove_suffix(1);
    const std::size_t dot = name.rfind(L'.');
    if (dot == std::wstring_view::npos) return PictureFormat::Bmp;
    const std::wstring_view extension = name.substr(dot + 1);
    if (SameLetters(extension, L"png")) return PictureFormat::Png;
    if (SameLetters(extension, L"jpg") || SameLetters(extension, L"jpeg")) return PictureFormat::Jpeg;
    return PictureFormat::Bmp;
}

std::wstring_view PictureFormatExtension(PictureFormat format) {
    switch (format) {
        case PictureFormat::Png:
            return L".png";
        case PictureFormat::Jpeg:
            return L".jpg";
        case PictureFormat::Bmp:
            break;
    }
    return L".bmp";
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
