#pragma once
// The file formats a picture can be written in, chosen from a file name,
// and the 24-bit rows the platform's encoders take. No window system here.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace snapora {

enum class PictureFormat { Bmp, Png, Jpeg };

// The format for the file a save ends up with: ".png" is PNG, ".jpg" and
// ".jpeg" are JPEG (in any case), every other name - ".bmp", another
// extension, none at all - is BMP. The file system drops trailing dots and
// blanks from a name, so they do not hide its extension.
PictureFormat PictureFormatForFileName(std::wstring_view path);

// ".bmp", ".png" or ".jpg".
std::wstring_view PictureFormatExtension(PictureFormat format);

// One row of 0x00RRGGBB pixels as blue, green, red bytes: `out` takes
// 3 x `width` bytes.
void PackBgr24Row(const std::uint32_t* pixels, std::size_t width, std::uint8_t* out);

}  // namespace snapora
