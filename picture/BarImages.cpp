#include "picture/BarImages.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "picture/Picture.h"
#include "picture/logic/PackedDib.h"
#include "picture/logic/PixelGeometry.h"

namespace snapora {

namespace {

// The art straight from the program's resources.
std::optional<DibPixels> LoadArt(HINSTANCE instance, UINT bitmapId) {
    HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(bitmapId), RT_BITMAP);
    HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const std::uint8_t*>(::LockResource(loaded)) : nullptr;
    if (!bytes) return std::nullopt;
    return ReadPackedDib24({bytes, ::SizeofResource(instance, found)});
}

win32::UniqueBitmap BitmapOf(const DibPixels& art, int scale) {
    const std::vector<std::uint32_t> enlarged =
        scale > 1 ? EnlargePixels(art.topDown, art.width, art.height, scale) : art.topDown;
    if (enlarged.empty()) return {};
    const BITMAPINFO format = TopDownBgra32Info(art.width * scale, art.height * scale);
    void* bits = nullptr;
    win32::UniqueBitmap result(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!result || !bits) return {};
    std::memcpy(bits, enlarged.data(), enlarged.size() * sizeof(std::uint32_t));
    return result;
}

}  // namespace

win32::UniqueBitmap CreateBarStrip(HINSTANCE instance, std::span<const UINT> bitmapIds, int scale) {
    const int count = static_cast<int>(bitmapIds.size());
    DibPixels strip{count * kBarImageSize, kBarImageSize,
                    std::vector<std::uint32_t>(std::size_t(count) * kBarImageSize * kBarImageSize)};
    for (int i = 0; i < count; ++i) {
        const auto art = LoadArt(instance, bitmapIds[std::size_t(i)]);
        if (!art || art->width != kBarImageSize || art->height != kBarImageSize) return {};
        for (int y = 0; y < kBarImageSize; ++y) {
            std::memcpy(&strip.topDown[std::size_t(y) * std::size_t(strip.width) + std::size_t(i) * kBarImageSize],
                        &art->topDown[std::size_t(y) * kBarImageSize], kBarImageSize * sizeof(std::uint32_t));
        }
    }
    return BitmapOf(strip, scale);
}

win32::UniqueBitmap LoadBarStrip(HINSTANCE instance, UINT bitmapId, int scale) {
    const auto art = LoadArt(instance, bitmapId);
    return art ? BitmapOf(*art, scale) : win32::UniqueBitmap{};
}

}  // namespace snapora
