#include "support/Dialogs.h"

#include <utility>

#include "support/Input.h"
#include "support/UiTest.h"

namespace snapora::test {

namespace {

constexpr int kFileNameBox = 0x47C;  // cmb13 / edt1 in the save dialog
constexpr int kMessageText = 0xFFFF;

bool IsVisibleDialog(HWND window) {
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    return ::lstrcmpW(className, L"#32770") == 0 && ::IsWindowVisible(window);
}

RECT RectIn(HWND parent, HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The caption's size in the control's own font, wrapped at its width
// where a label wraps.
void ExpectCaptionFits(HWND control, RECT place) {
    wchar_t className[32] = {};
    ::GetClassNameW(control, className, 32);
    const bool button = ::lstrcmpiW(className, L"Button") == 0;
    const std::wstring text = WindowText(control);
    if (text.empty() || (!button && ::lstrcmpiW(className, L"Static") != 0)) return;
    const LONG_PTR style = ::GetWindowLongPtrW(control, GWL_STYLE);
    const int margin = button ? 2 * ::GetSystemMetrics(SM_CXEDGE) : 0;
    RECT needed{0, 0, place.right - place.left - 2 * margin, 0};
    UINT format = DT_CALCRECT | (button ? DT_SINGLELINE : DT_WORDBREAK);
    if (!button && (style & SS_NOPREFIX)) format |= DT_NOPREFIX;
    HDC dc = ::GetDC(control);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    ::DrawTextW(dc, text.c_str(), -1, &needed, format);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    EXPECT_LE(needed.right - needed.left, place.right - place.left - 2 * margin) << "too wide";
    EXPECT_LE(needed.bottom - needed.top, place.bottom - place.top - 2 * margin) << "too high";
}

}  // namespace

DialogScript::DialogScript(std::vector<Step> steps, std::chrono::milliseconds limit)
    : steps_(std::move(steps)), deadline_(std::chrono::steady_clock::now() + limit) {
    // A window of its own carries the timer, whose id is this script.
    timerWindow_ = ::CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    EXPECT_NE(timerWindow_, nullptr);
    EXPECT_NE(::SetTimer(timerWindow_, reinterpret_cast<UINT_PTR>(this), 30, &DialogScript::OnTick), 0u);
}

DialogScript::~DialogScript() {
    if (timerWindow_) {
        ::KillTimer(timerWindow_, reinterpret_cast<UINT_PTR>(this));
        ::DestroyWindow(timerWindow_);
    }
}

DialogScript& DialogScript::Then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

bool DialogScript::Run(const std::function<void()>& blocking) {
    blocking_ = true;
    blocking();
    blocking_ = false;
    PumpUntil([this] { return Finished() || timedOut_; }, std::chrono::seconds(60));
    return Finished() && !timedOut_;
}

void CALLBACK DialogScript::OnTick(HWND, UINT, UINT_PTR id, DWORD) { reinterpret_cast<DialogScript*>(id)->Tick(); }

void DialogScript::Tick() {
    // A finished script stays out of the way of later dialogs, once the
    // call it was written for has returned.
    if (inTick_ || timedOut_ || (Finished() && !blocking_)) return;
    inTick_ = true;
    if (std::chrono::steady_clock::now() > deadline_) {
        timedOut_ = true;
        std::wstring open;
        for (HWND dialog : ThreadDialogs()) {
            open += L" [" + WindowText(dialog) + L": " + MessageBoxText(dialog) + L"]";
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        ADD_FAILURE() << "the dialog script timed out after " << next_ << " of " << steps_.size()
                      << " steps; open:" << open;
    } else if (next_ < steps_.size() && steps_[next_]()) {
        ++next_;
    }
    inTick_ = false;
}

DialogScript::Step AnswerMessageBox(int button, SeenBox* seen, HWND owner) {
    return [=] {
        HWND box = FindMessageBox(owner);
        if (!box) return false;
        if (seen) *seen = {MessageBoxText(box), WindowText(box), ::GetWindow(box, GW_OWNER)};
        Press(box, button);
        return true;
    };
}

DialogScript::Step SaveAs(std::wstring path, HWND* saveDialog) {
    return [path, saveDialog] {
        HWND dialog = FindSaveDialog();
        if (!dialog) return false;
        if (saveDialog) *saveDialog = dialog;
        TypeFileName(dialog, path);
        Press(dialog, IDOK);
        return true;
    };
}

DialogScript::Step CancelSaveDialog() {
    return [] {
        HWND dialog = FindSaveDialog();
        if (!dialog) return false;
        Press(dialog, IDCANCEL);
        return true;
    };
}

int CancelDialogsDuring(const std::function<void()>& action) {
    int seen = 0;
    DialogScript watch({[&seen] {
        for (HWND dialog : ThreadDialogs()) {
            ++seen;
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        return false;
    }});
    action();
    return seen;
}

std::vector<HWND> ThreadDialogs(HWND owner) {
    struct Search {
        HWND owner;
        std::vector<HWND> found;
    } search{owner, {}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            if (IsVisibleDialog(window) && (!s.owner || ::GetWindow(window, GW_OWNER) == s.owner)) {
                s.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindDialog(const std::wstring& caption, HWND owner) {
    for (HWND dialog : ThreadDialogs(owner)) {
        if (WindowText(dialog) == caption) return dialog;
    }
    return nullptr;
}

HWND FindDialogWith(int controlId) {
    for (HWND dialog : ThreadDialogs()) {
        if (::GetDlgItem(dialog, controlId)) return dialog;
    }
    return nullptr;
}

HWND FindSaveDialog() { return FindDialogWith(kFileNameBox); }

HWND FindMessageBox(HWND owner) {
    for (HWND dialog : ThreadDialogs(owner)) {
        if (!::GetDlgItem(dialog, kFileNameBox) && ::GetDlgItem(dialog, kMessageText)) return dialog;
    }
    return nullptr;
}

std::wstring MessageBoxText(HWND box) { return WindowText(::GetDlgItem(box, kMessageText)); }

void Press(HWND dialog, int buttonId) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, buttonId)));
}

void TypeFileName(HWND saveDialog, const std::wstring& name) {
    ::SendMessageW(::GetDlgItem(saveDialog, kFileNameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void ExpectTidyLayout(HWND dialog) {
    RECT client{};
    ::GetClientRect(dialog, &client);
    std::vector<std::pair<int, RECT>> placed;
    for (HWND control = ::GetWindow(dialog, GW_CHILD); control; control = ::GetWindow(control, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(control)) continue;
        const int id = ::GetDlgCtrlID(control);
        SCOPED_TRACE(testing::Message() << "control " << id);
        const RECT place = RectIn(dialog, control);
        EXPECT_TRUE(Contains(client, place)) << "outside the client area";
        ExpectCaptionFits(control, place);
        for (const auto& [otherId, other] : placed) {
            RECT common{};
            if (::IntersectRect(&common, &place, &other) && !Contains(place, other) && !Contains(other, place)) {
                ADD_FAILURE() << "overlaps control " << otherId;
            }
        }
        placed.emplace_back(id, place);
    }
}

DialogScript::Step ChooseMenuItem(UINT command) {
    return [command] {
        HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
        if (!menuWindow || !::IsWindowVisible(menuWindow)) return false;
        HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            RECT item{};
            // Without a window the rectangle is found on the menu's own.
            if (::GetMenuItemID(menu, i) != command || !::GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &item)) {
                continue;
            }
            // No pumping here: the menu's loop takes the input itself.
            const int x = (item.left + item.right) / 2;
            const int y = (item.top + item.bottom) / 2;
            SendMouse(MOUSEEVENTF_MOVE, x, y);
            SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, x, y);
            SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, x, y);
            return true;
        }
        return false;
    };
}

}  // namespace snapora::test
