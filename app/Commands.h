#pragma once
// The one command table: each menu command id maps to exactly one handler.
// Toolbar buttons and capture keys send the same ids.
#include <windows.h>

namespace snapora {

class Frame;

using CommandHandler = void (*)(Frame&);

// Nullptr for an unknown id and for the commands that do nothing ("新建",
// "打开", "剪切", "粘贴").
CommandHandler FindCommandHandler(UINT commandId);

}  // namespace snapora
