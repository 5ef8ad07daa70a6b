#pragma once
// The images of the tool bars: 16-pixel art in the resources, enlarged by
// a whole factor for the screen's DPI so that it stays sharp, and handed to
// a bar (win32/ButtonBar.h) as one strip, the pictures side by side.
#include <windows.h>

#include <span>

#include "win32/Handle.h"

namespace snapora {

inline constexpr int kBarImageSize = 16;

// The bitmaps `bitmapIds`, each kBarImageSize square, side by side and
// enlarged by `scale`. Null when one is missing: a bar of wrong pictures is
// worse than a bar of none.
win32::UniqueBitmap CreateBarStrip(HINSTANCE instance, std::span<const UINT> bitmapIds, int scale);

// The strip bitmap `bitmapId` enlarged by `scale`; null when it cannot be made.
win32::UniqueBitmap LoadBarStrip(HINSTANCE instance, UINT bitmapId, int scale);

}  // namespace snapora
