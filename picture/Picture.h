#pragma once
// A captured picture: owns its bitmap (and, from a palette display, its
// palette), knows its size in pixels, and can be moved but not copied.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "win32/Handle.h"

namespace snapora {

class Picture {
public:
    Picture() = default;
    Picture(Picture&& other) noexcept;
    Picture& operator=(Picture&& other) noexcept;

    // Takes ownership; the size is read from the bitmap. A null bitmap gives
    // an empty picture.
    static Picture FromBitmap(win32::UniqueBitmap bitmap, win32::UniquePalette palette = {});

    // A blank 32-bit top-down DIB section, or an empty picture when the
    // size is zero, negative or too large to create.
    static Picture CreateBlank(int width, int height);

    [[nodiscard]] bool Empty() const noexcept { return !bitmap_; }
    [[nodiscard]] int Width() const noexcept { return width_; }
    [[nodiscard]] int Height() const noexcept { return height_; }
    [[nodiscard]] HBITMAP Bitmap() const noexcept { return bitmap_.get(); }
    [[nodiscard]] HPALETTE Palette() const noexcept { return palette_.get(); }

    // A device-dependent copy for the clipboard, which takes ownership of it.
    [[nodiscard]] win32::UniqueBitmap CopyForClipboard() const;

    // A 32-bit DIB section holding `width` x `height` pixels of this picture
    // from (left, top). Parts outside the picture come out black.
    [[nodiscard]] Picture CopyArea(int left, int top, int width, int height) const;

    // The pixels in place, when the bitmap is a 32-bit top-down DIB section
    // (as every grab makes): rows of Width() values, 0x00RRGGBB in the low
    // bytes. Nullptr for any other bitmap. Valid while the picture lives.
    [[nodiscard]] const std::uint32_t* DirectPixels() const;

    // The same pixels to write, for a picture made by CreateBlank or
    // CopyArea; nullptr for any other.
    [[nodiscard]] std::uint32_t* MutablePixels();

    // The pixels, top-down, one 0x00RRGGBB value each. Empty when the
    // picture is empty.
    [[nodiscard]] std::vector<std::uint32_t> ReadPixels() const;

    // Paints the picture at (x, y) of `dc`, clipped to `clipWidth` x
    // `clipHeight`.
    void Draw(HDC dc, int x, int y, int clipWidth, int clipHeight) const;

private:
    win32::UniqueBitmap bitmap_;
    win32::UniquePalette palette_;
    int width_ = 0;
    int height_ = 0;
    // The pixels of a DIB section this type made itself, top-down, 32-bit.
    std::uint32_t* bits_ = nullptr;
};

// BITMAPINFO for a 32-bit top-down DIB.
BITMAPINFO TopDownBgra32Info(int width, int height);

}  // namespace snapora
