#include "app/Toolbar.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "app/resource.h"
#include "picture/BarImages.h"
#include "win32/Handle.h"
#include "win32/ButtonBar.h"
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

std::vector<win32::BarButton> BarButtons() {
    std::vector<win32::BarButton> buttons;
    for (const UINT id : kButtons) {
        buttons.push_back({id, id == 0 ? win32::BarButtonKind::Separator : win32::BarButtonKind::Push});
    }
    return buttons;
}

}  // namespace

int MainToolbarHeight(int dpi) { return TwipsToPixels(kToolbarHeightTwips, dpi); }

void ScaleToolbarArt(HWND toolbar, HINSTANCE instance, int dpi) {
    // Each button's art is found under its command's id.
    std::vector<UINT> art;
    for (const UINT id : kButtons) {
        if (id != 0) art.push_back(id);
    }
    const int scale = WholeArtScale(dpi);
    if (win32::UniqueBitmap strip = CreateBarStrip(instance, art, scale)) {
        win32::SetButtonBarArt(toolbar, std::move(strip), kBarImageSize * scale);
    }
}

bool HasToolbarButton(UINT commandId) {
    return commandId != 0 && std::find(std::begin(kButtons), std::end(kButtons), commandId) != std::end(kButtons);
}

HWND CreateMainToolbar(HWND parent, HINSTANCE instance) {
    // The main window gives the bar its height; it does not size itself.
    HWND toolbar = win32::CreateButtonBar(parent, kToolbarId, BarButtons(), true);
    if (toolbar) ScaleToolbarArt(toolbar, instance, win32::WindowDpi(parent));
    return toolbar;
}

}  // namespace snapora
