#pragma once
// The images of a tool bar: a strip of 16-pixel art in the resources,
// enlarged by a whole factor for the screen's DPI so that it stays sharp.
#include <windows.h>
#include <commctrl.h>

namespace snapora {

inline constexpr int kBarImageSize = 16;

// An image list of `count` images from the strip bitmap `bitmapId`, each
// pixel repeated `scale` times each way; #C0C0C0 is transparent. Nullptr
// when it cannot be made. The caller destroys it.
HIMAGELIST CreateBarImages(HINSTANCE instance, int bitmapId, int count, int scale);

}  // namespace snapora
