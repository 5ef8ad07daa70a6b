#include "support/DesktopPicture.h"

#include <string>
#include <vector>

#include "win32/Handle.h"

namespace snapora::test {
namespace {

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    const RECT rect{left, top, right, bottom};
    win32::UniqueBrush brush(::CreateSolidBrush(colour));
    if (brush) ::FillRect(dc, &rect, brush.get());
}

// A window: frame, title bar with its caption, and lines of text on white.
void DrawWindow(HDC dc, int left, int top, int width, int height, int number) {
    Fill(dc, left, top, left + width, top + height, RGB(212, 208, 200));
    Fill(dc, left + 3, top + 3, left + width - 3, top + 22, number % 2 ? RGB(10, 36, 106) : RGB(128, 128, 128));
    Fill(dc, left + 4, top + 26, left + width - 4, top + height - 4, RGB(255, 255, 255));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    const std::wstring title = L"Document " + std::to_wstring(number) + L" - Editor";
    ::TextOutW(dc, left + 8, top + 5, title.c_str(), static_cast<int>(title.size()));
    ::SetTextColor(dc, RGB(0, 0, 0));
    const std::wstring line = L"The quick brown fox jumps over the lazy dog 0123456789 (x + y) * z;";
    for (int y = top + 32, n = 0; y + 16 < top + height - 4; y += 16, ++n) {
        const int length = static_cast<int>(line.size()) - (n * 7) % 30;
        ::TextOutW(dc, left + 10, y, line.c_str(), length);
    }
}

}  // namespace

Picture MakeDesktopLikePicture(int width, int height) {
    Picture picture = Picture::CreateBlank(width, height);
    if (picture.Empty()) return picture;
    win32::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return {};
    win32::ScopedSelect select(dc.get(), picture.Bitmap());
    win32::ScopedSelect font(dc.get(), ::GetStockObject(DEFAULT_GUI_FONT));
    Fill(dc.get(), 0, 0, width, height, RGB(58, 110, 165));
    // Desktop icons: coarse coloured blocks down the left edge.
    for (int y = 16, n = 0; y + 48 < height - 40; y += 72, ++n) {
        Fill(dc.get(), 16, y, 64, y + 48, RGB((n * 70) % 256, 160, (n * 40 + 90) % 256));
    }
    const int windowWidth = width / 2;
    const int windowHeight = height / 2;
    DrawWindow(dc.get(), width / 8, height / 10, windowWidth, windowHeight, 1);
    DrawWindow(dc.get(), width / 3, height / 3, windowWidth, windowHeight, 2);
    // A task bar with its buttons and clock.
    Fill(dc.get(), 0, height - 30, width, height, RGB(212, 208, 200));
    for (int x = 4, n = 0; x + 150 < width - 90; x += 160, ++n) {
        Fill(dc.get(), x, height - 27, x + 150, height - 3, n == 0 ? RGB(230, 230, 230) : RGB(190, 186, 180));
    }
    ::SetTextColor(dc.get(), RGB(0, 0, 0));
    ::TextOutW(dc.get(), width - 70, height - 24, L"12:34", 5);
    ::GdiFlush();
    return picture;
}

Picture MakeNoisePicture(int width, int height, std::uint32_t seed) {
    Picture picture = Picture::CreateBlank(width, height);
    if (picture.Empty()) return picture;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::uint32_t state = seed;
    for (auto& pixel : pixels) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        pixel = state & 0x00FFFFFFu;
    }
    BITMAPINFO info = TopDownBgra32Info(width, height);
    win32::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return {};
    ::SetDIBits(dc.get(), picture.Bitmap(), 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    return picture;
}

}  // namespace snapora::test
