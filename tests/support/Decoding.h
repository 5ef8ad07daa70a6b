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

// "BMP", "PNG", "JPEG" or "TIFF" from the file's first bytes; "" for anything else.
std::string FileKind(const std::wstring& path);

// Peak signal-to-noise ratio of `actual` against `expected` over all three
// colour channels, in dB; very large when they are equal, 0 when the sizes
// differ.
double Psnr(const std::vector<std::uint32_t>& expected, const std::vector<std::uint32_t>& actual);

// The least PSNR a JPEG file must reach: 38 dB when it was written at the
// quality of 90 the program asks for. Wine's encoder ignores the setting and
// always writes its own (about 75); such a file is held to 30 dB, which
// still catches any wrong channel, row or size.
double ExpectedJpegPsnr(const std::wstring& path);

}  // namespace snapora::test
