#include "picture/Picture.h"

#include <utility>

#include "picture/logic/PixelGeometry.h"

namespace snapora {

BITMAPINFO TopDownBgra32Info(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

Picture::Picture(Picture&& other) noexcept
    : bitmap_(std::move(other.bitmap_)),
      palette_(std::move(other.palette_)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      bits_(std::exchange(other.bits_, nullptr)) {}

Picture& Picture::operator=(Picture&& other) noexcept {
    if (this != &other) {
        bitmap_ = std::move(other.bitmap_);
        palette_ = std::move(other.palette_);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        bits_ = std::exchange(other.bits_, nullptr);
    }
    return *this;
}

Picture Picture::FromBitmap(win32::UniqueBitmap bitmap, win32::UniquePalette palette) {
    Picture picture;
    BITMAP header{};
    if (!bitmap || ::GetObjectW(bitmap.get(), sizeof(header), &header) == 0) return picture;
    picture.bitmap_ = std::move(bitmap);
    picture.palette_ = std::move(palette);
    picture.width_ = header.bmWidth;
    picture.height_ = header.bmHeight < 0 ? -header.bmHeight : header.bmHeight;
    return picture;
}

Picture Picture::CreateBlank(int width, int height) {
    if (width <= 0 || height <= 0 || !Bgra32ByteCount(width, height)) return {};
    const BITMAPINFO info = TopDownBgra32Info(width, height);
    void* bits = nullptr;
    win32::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    Picture picture = FromBitmap(std::move(bitmap));
    if (!picture.Empty()) picture.bits_ = static_cast<std::uint32_t*>(bits);
    return picture;
}

win32::UniqueBitmap Picture::CopyForClipboard() const {
    if (Empty()) return {};
    win32::WindowDc screen(nullptr, win32::WindowDc::Area::Client);
    win32::UniqueMemoryDc source(::CreateCompatibleDC(screen.get()));
    win32::UniqueMemoryDc target(::CreateCompatibleDC(screen.get()));
    win32::UniqueBitmap copy(::CreateCompatibleBitmap(screen.get(), width_, height_));
    if (!source || !target || !copy) return {};
    win32::ScopedSelect selectSource(source.get(), bitmap_.get());
    win32::ScopedSelect selectTarget(target.get(), copy.get());
    if (!::BitBlt(target.get(), 0, 0, width_, height_, source.get(), 0, 0, SRCCOPY)) return {};
    return copy;
}

Picture Picture::CopyArea(int left, int top, int width, int height) const {
    Picture area = CreateBlank(width, height);
    if (area.Empty() || Empty()) return area;
    win32::UniqueMemoryDc source(::CreateCompatibleDC(nullptr));
    win32::UniqueMemoryDc target(::CreateCompatibleDC(nullptr));
    if (!source || !target) return {};
    win32::ScopedSelect selectSource(source.get(), bitmap_.get());
    win32::ScopedSelect selectTarget(target.get(), area.Bitmap());
    if (!::BitBlt(target.get(), 0, 0, width, height, source.get(), left, top, SRCCOPY)) return {};
    return area;
}

const std::uint32_t* Picture::DirectPixels() const {
    if (!bits_) return nullptr;
    // Drawing into a DIB section may still be queued.
    ::GdiFlush();
    return bits_;
}

std::uint32_t* Picture::MutablePixels() {
    if (!bits_) return nullptr;
    ::GdiFlush();
    return bits_;
}

std::vector<std::uint32_t> Picture::ReadPixels() const {
    if (Empty()) return {};
    const auto bytes = Bgra32ByteCount(width_, height_);
    if (!bytes) return {};
    std::vector<std::uint32_t> pixels(*bytes / 4);
    BITMAPINFO info = TopDownBgra32Info(width_, height_);
    win32::WindowDc screen(nullptr, win32::WindowDc::Area::Client);
    if (::GetDIBits(screen.get(), bitmap_.get(), 0, static_cast<UINT>(height_), pixels.data(), &info, DIB_RGB_COLORS) !=
        height_) {
        return {};
    }
    for (auto& p : pixels) p &= 0x00FFFFFFu;
    return pixels;
}

void Picture::Draw(HDC dc, int x, int y, int clipWidth, int clipHeight) const {
    if (Empty() || !dc) return;
    win32::UniqueMemoryDc source(::CreateCompatibleDC(dc));
    if (!source) return;
    win32::ScopedSelect select(source.get(), bitmap_.get());
    win32::ScopedSelectPalette selectPalette(dc, palette_.get());
    if (palette_) ::RealizePalette(dc);
    ::BitBlt(dc, x, y, clipWidth < width_ ? clipWidth : width_, clipHeight < height_ ? clipHeight : height_,
             source.get(), 0, 0, SRCCOPY);
}

}  // namespace snapora
