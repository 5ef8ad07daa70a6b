#pragma once
// Reads the program version out of a VERSIONINFO resource block and formats
// it for display. No window system needed: the caller hands over the bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace snapora {

struct ProgramVersion {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t revision = 0;
    std::uint16_t build = 0;
};

// `block` is the raw VS_VERSIONINFO resource. Empty when it is malformed.
std::optional<ProgramVersion> ParseVersionResource(const void* block, std::size_t size);

// "major.minor.revision", each a plain decimal number.
std::wstring FormatVersion(const ProgramVersion& version);

}  // namespace snapora
