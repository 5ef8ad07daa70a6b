#include "win32/logic/VersionInfo.h"

#include <cstring>

namespace snapora {

namespace {

constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr std::size_t kFixedInfoSize = 13 * 4;

std::uint16_t ReadU16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t ReadU32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

std::optional<ProgramVersion> ParseVersionResource(const void* block, std::size_t size) {
    // Layout: WORD length, WORD valueLength, WORD type, WCHAR key[] (NUL
    // terminated), padding to a 32-bit boundary, then VS_FIXEDFILEINFO.
    const auto* bytes = static_cast<const unsigned char*>(block);
    if (!bytes || size < 6) return std::nullopt;
    const std::size_t length = ReadU16(bytes);
    const std::size_t valueLength = ReadU16(bytes + 2);
    if (length > size || valueLength < kFixedInfoSize) return std::nullopt;

    std::size_t offset = 6;
    while (true) {
        if (offset + 2 > length) return std::nullopt;
        const std::uint16_t ch = ReadU16(bytes + offset);
        offset += 2;
        if (ch == 0) break;
    }
    offset = (offset + 3) & ~static_cast<std::size_t>(3);
    if (offset + kFixedInfoSize > length) return std::nullopt;

    const unsigned char* fixed = bytes + offset;
    if (ReadU32(fixed) != kFixedInfoSignature) return std::nullopt;
    const std::uint32_t fileVersionMs = ReadU32(fixed + 8);
    const std::uint32_t fileVersionLs = ReadU32(fixed + 12);
    ProgramVersion v;
    v.major = static_cast<std::uint16_t>(fileVersionMs >> 16);
    v.minor = static_cast<std::uint16_t>(fileVersionMs & 0xFFFF);
    v.revision = static_cast<std::uint16_t>(fileVersionLs >> 16);
    v.build = static_cast<std::uint16_t>(fileVersionLs & 0xFFFF);
    return v;
}

std::wstring FormatVersion(const ProgramVersion& version) {
    return std::to_wstring(version.major) + L"." + std::to_wstring(version.minor) + L"." +
           std::to_wstring(version.revision);
}

}  // namespace snapora
