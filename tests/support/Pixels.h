#pragma once
// The one test pattern, on the screen and in pictures, and independent ways
// to read pixels back. Pixels are 0x00RRGGBB, rows top-down.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "picture/Picture.h"

namespace snapora::test {

// Every pixel differs from its neighbours, so an off-by-one shows.
std::uint32_t PatternPixel(int x, int y);
// The pattern over a rectangle whose top-left pixel is (left, top).
std::vector<std::uint32_t> PatternPixels(int left, int top, int width, int height);
// How many of `pixels` (rows of `width` from (left, top)) differ from the
// pattern; `inverted` expects every pixel inverted.
int PatternMismatches(const std::vector<std::uint32_t>& pixels, int left, int top, int width, bool inverted = false);

// The pixels of `area` out of rows of `width` pixels.
std::vector<std::uint32_t> Crop(const std::vector<std::uint32_t>& pixels, int width, RECT area);

// A picture holding `pixels`, and one holding the pattern from (0, 0).
Picture PictureOf(int width, int height, const std::vector<std::uint32_t>& pixels);
Picture PatternPicture(int width, int height);

// A borderless topmost popup (or an ordinary framed window) over `rect`
// painting PatternPixel(screen x, screen y) at each pixel.
class PatternWindow {
public:
    explicit PatternWindow(RECT rect, bool withFrame = false, const wchar_t* title = L"Pattern");
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

RECT PrimaryScreenRect();
// The screen's pixels in a rectangle, and the pattern mismatches there.
std::vector<std::uint32_t> ReadScreen(RECT rect);
// Paints `window` again now and waits until the screen shows it.
void RepaintOnScreen(HWND window);
int ScreenMismatches(RECT area, bool inverted = false);

// A BMP file read with the system's own loader, which shares no code with
// the program's writer; empty on failure.
struct LoadedBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};
LoadedBitmap LoadBitmapFile(const std::wstring& path);

}  // namespace snapora::test
