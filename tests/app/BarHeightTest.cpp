// The tool and status bars at the screen's real DPI, as the user sees them.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "app/resource.h"
#include "picture/Picture.h"
#include "support/Pixels.h"
#include "support/UiTest.h"
#include "win32/Screen.h"
#include "win32/logic/Units.h"

namespace snapora::test {
namespace {

using Bars = MainWindowTest;

constexpr std::uint32_t kArtMask = 0xC0C0C0;
constexpr int kArtSize = 16;

RECT InFrame(HWND child, HWND frame) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectRect(const RECT& rect, int left, int top, int right, int bottom) {
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

TEST_F(Bars, AreTheirHeightInTwipsAtTheScreenDpiAtEveryWindowSize) {
    ExpectTheRunsDpi();
    const int dpi = win32::ScreenDpiY();
    // 420 and 270 twips: 28 and 18 pixels at 96 dpi, 42 and 27 at 144.
    const int toolbarHeight = TwipsToPixels(420, dpi);
    const int statusBarHeight = TwipsToPixels(270, dpi);
    for (const SIZE size : {SIZE{0, 0}, SIZE{900, 640}, SIZE{300, 260}}) {
        SCOPED_TRACE(testing::Message() << "window " << size.cx << "x" << size.cy);
        if (size.cx) {
            ::SetWindowPos(mainWindow_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        }
        RECT client{};
        ::GetClientRect(mainWindow_, &client);
        ExpectRect(InFrame(Main().Toolbar(), mainWindow_), 0, 0, client.right, toolbarHeight);
        // The bar 绘图, as tall as the tool bar, right below it.
        ExpectRect(InFrame(Main().DrawingBar(), mainWindow_), 0, toolbarHeight, client.right, 2 * toolbarHeight);
        ExpectRect(InFrame(Main().StatusBar(), mainWindow_), 0, client.bottom - statusBarHeight, client.right,
                   client.bottom);
        // The workspace fills what lies between.
        ExpectRect(InFrame(Main().MdiClient(), mainWindow_), 0, 2 * toolbarHeight, client.right,
                   client.bottom - statusBarHeight);
    }
}

// The pixels of the status bar's first panel that are not the button face:
// its text (the panel's sunken edge left out).
int TextPixelsInFirstPanel(HWND statusBar) {
    int edges[3] = {};
    ::SendMessageW(statusBar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    RECT panel{};
    ::GetClientRect(statusBar, &panel);
    panel = RECT{4, 4, edges[0] - 4, panel.bottom - 4};
    ::MapWindowPoints(statusBar, nullptr, reinterpret_cast<POINT*>(&panel), 2);
    RepaintOnScreen(statusBar);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const std::uint32_t faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    int text = 0;
    for (std::uint32_t pixel : ReadScreen(panel)) text += pixel != faceRgb ? 1 : 0;
    return text;
}

TEST_F(Bars, TheStatusBarPaintsChangedTextOnlyAndItsGripIsTheWindowsCorner) {
    HWND status = Main().StatusBar();
    const auto set = [&](const wchar_t* text) { ::SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text)); };
    set(L"截图已保存");
    EXPECT_GT(TextPixelsInFirstPanel(status), 20);
    set(L"");
    EXPECT_EQ(TextPixelsInFirstPanel(status), 0);

    // The same text again, as a timer sets it, leaves nothing to paint.
    set(L"2.0.0");
    ::UpdateWindow(status);
    set(L"2.0.0");
    EXPECT_FALSE(::GetUpdateRect(status, nullptr, FALSE));
    set(L"2.0.1");
    EXPECT_TRUE(::GetUpdateRect(status, nullptr, FALSE));
    Main().SetStatusText({});

    RECT bar{};
    ::GetWindowRect(status, &bar);
    const auto hit = [&](int x, int y) { return ::SendMessageW(status, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    EXPECT_EQ(hit(bar.right - 3, bar.bottom - 3), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(bar.left + 10, bar.bottom - 3), HTCLIENT);
    ::ShowWindow(mainWindow_, SW_MAXIMIZE);
    ::GetWindowRect(status, &bar);
    EXPECT_EQ(hit(bar.right - 3, bar.bottom - 3), HTCLIENT) << "a maximised window has no corner to drag";
    ::ShowWindow(mainWindow_, SW_RESTORE);
}

// A button's art as it leaves the resource under its command's id.
std::vector<std::uint32_t> ButtonArt(int command, int& width) {
    auto* bitmap = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(command),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    const Picture art = Picture::FromBitmap(win32::UniqueBitmap(bitmap));
    width = art.Width();
    return art.ReadPixels();
}

// Whether the art, each pixel a scale x scale block, shows at some place in
// `area` of the screen: every drawn pixel exactly, so a blurred or
// differently scaled picture does not match.
bool ShowsArt(const RECT& area, const std::vector<std::uint32_t>& art, int artWidth, int scale) {
    const int size = kArtSize * scale;
    const int width = area.right - area.left;
    const std::vector<std::uint32_t> screen = ReadScreen(area);
    for (int top = 0; top + size <= area.bottom - area.top; ++top) {
        for (int left = 0; left + size <= width; ++left) {
            bool same = true;
            for (int y = 0; y < size && same; ++y) {
                for (int x = 0; x < size && same; ++x) {
                    const std::uint32_t drawn = art[static_cast<std::size_t>(y / scale) * artWidth + x / scale];
                    same = drawn == kArtMask || screen[static_cast<std::size_t>(top + y) * width + left + x] == drawn;
                }
            }
            if (same) return true;
        }
    }
    return false;
}

TEST_F(Bars, ButtonImagesAreTheArtEnlargedByAWholeFactorForTheDpi) {
    const int dpi = win32::ScreenDpiY();
    const int scale = WholeArtScale(dpi);
    if (dpi == 144) {
        EXPECT_EQ(scale, 2);
    }
    HWND toolbar = Main().Toolbar();
    RepaintOnScreen(toolbar);
    const int buttons = static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    int shown = 0;
    for (int i = 0; i < buttons; ++i) {
        TBBUTTON button{};
        ::SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        if (button.fsStyle & BTNS_SEP) continue;
        RECT rect{};
        ::SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect));
        ::MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        int artWidth = 0;
        const std::vector<std::uint32_t> art = ButtonArt(button.idCommand, artWidth);
        ASSERT_EQ(artWidth, kArtSize);
        EXPECT_TRUE(ShowsArt(rect, art, artWidth, scale)) << "button " << i + 1;
        ++shown;
    }
    // Every button, the pin's included.
    EXPECT_EQ(shown, 15);
}

}  // namespace
}  // namespace snapora::test
