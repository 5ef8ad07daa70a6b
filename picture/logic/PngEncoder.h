#pragma once
// The program's PNG writer, without any window system. A picture of at most
// 256 colours (most screens: flat areas and unsmoothed text) is written
// with a palette, one byte a pixel, which makes a third of the data to
// compress and brings the line of text above within deflate's reach; any
// other as 24-bit truecolour. Rows equal to the one above are written as
// zeros (the Up filter); in truecolour, rows where few pixels repeat their
// left neighbour (photographs, noise) get the Sub filter and run-length
// matching, the others no filter and the fastest level. The rows are cut
// into bands compressed on several threads at once and joined into one
// zlib stream.
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
bool EncodePngInto(std::vector<std::uint8_t>& file, const std::uint32_t* topDownPixels, std::size_t rowPitch,
                   int width, int height, unsigned bands);

// How many bands suit a picture of this size here: one per core, fewer for
// small pictures, where starting a thread costs more than it saves.
unsigned PngBandsFor(int width, int height);

}  // namespace snapora
