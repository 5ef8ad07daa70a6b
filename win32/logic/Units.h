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

// The whole factor nearest to dpi / 96, at least 1, by which art drawn for
// 96 dpi is enlarged: a whole factor keeps every pixel sharp.
constexpr int WholeArtScale(int dpi) noexcept { return dpi >= 144 ? (dpi + 48) / 96 : 1; }

}  // namespace snapora
