#include "app/Commands.h"

#include <array>

#include "app/MainWindow.h"
#include "app/ShellCommands.h"
#include "app/resource.h"
#include "capture/CaptureCommands.h"
#include "documents/DocumentCommands.h"
#include "help/HelpCommands.h"
#include "output/OutputCommands.h"
#include "settings/SettingsCommands.h"

namespace snapora {

namespace {

struct CommandEntry {
    UINT id;
    CommandHandler handler;
};

constexpr std::array<CommandEntry, 21> kCommands{{
    {ID_FILE_SAVE, &OnSaveClick},
    {ID_FILE_SETUP, &OnSetupClick},
    {ID_FILE_PRINT, &OnPrintClick},
    {ID_FILE_PROPERTIES, &OnPropertiesClick},
    {ID_FILE_CLOSECHILD, &OnCloseChildClick},
    {ID_FILE_EXIT, &OnExitClick},
    {ID_EDIT_COPY, &OnCopyClick},
    {ID_EDIT_DELETE, &OnDeleteClick},
    {ID_CAPTURE_ENTIRESCREEN, &OnEntireScreenClick},
    {ID_CAPTURE_FORM, &OnFormClick},
    {ID_CAPTURE_RECTANGLE, &OnRectangleClick},
    {ID_CAPTURE_CURSOR, &OnCursorClick},
    {ID_CAPTURE_AUTOMATIC, &OnAutomaticClick},
    {ID_SETTING_OPTION, &OnOptionClick},
    {ID_SETTING_TOOLBAR, &OnToolbarClick},
    {ID_SETTING_STATUSBAR, &OnStatusBarClick},
    {ID_WINDOW_TILE, &OnTileClick},
    {ID_WINDOW_CASCADE, &OnCascadeClick},
    {ID_HELP_CONTENTS, &OnContentsClick},
    {ID_HELP_ABOUT, &OnAboutClick},
    // "新建", "打开", "剪切" and "粘贴" have no handler.
    {ID_FILE_NEW, nullptr},
}};

struct TimerEntry {
    MainTimer timer;
    CommandHandler handler;
};

constexpr std::array<TimerEntry, 4> kTimers{{
    {MainTimer::EntireScreen, &OnEntireScreenTick},
    {MainTimer::Rectangle, &OnRectangleTick},
    {MainTimer::Point, &OnPointTick},
    {MainTimer::Automatic, &OnAutomaticTick},
}};

}  // namespace

CommandHandler FindCommandHandler(UINT commandId) {
    for (const auto& entry : kCommands) {
        if (entry.id == commandId) return entry.handler;
    }
    return nullptr;
}

CommandHandler FindTimerHandler(MainTimer timer) {
    for (const auto& entry : kTimers) {
        if (entry.timer == timer) return entry.handler;
    }
    return nullptr;
}

}  // namespace snapora
