#pragma once
// The one command table: each menu command id, and each main-window timer,
// maps to exactly one handler. Toolbar buttons send the menu ids.
#include <windows.h>

namespace snapora {

class Frame;
enum class MainTimer : UINT_PTR;

using CommandHandler = void (*)(Frame&);

// Nullptr for an unknown id and for the commands that do nothing ("新建",
// "打开", "剪切", "粘贴").
CommandHandler FindCommandHandler(UINT commandId);
CommandHandler FindTimerHandler(MainTimer timer);

}  // namespace snapora
