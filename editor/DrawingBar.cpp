#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "editor/EditorCommands.h"
#include "editor/EditorResource.h"
#include "editor/logic/DrawingChoices.h"
#include "editor/logic/Tools.h"
#include "frame/Frame.h"
#include "frame/Texts.h"
#include "picture/BarImages.h"
#include "win32/ButtonBar.h"
#include "win32/Screen.h"
#include "win32/logic/Units.h"

namespace snapora {

namespace {

constexpr UINT kDrawingBarId = 1002;
constexpr int kBarHeightTwips = 420;

struct DropDown {
    UINT command;
    UINT menuText;
};

// After the tools: the style buttons, each with its menu.
constexpr DropDown kDropDowns[] = {
    {ID_DRAW_COLOUR_MENU, IDS_DRAW_COLOURS},
    {ID_DRAW_WIDTH_MENU, IDS_DRAW_WIDTHS},
    {ID_DRAW_SIZE_MENU, IDS_DRAW_SIZES},
};

HMENU StyleMenu(UINT dropDown) {
    HMENU menu = ::CreatePopupMenu();
    if (!menu) return nullptr;
    if (dropDown == ID_DRAW_COLOUR_MENU) {
        for (std::size_t i = 0; i < editor::kPresetColours.size(); ++i) {
            ::AppendMenuW(menu, MF_STRING, ID_DRAW_COLOUR_FIRST + i, LoadText(IDS_DRAW_COLOUR_NAME + UINT(i)).c_str());
        }
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(menu, MF_STRING, ID_DRAW_OTHER_COLOUR, LoadText(ID_DRAW_OTHER_COLOUR).c_str());
    } else if (dropDown == ID_DRAW_WIDTH_MENU) {
        for (std::size_t i = 0; i < editor::kWidths.size(); ++i) {
            ::AppendMenuW(menu, MF_STRING, ID_DRAW_WIDTH_FIRST + i,
                          FormatText(IDS_DRAW_WIDTH_ITEM, std::to_wstring(editor::kWidths[i])).c_str());
        }
    } else {
        for (std::size_t i = 0; i < kDrawingTextSizes.size(); ++i) {
            ::AppendMenuW(menu, MF_STRING, ID_DRAW_SIZE_FIRST + i,
                          FormatText(IDS_DRAW_SIZE_ITEM, std::to_wstring(kDrawingTextSizes[i])).c_str());
        }
    }
    return menu;
}

void CheckStyleItems(HMENU menu, const DrawingUiState& state) {
    for (UINT id : {state.colourCommand, state.widthCommand, state.sizeCommand}) {
        if (id) ::CheckMenuItem(menu, id, MF_BYCOMMAND | MF_CHECKED);
    }
}

}  // namespace

int DrawingBarHeight(int dpi) { return TwipsToPixels(kBarHeightTwips, dpi); }

void ScaleDrawingBarArt(HWND bar, HINSTANCE instance, int dpi) {
    const int scale = WholeArtScale(dpi);
    if (win32::UniqueBitmap strip = LoadBarStrip(instance, IDB_DRAWING_BAR, scale)) {
        win32::SetButtonBarArt(bar, std::move(strip), kBarImageSize * scale);
    }
}

HWND CreateDrawingBar(HWND parent, HINSTANCE instance) {
    std::vector<win32::BarButton> buttons;
    for (std::size_t i = 0; i < editor::ToolRows().size(); ++i) {
        buttons.push_back({UINT(ID_DRAW_TOOL_FIRST + i), win32::BarButtonKind::Push});
    }
    buttons.push_back({0, win32::BarButtonKind::Separator});
    for (const DropDown& dropDown : kDropDowns) buttons.push_back({dropDown.command, win32::BarButtonKind::Menu});
    HWND bar = win32::CreateButtonBar(parent, kDrawingBarId, buttons, false);
    if (bar) ScaleDrawingBarArt(bar, instance, win32::WindowDpi(parent));
    return bar;
}

void ShowDrawingDropDown(Frame& frame, const DrawingChoices& choices, HWND bar, UINT commandId) {
    HMENU menu = StyleMenu(commandId);
    if (!menu) return;
    CheckStyleItems(menu, DrawingStateOf(frame, choices));
    RECT button{};
    ::SendMessageW(bar, TB_GETRECT, commandId, reinterpret_cast<LPARAM>(&button));
    ::MapWindowPoints(bar, HWND_DESKTOP, reinterpret_cast<POINT*>(&button), 2);
    const HWND owner = frame.Handle();
    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, button.left, button.bottom, 0, owner, nullptr));
    ::DestroyMenu(menu);
    // The menu ran a modal loop: the frame is found again by its handle.
    if (chosen && ::IsWindow(owner)) ::PostMessageW(owner, WM_COMMAND, chosen, 0);
}

void AppendDrawingMenu(HMENU menu) {
    HMENU tools = ::CreatePopupMenu();
    if (!tools) return;
    const auto rows = editor::ToolRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ::AppendMenuW(tools, MF_STRING, ID_DRAW_TOOL_FIRST + i, LoadText(IDS_DRAW_TOOL_NAME + UINT(i)).c_str());
    }
    ::AppendMenuW(tools, MF_SEPARATOR, 0, nullptr);
    for (const DropDown& dropDown : kDropDowns) {
        if (HMENU styles = StyleMenu(dropDown.command)) {
            ::AppendMenuW(tools, MF_POPUP, reinterpret_cast<UINT_PTR>(styles), LoadText(dropDown.menuText).c_str());
        }
    }
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), LoadText(IDS_DRAW_MENU).c_str());
}

}  // namespace snapora
