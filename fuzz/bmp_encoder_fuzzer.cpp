// Any width, height and pixel data: the encoder either refuses or writes a
// file whose headers and rows agree with what it was given, and which the
// resource reader reads back. Any bytes at all: the reader never reads past them.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "FuzzInput.h"
#include "picture/logic/BmpEncoder.h"
#include "picture/logic/PackedDib.h"

namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

}  // namespace

using snapora::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)snapora::ReadPackedDib24({data, size});
    snapora::fuzz::Input input(data, size);
    // Mostly small pictures, sometimes absurd sizes that must be refused.
    const bool wild = input.Take<std::uint8_t>() == 0xA5;
    const int width = wild ? static_cast<int>(input.Take<std::uint32_t>()) : input.TakeInt(-2, 64);
    const int height = wild ? static_cast<int>(input.Take<std::uint32_t>()) : input.TakeInt(-2, 64);
    std::vector<std::uint32_t> pixels;
    while (input.Size() >= 4 && pixels.size() < 64 * 64 + 8) pixels.push_back(input.Take<std::uint32_t>());

    const auto file = snapora::EncodeBmp24(pixels, width, height);
    const bool sizeMatches = width > 0 && height > 0 &&
                             static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) == pixels.size();
    if (!sizeMatches) {
        Check(file.empty());
        return 0;
    }
    const auto expectedSize = snapora::BmpFileSize(width, height);
    Check(expectedSize.has_value() && file.size() == *expectedSize);
    Check(file[0] == 'B' && file[1] == 'M');
    Check(Le32(file, 2) == file.size());
    Check(Le32(file, 10) == snapora::kBmpHeaderBytes);
    Check(static_cast<int>(Le32(file, 18)) == width);
    Check(static_cast<int>(Le32(file, 22)) == height);  // bottom-up
    const std::size_t stride = *snapora::BmpRowStride(width);
    Check(stride % 4 == 0 && stride >= static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        const std::size_t row = snapora::kBmpHeaderBytes + static_cast<std::size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
            const std::size_t at = row + static_cast<std::size_t>(x) * 3;
            Check(file[at] == (p & 0xFF) && file[at + 1] == ((p >> 8) & 0xFF) && file[at + 2] == ((p >> 16) & 0xFF));
        }
        for (std::size_t pad = static_cast<std::size_t>(width) * 3; pad < stride; ++pad) Check(file[row + pad] == 0);
    }
    const auto back = snapora::ReadPackedDib24(std::span(file).subspan(14));
    Check(back.has_value());
    for (std::size_t i = 0; back && i < pixels.size(); ++i) Check(back->topDown[i] == (pixels[i] & 0xFFFFFF));
    return 0;
}
