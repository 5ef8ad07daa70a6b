#include "support/Input.h"

#include <commctrl.h>

#include <vector>

#include "support/Files.h"
#include "support/UiTest.h"

namespace snapora::test {

namespace {

// Absolute input coordinates run from 0 to 65535 across the screen; rounding
// up lands inside the wanted pixel whether the system rounds or truncates.
LONG AbsoluteCoordinate(int pixel, int extent) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

bool CursorAt(int x, int y) {
    POINT at{};
    return ::GetCursorPos(&at) && at.x == x && at.y == y;
}

}  // namespace

void SendMouse(DWORD flags, int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Across the whole desktop, which starts left of and above the primary
    // monitor when other monitors lie there.
    input.mi.dx = AbsoluteCoordinate(x - ::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
    input.mi.dy = AbsoluteCoordinate(y - ::GetSystemMetrics(SM_YVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    ASSERT_EQ(::SendInput(1, &input, sizeof(input)), 1u);
}

bool InputQueueEmpty() { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0; }

bool KeepPointerAt(int x, int y) {
    if (CursorAt(x, y)) return true;
    if (InputQueueEmpty()) SendMouse(MOUSEEVENTF_MOVE, x, y);
    return false;
}

void MoveMouse(int x, int y) {
    SendMouse(MOUSEEVENTF_MOVE, x, y);
    ASSERT_TRUE(PumpUntil([x, y] { return KeepPointerAt(x, y) && InputQueueEmpty(); }))
        << "pointer did not reach " << x << "," << y;
}

void Click(POINT at) {
    MoveMouse(at.x, at.y);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, at.x, at.y);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, at.x, at.y);
}

void ClickToolbarButton(const MainWindow& main, int position) {
    HWND toolbar = main.Toolbar();
    RECT button{};
    ASSERT_TRUE(::SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(position - 1), reinterpret_cast<LPARAM>(&button)));
    POINT middle{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    ::ClientToScreen(toolbar, &middle);
    Click(middle);
}

void Drag(POINT from, POINT to) {
    MoveMouse(from.x, from.y);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, from.x, from.y);
    MoveMouse((from.x + to.x) / 2, (from.y + to.y) / 2);
    MoveMouse(to.x, to.y);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, to.x, to.y);
    PumpUntil(InputQueueEmpty);
}

void PressKey(WORD key, WORD modifier) {
    INPUT inputs[4]{};
    UINT count = 0;
    const auto add = [&](WORD which, DWORD flags) {
        inputs[count].type = INPUT_KEYBOARD;
        inputs[count].ki.wVk = which;
        inputs[count++].ki.dwFlags = flags;
    };
    if (modifier) add(modifier, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (modifier) add(modifier, KEYEVENTF_KEYUP);
    ASSERT_EQ(::SendInput(count, inputs, sizeof(INPUT)), count);
}

bool Xdotool(const std::wstring& arguments) {
    // Wine starts a Unix program given by its Unix path, but its process
    // handle cannot be waited for: the shell leaves a file saying how it
    // went, seen here through the drive that maps the Unix root.
    static unsigned counter = 0;
    const std::wstring name =
        L"snapora-xdotool-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    std::wstring commandLine = L"/bin/sh -c \"/usr/bin/xdotool " + arguments + L" && echo ok >/tmp/" + name +
                               L" || echo failed >/tmp/" + name + L"\"";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return false;
    }
    ::CloseHandle(info.hProcess);
    ::CloseHandle(info.hThread);
    const std::wstring marker = L"Z:\\tmp\\" + name;
    std::string report;
    PumpUntil([&] {
        report = ReadWholeFile(marker);
        return !report.empty() && report.back() == '\n';
    });
    ::DeleteFileW(marker.c_str());
    return report == "ok\n";
}

}  // namespace snapora::test
