#include "app/Toolbar.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "app/resource.h"
#include "picture/BarImages.h"
#include "win32/Handle.h"
#include "win32/PaintBuffer.h"
#include "win32/Screen.h"
#include "win32/logic/Units.h"

namespace snapora {

namespace {

constexpr UINT kToolbarId = 1001;
constexpr int kToolbarHeightTwips = 420;

// The buttons in their order on the bar; 0 is a separator.
constexpr UINT kButtons[] = {
    ID_FILE_NEW,    ID_FILE_OPEN,  ID_FILE_SAVE_AS, 0, ID_FILE_PRINT, ID_FILE_PROPERTIES, 0,
    ID_EDIT_CUT,    ID_EDIT_COPY,  ID_EDIT_PASTE,   ID_EDIT_PIN, 0, ID_CAPTURE_ENTIRE_SCREEN, ID_CAPTURE_RECTANGLE,
    ID_CAPTURE_POINTER_AREA, ID_CAPTURE_AUTOMATIC, 0, ID_EDIT_DELETE, 0, ID_HELP_CONTENTS,
};

// Each button's art, found under its command's id, in the order of the
// buttons. A button without art fails the whole list: a bar of wrong
// pictures is worse than a bar of none.
win32::UniqueImageList CreateToolbarImages(HINSTANCE instance, int scale) {
    const int size = kBarImageSize * scale;
    win32::UniqueImageList images(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, static_cast<int>(std::size(kButtons)), 0));
    if (!images) return {};
    for (const UINT id : kButtons) {
        if (id == 0) continue;
        win32::UniqueBitmap art(static_cast<HBITMAP>(
            ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        if (art && scale > 1) art = EnlargeArt(art.get(), scale);
        if (!art || ::ImageList_AddMasked(images.get(), art.get(), kBarImageMaskColour) < 0) return {};
    }
    return images;
}

}  // namespace

int MainToolbarHeight(int dpi) { return TwipsToPixels(kToolbarHeightTwips, dpi); }

void ScaleToolbarArt(HWND toolbar, HINSTANCE instance, int dpi, win32::UniqueImageList& images) {
    win32::UniqueImageList scaled = CreateToolbarImages(instance, WholeArtScale(dpi));
    if (!scaled) return;
    ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(scaled.get()));
    // The toolbar uses the new list from here on: the old one can go.
    images = std::move(scaled);
}

bool HasToolbarButton(UINT commandId) {
    return commandId != 0 && std::find(std::begin(kButtons), std::end(kButtons), commandId) != std::end(kButtons);
}

HWND CreateMainToolbar(HWND parent, HINSTANCE instance, win32::UniqueImageList& images) {
    // The main window gives the bar its height; it does not size itself.
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_TOP | CCS_NORESIZE | CCS_NOPARENTALIGN |
                            TBSTYLE_FLAT | TBSTYLE_TOOLTIPS;
    HWND toolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style,
                                     0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kToolbarId)),
                                     instance, nullptr);
    if (!toolbar) return nullptr;
    (void)win32::PaintThroughMemory(toolbar);  // without it the toolbar only paints slower
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ScaleToolbarArt(toolbar, instance, win32::WindowDpi(parent), images);

    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (const UINT id : kButtons) {
        TBBUTTON button{};
        if (id != 0) {
            button.iBitmap = image++;
            button.idCommand = static_cast<int>(id);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        } else {
            button.fsStyle = BTNS_SEP;
        }
        button.iString = -1;
        buttons.push_back(button);
    }
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    return toolbar;
}

}  // namespace snapora
