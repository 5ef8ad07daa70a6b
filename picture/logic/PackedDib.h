#pragma once
// A bitmap as a program's resources hold it, without any window system: a
// BITMAPINFOHEADER and then its rows (a BMP file without its first 14
// bytes). Reading the art straight from the resource costs no GDI objects:
// loading it through the system made the tool bars' pictures a tenth of
// the main window's creation.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace snapora {

struct DibPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> topDown;  // 0x00RRGGBB
};

// The pixels of a 24-bit uncompressed packed DIB, bottom-up or top-down.
// Empty for any other kind, for a size over 16384 either way, and for data
// shorter than the header says.
std::optional<DibPixels> ReadPackedDib24(std::span<const std::uint8_t> dib);

}  // namespace snapora
