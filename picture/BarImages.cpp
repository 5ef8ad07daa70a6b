#include "picture/BarImages.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "picture/Picture.h"
#include "picture/logic/PixelGeometry.h"

namespace snapora {

namespace {

struct Art {
    std::vector<std::uint32_t> pixels;
    int width = 0;
    int height = 0;
};

Art LoadArt(HINSTANCE instance, UINT bitmapId) {
    win32::UniqueBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap.get(), sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) {
        return {};
    }
    Art art{std::vector<std::uint32_t>(std::size_t(info.bmWidth) * std::size_t(info.bmHeight)), info.bmWidth,
            info.bmHeight};
    BITMAPINFO format = TopDownBgra32Info(art.width, art.height);
    win32::WindowDc screen(nullptr, win32::WindowDc::Area::Client);
    if (!screen || ::GetDIBits(screen.get(), bitmap.get(), 0, UINT(art.height), art.pixels.data(), &format,
                               DIB_RGB_COLORS) != art.height) {
        return {};
    }
    return art;
}

win32::UniqueBitmap BitmapOf(const Art& art, int scale) {
    const std::vector<std::uint32_t> enlarged =
        scale > 1 ? EnlargePixels(art.pixels, art.width, art.height, scale) : art.pixels;
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
    Art strip{std::vector<std::uint32_t>(std::size_t(count) * kBarImageSize * kBarImageSize), count * kBarImageSize,
              kBarImageSize};
    for (int i = 0; i < count; ++i) {
        const Art art = LoadArt(instance, bitmapIds[std::size_t(i)]);
        if (art.width != kBarImageSize || art.height != kBarImageSize) return {};
        for (int y = 0; y < kBarImageSize; ++y) {
            std::memcpy(&strip.pixels[std::size_t(y) * std::size_t(strip.width) + std::size_t(i) * kBarImageSize],
                        &art.pixels[std::size_t(y) * kBarImageSize], kBarImageSize * sizeof(std::uint32_t));
        }
    }
    return BitmapOf(strip, scale);
}

win32::UniqueBitmap LoadBarStrip(HINSTANCE instance, UINT bitmapId, int scale) {
    const Art art = LoadArt(instance, bitmapId);
    return art.pixels.empty() ? win32::UniqueBitmap{} : BitmapOf(art, scale);
}

}  // namespace snapora
