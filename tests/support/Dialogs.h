#pragma once
// Driving modal dialogs and message boxes while the code under test waits
// in them, and finding them among this thread's windows.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace snapora::test {

// A timer of this thread runs the steps in order, one a tick, each at every
// tick until it returns true; modal loops dispatch the ticks, so the steps
// run inside them. One step a tick: a dialog just answered (hidden by
// EndDialog) is not found again by the next step. Past the limit, an
// unfinished script cancels every dialog of the thread, so a failing test
// cannot hang, and fails the test naming what was open. Under Run, the
// script is unfinished until the blocking call returns: a dialog or message
// box that no step expected (one more after the last answer) keeps it
// waiting, so it times out and fails with that box's text.
class DialogScript {
public:
    using Step = std::function<bool()>;

    explicit DialogScript(std::vector<Step> steps = {}, std::chrono::milliseconds limit = std::chrono::seconds(20));
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    DialogScript& Then(Step step);
    // Calls `blocking` (which may run a modal loop), then waits for the
    // steps left. True when every step finished in time.
    bool Run(const std::function<void()>& blocking);

    [[nodiscard]] bool Finished() const { return next_ >= steps_.size(); }
    [[nodiscard]] bool TimedOut() const { return timedOut_; }
    [[nodiscard]] std::size_t StepsDone() const { return next_; }

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR id, DWORD);
    void Tick();

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    std::chrono::steady_clock::time_point deadline_;
    bool timedOut_ = false;
    bool inTick_ = false;
    bool blocking_ = false;
    HWND timerWindow_ = nullptr;
};

// Steps for the usual answers. A message box (of `owner` when given) is
// answered with `button`, after its text, title and owner are noted in
// `seen`; the save dialog gets a file name and OK, or Cancel.
struct SeenBox {
    std::wstring text;
    std::wstring title;
    HWND owner = nullptr;
};
DialogScript::Step AnswerMessageBox(int button, SeenBox* seen = nullptr, HWND owner = nullptr);
DialogScript::Step SaveAs(std::wstring path, HWND* saveDialog = nullptr);
DialogScript::Step CancelSaveDialog();
// Clicks the item `command` of the open pop-up menu, as a hand would,
// straight into the menu's own loop.
DialogScript::Step ChooseMenuItem(UINT command);

// Runs `action` and cancels every dialog shown meanwhile; returns how many.
int CancelDialogsDuring(const std::function<void()>& action);

// Visible dialogs (#32770) of this thread, optionally only those owned by
// `owner`.
std::vector<HWND> ThreadDialogs(HWND owner = nullptr);
// The visible dialog of this thread captioned `caption`, or nullptr.
HWND FindDialog(const std::wstring& caption, HWND owner = nullptr);
// The visible dialog of this thread holding a control with `controlId`.
HWND FindDialogWith(int controlId);
// The save dialog (it has the file-name box), or nullptr.
HWND FindSaveDialog();
// A message box (text in control 0xFFFF, no file-name box), optionally
// only one owned by `owner`; nullptr if none.
HWND FindMessageBox(HWND owner = nullptr);
std::wstring MessageBoxText(HWND box);

// Presses a dialog's button as a click would (posted: a sent click that
// opens another modal loop would block the test).
void Press(HWND dialog, int buttonId);
// Puts a name in the save dialog's file-name box.
void TypeFileName(HWND saveDialog, const std::wstring& name);

// What a user checks of a dialog's layout at this DPI: every visible
// control lies inside the client area, none overlaps another without
// containing it, and every caption of a button or label fits its control.
void ExpectTidyLayout(HWND dialog);

}  // namespace snapora::test
