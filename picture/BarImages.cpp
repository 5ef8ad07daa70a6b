#include "picture/BarImages.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "picture/Picture.h"
#include "picture/logic/PixelGeometry.h"

namespace snapora {

win32::UniqueBitmap EnlargeArt(HBITMAP art, int scale) {
    BITMAP info{};
    if (!::GetObjectW(art, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return {};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.bmWidth) * static_cast<std::size_t>(info.bmHeight));
    BITMAPINFO format = TopDownBgra32Info(info.bmWidth, info.bmHeight);
    win32::WindowDc screen(nullptr, win32::WindowDc::Area::Client);
    if (!screen || ::GetDIBits(screen.get(), art, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format,
                               DIB_RGB_COLORS) != info.bmHeight) {
        return {};
    }
    const std::vector<std::uint32_t> enlarged = EnlargePixels(pixels, info.bmWidth, info.bmHeight, scale);
    if (enlarged.empty()) return {};
    format = TopDownBgra32Info(info.bmWidth * scale, info.bmHeight * scale);
    void* bits = nullptr;
    win32::UniqueBitmap result(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!result || !bits) return {};
    std::memcpy(bits, enlarged.data(), enlarged.size() * sizeof(std::uint32_t));
    return result;
}

win32::UniqueImageList CreateBarImages(HINSTANCE instance, int bitmapId, int count, int scale) {
    win32::UniqueBitmap strip(static_cast<HBITMAP>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (strip && scale > 1) strip = EnlargeArt(strip.get(), scale);
    if (!strip) return {};
    const int size = kBarImageSize * scale;
    win32::UniqueImageList images(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0));
    if (!images || ::ImageList_AddMasked(images.get(), strip.get(), kBarImageMaskColour) < 0) return {};
    return images;
}

}  // namespace snapora
