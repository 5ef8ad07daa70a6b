#pragma once
// The program's tool bars: a row of flat picture buttons drawn by the
// program itself. The system's tool bar lives in the common controls DLL,
// and loading that DLL at start-up cost a tenth of the program's start
// under Wine; the bar's tooltips load it when the pointer first rests on a
// bar, where nobody waits for it.
//
// The bar answers the usual tool bar queries (TB_BUTTONCOUNT, TB_GETBUTTON,
// TB_GETITEMRECT, TB_GETRECT, TB_ISBUTTONCHECKED) and TB_CHECKBUTTON, so
// tools that read tool bars read this one. A click sends WM_COMMAND
// (BN_CLICKED, the bar as sender) to the parent; a menu button sends
// WM_NOTIFY with kButtonBarMenu instead, and the parent shows its menu.
// Tooltip requests (TTN_GETDISPINFOW, idFrom the command) go to the parent
// as a system tool bar's do.
#include <windows.h>

#include <span>

#include "win32/Handle.h"

namespace snapora::win32 {

enum class BarButtonKind { Separator, Push, Menu };

struct BarButton {
    UINT command;  // 0 for a separator
    BarButtonKind kind;
};

// WM_NOTIFY code of a pressed menu button; idFrom is its command.
inline constexpr UINT kButtonBarMenu = 0xFFFFF000U;

// A bar with `buttons`, without art yet. `divider` draws the etched line
// along its top that separates it from the menu bar.
HWND CreateButtonBar(HWND parent, UINT id, std::span<const BarButton> buttons, bool divider);

// The buttons' pictures: `strip` holds them side by side in the order of
// the buttons that are not separators, each `imageSize` pixels square; the
// colour kBarTransparent shows the bar through. The bar keeps the strip.
void SetButtonBarArt(HWND bar, UniqueBitmap strip, int imageSize);
inline constexpr COLORREF kBarTransparent = RGB(0xC0, 0xC0, 0xC0);

// The side of the pictures the bar shows, 0 before it has any.
[[nodiscard]] int ButtonBarImageSize(HWND bar);

}  // namespace snapora::win32
