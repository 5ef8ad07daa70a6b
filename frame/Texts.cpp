#include "frame/Texts.h"

#include "frame/ResourceIds.h"

namespace snapora {

std::wstring LoadText(UINT id) {
    // With a zero length the system hands out a pointer into the resource
    // itself, which is read-only and not terminated.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring FormatText(UINT id, const std::wstring& value) {
    std::wstring text = LoadText(id);
    for (std::size_t at = text.find(L"%1"); at != std::wstring::npos; at = text.find(L"%1", at + value.size())) {
        text.replace(at, 2, value);
    }
    return text;
}

std::wstring ClipboardBusyText(const std::wstring& holder) {
    return holder.empty() ? LoadText(IDS_CLIPBOARD_BUSY_UNNAMED) : FormatText(IDS_CLIPBOARD_BUSY, holder);
}

int ShowMessage(HWND owner, const std::wstring& text, UINT buttons) {
    const std::wstring title = LoadText(IDS_APP_TITLE);
    return ::MessageBoxW(owner, text.c_str(), title.c_str(), buttons | MB_ICONINFORMATION);
}

}  // namespace snapora
