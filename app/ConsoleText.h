#pragma once
// Text for whoever started the program from a script or a console. The
// program is a window program and has no console of its own.
#include <string>

namespace snapora {

enum class ConsoleStream { Output, Error };

// Writes `text` and a line break to the standard output or error handle
// when the caller redirected it (to a file or a pipe, as UTF-8), and
// otherwise to the console the program was started from, if any.
void WriteConsoleLine(ConsoleStream stream, const std::wstring& text);

}  // namespace snapora
