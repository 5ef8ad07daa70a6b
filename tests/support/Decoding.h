#pragma once
// Reading picture files back without the codecs that wrote them.
#include <string>
#include <vector>

#include <cstdint>

#include "support/Pixels.h"

namespace snapora::test {

// Decodes a picture file of any format with ImageMagick, which shares no
// code with the program or the platform's codecs: it turns the file into a
// 24-bit BMP, read back with LoadBitmapFile. Empty on failure. The program
// is SNAPORA_IMAGEMAGICK_CONVERT, by default /usr/bin/convert; Wine starts
// it as the Unix program it is.
LoadedBitmap DecodeIndependently(const std::wstring& path);

// Decodes a picture file with the platform's own decoder (the Windows
// Imaging Component), as other programs on the system will read it. COM
// must be initialised on the calling thread. Empty on failure.
LoadedBitmap DecodeWithPlatform(const std::wstring& path);

// "BMP", "PNG", "JPEG" or "TIFF" from the file's first bytes; "" for anything else.
std::string FileKind(const std::wstring& path);

// Peak signal-to-noise ratio of `actual` against `expected` over all three
// colour channels, in dB; very large when they are equal, 0 when the sizes
// differ.
double Psnr(const std::vector<std::uint32_t>& expected, const std::vector<std::uint32_t>& actual);

// Checks a JPEG file written from `expected` (width x height) on what the
// program controls, never on a bar taken from the file itself. Where the
// codec honours the quality asked for, the file's luminance quantisation
// table is the standard one at quality 90 and the picture comes back at
// 38 dB or better. Wine's encoder ignores the quality and writes its own
// (about 75); there the picture must come back at 30 dB or better, a floor
// the test checks that a wrong size, channel order or row order would miss.
void ExpectFaithfulJpeg(const std::wstring& path, const std::vector<std::uint32_t>& expected, int width, int height);

}  // namespace snapora::test
