// Any picture, row pitch and number of bands: the writer either refuses a
// size it cannot write or makes a file that zlib's own inflate and a strict
// reader turn back into exactly the pixels it was given.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "FuzzInput.h"
#include "picture/logic/PngEncoder.h"
#include "tests/support/PngReading.h"

using snapora::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    snapora::fuzz::Input input(data, size);
    const int width = input.TakeInt(-1, 80);
    const int height = input.TakeInt(-1, 80);
    const int extra = input.TakeInt(-1, 3);  // a pitch one short must be refused
    const unsigned bands = static_cast<unsigned>(input.TakeInt(0, 6));
    const std::size_t period = static_cast<std::size_t>(input.TakeInt(1, 97));
    const std::size_t pitch = static_cast<std::size_t>(std::max(0, width + extra));
    const std::size_t count = pitch * static_cast<std::size_t>(std::max(0, height));
    // Once the input runs out the pixels repeat with some period, which
    // makes the flat areas and repeated rows that screens are full of.
    std::vector<std::uint32_t> pixels(count + 1);
    for (std::size_t i = 0; i < count; ++i) {
        pixels[i] = input.Size() >= 4 ? input.Take<std::uint32_t>() : i >= period ? pixels[i - period] : 0;
    }

    std::vector<std::uint8_t> file(5, 0xEE);  // a reused buffer with old bytes
    const bool written = snapora::EncodePngInto(file, pixels.data(), pitch, width, height, bands);
    if (width <= 0 || height <= 0 || extra < 0) {
        Check(!written && file.empty());
        return 0;
    }
    Check(written);
    const auto decoded = snapora::test::ReadPng(file);
    Check(decoded.has_value() && decoded->width == width && decoded->height == height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t given = pixels[static_cast<std::size_t>(y) * pitch + static_cast<std::size_t>(x)];
            Check(decoded->pixels[static_cast<std::size_t>(y) * width + x] == (given & 0xFFFFFFu));
        }
    }
    return 0;
}
