#include "app/Toolbar.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/resource.h"
#include "picture/Picture.h"
#include "picture/logic/PixelGeometry.h"
#include "win32/Handle.h"
#include "win32/Screen.h"
#include "win32/Window.h"
#include "win32/logic/Units.h"

namespace snapora {

namespace {

constexpr int kImageSize = 16;
constexpr int kImageCount = 16;
constexpr COLORREF kImageMaskColour = RGB(0xC0, 0xC0, 0xC0);
constexpr UINT kToolbarId = 1001;
constexpr int kToolbarHeightTwips = 420;

constexpr std::array<ToolbarButton, 20> kButtons{{
    {L"New", 1, ID_FILE_NEW},
    {L"Open", 2, ID_FILE_OPEN},
    {L"Save", 3, ID_FILE_SAVE_AS},
    {nullptr, 0, 0},
    {L"Print", 4, ID_FILE_PRINT},
    {L"Properties", 9, ID_FILE_PROPERTIES},
    {nullptr, 0, 0},
    {L"Cut", 5, ID_EDIT_CUT},
    {L"Copy", 6, ID_EDIT_COPY},
    {L"Paste", 7, ID_EDIT_PASTE},
    {L"Pin", 16, ID_EDIT_PIN},
    {nullptr, 0, 0},
    {L"Camera", 15, ID_CAPTURE_ENTIRE_SCREEN},
    {L"Rectangle", 8, ID_CAPTURE_RECTANGLE},
    {L"Cursor", 13, ID_CAPTURE_POINTER_AREA},
    {L"Automatic", 11, ID_CAPTURE_AUTOMATIC},
    {nullptr, 0, 0},
    {L"Delete", 14, ID_EDIT_DELETE},
    {nullptr, 0, 0},
    {L"Help", 10, ID_HELP_CONTENTS},
}};

// The 16-pixel art of the strip with every pixel repeated `scale` times
// each way: a whole factor keeps the pictures sharp at a higher DPI.
win32::UniqueBitmap EnlargeStrip(HBITMAP strip, int scale) {
    BITMAP info{};
    if (!::GetObjectW(strip, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return {};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.bmWidth) * static_cast<std::size_t>(info.bmHeight));
    BITMAPINFO format = TopDownBgra32Info(info.bmWidth, info.bmHeight);
    win32::WindowDc screen(nullptr, win32::WindowDc::Area::Client);
    if (!screen || ::GetDIBits(screen.get(), strip, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format,
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

HIMAGELIST CreateToolbarImages(HINSTANCE instance, int scale) {
    win32::UniqueBitmap strip(static_cast<HBITMAP>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (strip && scale > 1) strip = EnlargeStrip(strip.get(), scale);
    if (!strip) return nullptr;
    const int size = kImageSize * scale;
    HIMAGELIST images = ::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kImageCount, 0);
    if (!images) return nullptr;
    if (::ImageList_AddMasked(images, strip.get(), kImageMaskColour) < 0) {
        ::ImageList_Destroy(images);
        return nullptr;
    }
    return images;
}

// The toolbar paints into memory and the result goes to the screen in one
// copy: drawn straight onto the window, every image costs a round through
// the window system (under Wine about a third of a millisecond each), which
// made the toolbar the slowest part of showing the main window.
LRESULT PaintBuffered(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id);

LRESULT CALLBACK BufferedPaintProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR) noexcept {
    return win32::Guarded<LRESULT>(0, [&] { return PaintBuffered(toolbar, message, wParam, lParam, id); });
}

LRESULT PaintBuffered(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // erased into the buffer when it paints
        case WM_PAINT: {
            if (wParam) break;  // painting into a given DC, as below
            PAINTSTRUCT paint{};
            HDC screen = ::BeginPaint(toolbar, &paint);
            const RECT area = paint.rcPaint;
            const int width = area.right - area.left;
            const int height = area.bottom - area.top;
            if (screen && width > 0 && height > 0) {
                win32::UniqueMemoryDc buffer(::CreateCompatibleDC(screen));
                win32::UniqueBitmap pixels(::CreateCompatibleBitmap(screen, width, height));
                if (buffer && pixels) {
                    win32::ScopedSelect select(buffer.get(), pixels.get());
                    ::SetViewportOrgEx(buffer.get(), -area.left, -area.top, nullptr);
                    ::DefSubclassProc(toolbar, WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer.get()), 0);
                    ::DefSubclassProc(toolbar, WM_PAINT, reinterpret_cast<WPARAM>(buffer.get()), 0);
                    ::SetViewportOrgEx(buffer.get(), 0, 0, nullptr);
                    ::BitBlt(screen, area.left, area.top, width, height, buffer.get(), 0, 0, SRCCOPY);
                } else {
                    // No memory for a buffer: paint straight onto the screen.
                    ::DefSubclassProc(toolbar, WM_ERASEBKGND, reinterpret_cast<WPARAM>(screen), 0);
                    ::DefSubclassProc(toolbar, WM_PAINT, reinterpret_cast<WPARAM>(screen), 0);
                }
            }
            ::EndPaint(toolbar, &paint);
            return 0;
        }
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(toolbar, &BufferedPaintProc, id);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(toolbar, message, wParam, lParam);
}

}  // namespace

std::span<const ToolbarButton> ToolbarButtons() { return kButtons; }

int MainToolbarHeight() { return win32::TwipsToPixelsY(kToolbarHeightTwips); }

const ToolbarButton* FindToolbarButton(UINT commandId) {
    for (const auto& button : kButtons) {
        if (button.key && button.commandId == commandId) return &button;
    }
    return nullptr;
}

HWND CreateMainToolbar(HWND parent, HINSTANCE instance, HIMAGELIST* images) {
    // The main window gives the bar its height; it does not size itself.
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_TOP | CCS_NORESIZE | CCS_NOPARENTALIGN |
                            TBSTYLE_FLAT | TBSTYLE_TOOLTIPS;
    HWND toolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style,
                                     0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kToolbarId)),
                                     instance, nullptr);
    if (!toolbar) return nullptr;
    ::SetWindowSubclass(toolbar, &BufferedPaintProc, 1, 0);  // without it the toolbar only paints slower
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    *images = CreateToolbarImages(instance, WholeArtScale(win32::ScreenDpiY()));
    if (*images) ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(*images));

    std::vector<TBBUTTON> buttons;
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const auto& entry = kButtons[i];
        TBBUTTON button{};
        if (entry.key) {
            button.iBitmap = entry.image - 1;
            button.idCommand = static_cast<int>(entry.commandId);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        } else {
            button.fsStyle = BTNS_SEP;
        }
        // The button's place in the table, so its key can be found again.
        button.dwData = i;
        button.iString = -1;
        buttons.push_back(button);
    }
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    return toolbar;
}

}  // namespace snapora
