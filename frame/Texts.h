#pragma once
// The program's user texts live in the string tables of its resources;
// this loads them and shows them in the program's one message style.
#include <windows.h>

#include <string>

namespace snapora {

// The text with this id from the program's string table ("" if missing).
std::wstring LoadText(UINT id);

// `text` with every "%1" replaced by `value`.
std::wstring FormatText(UINT id, const std::wstring& value);

// What the user is told when another program kept the clipboard open:
// `holder` names it, or is "" when nobody could be named.
std::wstring ClipboardBusyText(const std::wstring& holder);

// A message box with the information icon and the program's title, owned
// by `owner`; returns the button pressed (0 when it could not be shown).
int ShowMessage(HWND owner, const std::wstring& text, UINT buttons = MB_OK);

}  // namespace snapora
