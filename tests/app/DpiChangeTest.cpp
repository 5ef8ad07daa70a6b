// A window moved onto a monitor of another DPI: Windows sends it
// WM_DPICHANGED with the new DPI and a suggested rectangle. Wine gives every
// monitor the system DPI and never sends it, so the tests send it to the
// real top-level windows and look at what they redid.
#include <windows.h>
#include <commctrl.h>

#include "app/resource.h"
#include "capture/RectangleOverlay.h"
#include "documents/DocumentWindow.h"
#include "help/HelpResource.h"
#include "settings/SettingsResource.h"
#include "support/Dialogs.h"
#include "support/Pixels.h"
#include "support/UiTest.h"
#include "win32/ButtonBar.h"
#include "win32/Screen.h"
#include "win32/logic/Units.h"

namespace snapora::test {
namespace {

using DpiChange = MainWindowTest;

void SendDpiChange(HWND window, int dpi, const RECT* suggested) {
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(suggested));
}

int Height(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

int FontHeight(HFONT font) {
    LOGFONTW log{};
    return ::GetObjectW(font, sizeof(log), &log) ? log.lfHeight : 0;
}

// A dialog's outer size when its client area is width x height twips.
SIZE DialogOuterFor(HWND dialog, int widthTwips, int heightTwips, int dpi) {
    RECT frame{0, 0, TwipsToPixels(widthTwips, dpi), TwipsToPixels(heightTwips, dpi)};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    return {frame.right - frame.left, frame.bottom - frame.top};
}

TEST_F(DpiChange, TheMainWindowTakesTheSuggestedPlaceAndRedoesBarsArtAndDocumentFrames) {
    DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(300, 200));
    ASSERT_NE(document, nullptr);
    const int system = win32::ScreenDpiY();
    // To twice the DPI (a 200 % monitor beside a 100 % one) and back.
    for (const int dpi : {system * 2, system}) {
        SCOPED_TRACE(dpi);
        const RECT suggested{30, 20, 30 + 900, 20 + 640};
        SendDpiChange(Main().Handle(), dpi, &suggested);
        RECT placed{};
        ::GetWindowRect(Main().Handle(), &placed);
        EXPECT_TRUE(::EqualRect(&placed, &suggested));
        EXPECT_EQ(win32::WindowDpi(Main().Handle()), dpi);
        EXPECT_EQ(Height(Main().Toolbar()), TwipsToPixels(420, dpi));
        EXPECT_EQ(Height(Main().StatusBar()), TwipsToPixels(270, dpi));
        EXPECT_EQ(win32::ButtonBarImageSize(Main().Toolbar()), 16 * WholeArtScale(dpi));
        RECT client{};
        ::GetClientRect(document->Handle(), &client);
        EXPECT_EQ(client.right, 300);
        EXPECT_EQ(client.bottom, 200);
    }
}

TEST_F(DpiChange, TheDialogsLayOutAgainAtTheNewDpiWhereTheSystemSuggests) {
    const int dpi = win32::ScreenDpiY() * 3 / 2;
    const auto check = [dpi](HWND dialog, SIZE outer, int okId, int okLeftTwips) {
        const RECT suggested{50, 40, 50 + outer.cx, 40 + outer.cy};
        SendDpiChange(dialog, dpi, &suggested);
        RECT placed{};
        ::GetWindowRect(dialog, &placed);
        EXPECT_EQ(placed.left, 50);
        EXPECT_EQ(placed.top, 40);
        RECT ok{};
        ::GetWindowRect(::GetDlgItem(dialog, okId), &ok);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&ok), 2);
        EXPECT_EQ(ok.left, TwipsToPixels(okLeftTwips, dpi));
        return placed;
    };
    RECT options{};
    DialogScript optionsScript({[&] {
        HWND dialog = FindDialog(L"截图选项设置");
        if (!dialog) return false;
        options = check(dialog, {TwipsToPixels(4200, dpi), TwipsToPixels(5550, dpi)}, IDC_OPTIONS_OK, 690);
        Press(dialog, IDCANCEL);
        return true;
    }});
    Main().Execute(ID_SETTINGS_OPTIONS);
    ASSERT_TRUE(optionsScript.Finished());
    // The options dialog's size is its outer size in twips.
    EXPECT_EQ(options.right - options.left, TwipsToPixels(4200, dpi));
    EXPECT_EQ(options.bottom - options.top, TwipsToPixels(5550, dpi));

    int titleHeight = 0;
    DialogScript aboutScript({[&] {
        HWND dialog = FindDialog(L"关于", Main().Handle());
        if (!dialog) return false;
        const SIZE outer = DialogOuterFor(dialog, 5865, 3525, dpi);
        const RECT placed = check(dialog, outer, IDOK, 4245);
        EXPECT_EQ(placed.right - placed.left, outer.cx);
        EXPECT_EQ(placed.bottom - placed.top, outer.cy);
        const auto font = reinterpret_cast<HFONT>(::SendDlgItemMessageW(dialog, IDC_ABOUT_TITLE, WM_GETFONT, 0, 0));
        titleHeight = FontHeight(font);
        Press(dialog, IDOK);
        return true;
    }});
    Main().Execute(ID_HELP_ABOUT);
    ASSERT_TRUE(aboutScript.Finished());
    EXPECT_EQ(titleHeight, -::MulDiv(12, dpi, 72));
}

TEST_F(DpiChange, TheOverlayKeepsCoveringTheDesktopAndOnlyItsReadOutGrows) {
    PatternWindow pattern(PrimaryScreenRect());
    Main().Execute(ID_CAPTURE_RECTANGLE);
    ASSERT_TRUE(PumpUntil([] { return RectangleOverlay::Find() && ::IsWindowVisible(RectangleOverlay::Find()->Handle()); }));
    RectangleOverlay* overlay = RectangleOverlay::Find();
    RECT before{};
    ::GetWindowRect(overlay->Handle(), &before);
    const RECT suggested{0, 0, 300, 200};
    SendDpiChange(overlay->Handle(), 192, &suggested);
    RECT after{};
    ::GetWindowRect(overlay->Handle(), &after);
    EXPECT_TRUE(::EqualRect(&before, &after));
    EXPECT_EQ(FontHeight(overlay->LabelFont()), -::MulDiv(9, 192, 72));
    overlay->Close();
}

}  // namespace
}  // namespace snapora::test
