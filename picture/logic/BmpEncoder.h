#pragma once
// The BMP file format, without any window system: a 24-bit uncompressed
// bottom-up file, the form every reader understands.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace snapora {

inline constexpr std::size_t kBmpHeaderBytes = 14 + 40;

// Bytes in one row of a 24-bit BMP: three per pixel, padded to a multiple
// of four. Empty when the width is not positive or the row is too long.
std::optional<std::size_t> BmpRowStride(int width);

// Size of the whole file, or empty when the picture has no pixels or the
// file would not fit the format's 32-bit size fields.
std::optional<std::size_t> BmpFileSize(int width, int height);

// The complete file for `width` x `height` pixels given top-down, one
// 0x00RRGGBB value each (the high byte is ignored). Empty when the size is
// unusable or the pixel count does not match it.
std::vector<std::uint8_t> EncodeBmp24(std::span<const std::uint32_t> topDownPixels, int width, int height);

// The same file written into `file`, whose memory is reused when it is
// large enough (repeated captures then touch no fresh pages). The rows of
// the source are `rowPitch` pixels apart. False, and `file` left empty,
// when the size is unusable or a pitch is shorter than a row.
bool EncodeBmp24Into(std::vector<std::uint8_t>& file, const std::uint32_t* topDownPixels, std::size_t rowPitch,
                     int width, int height);

}  // namespace snapora
