#pragma once
// Twips (1/1440 inch) to pixels at a given dots-per-inch, rounded to the
// nearest pixel. Window sizes in the design are given in twips.
#include <cstdint>

namespace snapora {

constexpr int kTwipsPerInch = 1440;

constexpr int TwipsToPixels(int twips, int dpi) noexcept {
    const std::int64_t scaled = static_cast<std::int64_t>(twips) * dpi;
    const std::int64_t half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch : -((-scaled + half) / kTwipsPerInch));
}

// A length of `pixels` at `fromDpi` as it is at `toDpi`, rounded to the
// nearest pixel with halves away from zero, as the system's MulDiv rounds.
// A window moving to a monitor of another DPI scales its sizes this way;
// logical sizes are those at 96 dpi.
constexpr int ScaleToDpi(int pixels, int fromDpi, int toDpi) noexcept {
    if (fromDpi <= 0) return pixels;
    const std::int64_t scaled = static_cast<std::int64_t>(pixels) * toDpi;
    const std::int64_t half = fromDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / fromDpi : -((-scaled + half) / fromDpi));
}

// The whole factor nearest to dpi / 96, at least 1, by which art drawn for
// 96 dpi is enlarged: a whole factor keeps every pixel sharp.
constexpr int WholeArtScale(int dpi) noexcept { return dpi >= 144 ? (dpi + 48) / 96 : 1; }

}  // namespace snapora
