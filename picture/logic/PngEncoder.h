#pragma once
// The program's own PNG writer, without any window system: 24-bit
// truecolour, non-interlaced, compressed with zlib. Screens are flat areas,
// text and repeated rows, so each row gets the cheapest of the None, Sub
// and Up filters and the data is deflated at the fastest level with
// run-length matching only. The rows are cut into bands that are
// compressed on several threads at once and joined into one zlib stream.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace snapora {

// The complete PNG file for `width` x `height` pixels given top-down, one
// 0x00RRGGBB value each (the high byte is ignored), rows `rowPitch` pixels
// apart, written into `file` (its memory is reused when large enough).
// `bands` is how many parts are compressed at once (at least one, at most
// one per row). False, and `file` left empty, when the size is unusable, a
// pitch is shorter than a row, or zlib fails.
bool EncodePng24Into(std::vector<std::uint8_t>& file, const std::uint32_t* topDownPixels, std::size_t rowPitch,
                     int width, int height, unsigned bands);

// How many bands suit a picture of this size here: one per core, fewer for
// small pictures, where starting a thread costs more than it saves.
unsigned PngBandsFor(int width, int height);

}  // namespace snapora
