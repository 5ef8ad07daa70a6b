#include "app/Commands.h"

#include <array>

#include "app/FrameCommands.h"
#include "app/resource.h"
#include "documents/SaveDocument.h"
#include "frame/Frame.h"
#include "capture/CaptureCommands.h"
#include "documents/DocumentCommands.h"
#include "editor/EditorCommands.h"
#include "help/HelpCommands.h"
#include "output/OutputCommands.h"
#include "pin/PinCommands.h"
#include "settings/SettingsCommands.h"

namespace snapora {

namespace {

struct CommandEntry {
    UINT id;
    CommandHandler handler;
};

constexpr CommandEntry kCommands[] = {
    {ID_FILE_SAVE_AS, &SaveActiveDocumentAs},
    {ID_FILE_PAGE_SETUP, &ShowPageSetup},
    {ID_FILE_PRINT, &PrintActiveDocument},
    {ID_FILE_PROPERTIES, &ShowActiveDocumentProperties},
    {ID_FILE_CLOSE_DOCUMENT, &CloseActiveDocument},
    {ID_FILE_EXIT, &ExitAtOnce},
    {ID_EDIT_COPY, &CopyActiveDocument},
    {ID_EDIT_DELETE, &EmptyActiveDocument},
    {ID_EDIT_UNDO, &UndoActiveDocument},
    {ID_EDIT_REDO, &RedoActiveDocument},
    {ID_EDIT_PIN, &PinActiveDocument},
    {ID_PIN_LAST_CAPTURE, &PinLastCapture},
    {ID_CAPTURE_ENTIRE_SCREEN, &StartEntireScreenCapture},
    {ID_CAPTURE_WINDOW, &CaptureWindowInFront},
    {ID_CAPTURE_WINDOW_AT_ONCE, &CaptureWindowInFrontAtOnce},
    {ID_CAPTURE_RECTANGLE, &StartRectangleCapture},
    {ID_CAPTURE_POINTER_AREA, &TogglePointerAreaCapture},
    {ID_CAPTURE_AUTOMATIC, &ToggleAutomaticCapture},
    {ID_SETTINGS_OPTIONS, &ShowOptions},
    {ID_SETTINGS_TOOLBAR, &ToggleToolbarCommand},
    {ID_SETTINGS_STATUS_BAR, &ToggleStatusBarCommand},
    {ID_SETTINGS_DRAWING_BAR, &ToggleDrawingBarCommand},
    {ID_WINDOW_TILE, &TileDocuments},
    {ID_WINDOW_CASCADE, &CascadeDocuments},
    {ID_HELP_CONTENTS, &ToggleHelpContents},
    {ID_HELP_ABOUT, &ShowAbout},
};

}  // namespace

CommandHandler FindCommandHandler(UINT commandId) {
    for (const auto& entry : kCommands) {
        if (entry.id == commandId) return entry.handler;
    }
    return nullptr;
}

}  // namespace snapora
