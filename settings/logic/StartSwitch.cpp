#include "settings/logic/StartSwitch.h"

#include <cwctype>

namespace snapora {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool SameWord(std::wstring_view word, std::wstring_view wanted) {
    if (word.size() != wanted.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (std::towlower(word[i]) != std::towlower(wanted[i])) return false;
    }
    return true;
}

}  // namespace

std::wstring StartCommandLine(std::wstring_view programPath) {
    return L"\"" + std::wstring(programPath) + L"\" " + std::wstring(kTraySwitch);
}

bool HasTraySwitch(std::wstring_view commandLine) {
    std::size_t at = 0;
    // The program's own path first: up to the closing quote, or the first blank.
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const std::size_t close = commandLine.find(L'"', 1);
        at = close == std::wstring_view::npos ? commandLine.size() : close + 1;
    }
    while (at < commandLine.size() && !IsBlank(commandLine[at])) ++at;
    while (at < commandLine.size()) {
        while (at < commandLine.size() && IsBlank(commandLine[at])) ++at;
        const std::size_t start = at;
        while (at < commandLine.size() && !IsBlank(commandLine[at])) ++at;
        if (SameWord(commandLine.substr(start, at - start), kTraySwitch)) return true;
    }
    return false;
}

}  // namespace snapora
