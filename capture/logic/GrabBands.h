#pragma once
// How a screen-sized grab is split into bands of rows, without any window
// system.
//
// Wine reads the screen for a grab with two buffers of the grab's size
// that it frees again at once. Its C library hands memory back to the
// system once more than twice the largest block it ever gave out directly
// lies free at the top of its heap, so a screen-sized read into a picture
// grabbed before faults in fresh zeroed pages every time (at 1080p a third
// of a whole automatic tick). Read in bands, only the first band's buffers
// may go back; the smaller ones after it stay under the bar the first one
// sets and are reused. A fresh picture is read whole: that read sets the
// bar high for every later one, and so is a small one such as the pointer
// area, where every band's round trip costs more than the faults. On
// Windows the bands are just more, smaller copies of the same pixels.
#include <cstddef>
#include <vector>

namespace snapora {

struct RowBand {
    int top = 0;
    int rows = 0;
};

// Bands of rows, top to bottom, covering rows 0 to height - 1 once each;
// none for an empty picture.
std::vector<RowBand> GrabBands(int width, int height);

}  // namespace snapora
