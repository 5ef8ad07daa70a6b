#include "support/Pixels.h"

#include "support/UiTest.h"
#include "win32/Handle.h"
#include "win32/Screen.h"

namespace snapora::test {

namespace {

LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    // A lone Alt would open the window menu, whose loop would hold the test:
    // keys like Alt+Print, taken by the system, leave exactly that.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) return 0;
    if (message != WM_PAINT) return ::DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window, &paint);
    RECT client{};
    ::GetClientRect(window, &client);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    const auto pixels = PatternPixels(origin.x, origin.y, client.right, client.bottom);
    const BITMAPINFO info = TopDownBgra32Info(client.right, client.bottom);
    ::SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(client.right), static_cast<DWORD>(client.bottom), 0, 0, 0,
                        static_cast<UINT>(client.bottom), pixels.data(), &info, DIB_RGB_COLORS);
    ::EndPaint(window, &paint);
    return 0;
}

std::vector<std::uint32_t> BitmapPixels(HBITMAP bitmap, int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    BITMAPINFO info = TopDownBgra32Info(width, height);
    win32::WindowDc screen(nullptr, win32::WindowDc::Area::Client);
    if (::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) != height) {
        return {};
    }
    for (auto& p : pixels) p &= 0x00FFFFFFu;
    return pixels;
}

}  // namespace

std::uint32_t PatternPixel(int x, int y) {
    const auto r = static_cast<std::uint32_t>((x * 7 + y * 3) & 0xFF);
    const auto g = static_cast<std::uint32_t>((x * 13 + y * 29) & 0xFF);
    const auto b = static_cast<std::uint32_t>((x ^ y) * 5 & 0xFF);
    return (r << 16) | (g << 8) | b;
}

std::vector<std::uint32_t> PatternPixels(int left, int top, int width, int height) {
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels.push_back(PatternPixel(left + x, top + y));
    }
    return pixels;
}

int PatternMismatches(const std::vector<std::uint32_t>& pixels, int left, int top, int width, bool inverted) {
    int mismatches = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const int x = left + static_cast<int>(i % static_cast<std::size_t>(width));
        const int y = top + static_cast<int>(i / static_cast<std::size_t>(width));
        const std::uint32_t expected = inverted ? ~PatternPixel(x, y) & 0x00FFFFFFu : PatternPixel(x, y);
        if (pixels[i] != expected) ++mismatches;
    }
    return mismatches;
}

std::vector<std::uint32_t> Crop(const std::vector<std::uint32_t>& pixels, int width, RECT area) {
    std::vector<std::uint32_t> cropped;
    for (LONG y = area.top; y < area.bottom; ++y) {
        const auto row = pixels.begin() + static_cast<std::ptrdiff_t>(y) * width;
        cropped.insert(cropped.end(), row + area.left, row + area.right);
    }
    return cropped;
}

Picture PictureOf(int width, int height, const std::vector<std::uint32_t>& pixels) {
    Picture picture = Picture::CreateBlank(width, height);
    if (picture.Empty()) return picture;
    const BITMAPINFO info = TopDownBgra32Info(width, height);
    win32::WindowDc screen(nullptr, win32::WindowDc::Area::Client);
    ::SetDIBits(screen.get(), picture.Bitmap(), 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    return picture;
}

Picture PatternPicture(int width, int height) { return PictureOf(width, height, PatternPixels(0, 0, width, height)); }

PatternWindow::PatternWindow(RECT rect, bool withFrame, const wchar_t* title) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    if (!::GetClassInfoW(instance, L"SnaporaTestPattern", &wc)) {
        wc.lpfnWndProc = PatternProc;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"SnaporaTestPattern";
        EXPECT_NE(::RegisterClassW(&wc), 0);
    }
    window_ = ::CreateWindowExW(withFrame ? 0 : WS_EX_TOPMOST, L"SnaporaTestPattern", title,
                                withFrame ? WS_OVERLAPPEDWINDOW : WS_POPUP, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
    EXPECT_NE(window_, nullptr);
    ::ShowWindow(window_, SW_SHOW);
    ::UpdateWindow(window_);
    PumpFor(std::chrono::milliseconds(100));
}

PatternWindow::~PatternWindow() {
    if (window_) ::DestroyWindow(window_);
}

RECT PrimaryScreenRect() {
    const SIZE screen = win32::PrimaryScreenSize();
    return RECT{0, 0, screen.cx, screen.cy};
}

void RepaintOnScreen(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpFor(std::chrono::milliseconds(50));
}

std::vector<std::uint32_t> ReadScreen(RECT rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    win32::WindowDc screen(nullptr, win32::WindowDc::Area::Client);
    win32::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    const BITMAPINFO info = TopDownBgra32Info(width, height);
    void* bits = nullptr;
    win32::UniqueBitmap bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<std::uint32_t> pixels;
    if (!bitmap || !memory) return pixels;
    {
        win32::ScopedSelect select(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
        ::GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        pixels.assign(p, p + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    }
    for (auto& p : pixels) p &= 0x00FFFFFFu;
    return pixels;
}

int ScreenMismatches(RECT area, bool inverted) {
    const auto pixels = ReadScreen(area);
    if (pixels.empty()) return -1;
    return PatternMismatches(pixels, area.left, area.top, area.right - area.left, inverted);
}

LoadedBitmap LoadBitmapFile(const std::wstring& path) {
    LoadedBitmap loaded;
    win32::UniqueBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP header{};
    if (!bitmap || ::GetObjectW(bitmap.get(), sizeof(header), &header) == 0) return loaded;
    loaded.width = header.bmWidth;
    loaded.height = header.bmHeight < 0 ? -header.bmHeight : header.bmHeight;
    loaded.pixels = BitmapPixels(bitmap.get(), loaded.width, loaded.height);
    return loaded;
}

}  // namespace snapora::test
