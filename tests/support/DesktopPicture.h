#pragma once
// Screens to encode: one like a desktop (flat areas, text, coarse blocks,
// the hard and the easy parts of a real screen) and one of pure noise,
// which no codec can shrink. Shared by the tests and the benchmark.
#include <cstdint>

#include "picture/Picture.h"

namespace snapora::test {

Picture MakeDesktopLikePicture(int width, int height);
Picture MakeNoisePicture(int width, int height, std::uint32_t seed = 1);

}  // namespace snapora::test
