#pragma once
// The images of the tool bars: 16-pixel art in the resources, enlarged by
// a whole factor for the screen's DPI so that it stays sharp.
#include <windows.h>
#include <commctrl.h>

#include "win32/Handle.h"

namespace snapora {

inline constexpr int kBarImageSize = 16;
// Where the art shows the bar through.
inline constexpr COLORREF kBarImageMaskColour = RGB(0xC0, 0xC0, 0xC0);

// `art` with every pixel repeated `scale` times each way; null when it
// cannot be made.
win32::UniqueBitmap EnlargeArt(HBITMAP art, int scale);

// An image list of `count` images from the strip bitmap `bitmapId`, each
// enlarged by `scale`. Null when it cannot be made.
win32::UniqueImageList CreateBarImages(HINSTANCE instance, int bitmapId, int count, int scale);

}  // namespace snapora
