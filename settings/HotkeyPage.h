#pragma once
// The third page of the options dialog, "热键": one row per capture with a
// check box that turns its key on or off, the common hotkey field holding
// the key, and a note when another program held the key.
#include <windows.h>

#include <array>
#include <optional>
#include <vector>

#include "frame/logic/Hotkey.h"

namespace snapora {

struct HotkeyProblem {
    UINT messageId;  // in the settings string table
    int fieldId;
};

class HotkeyPage {
public:
    // The page's controls in the dialog's focus order: each row's check
    // box, then its field.
    [[nodiscard]] static std::vector<int> FocusOrder();

    HotkeyPage(const CaptureHotkeys& current, const HotkeyAvailability& available)
        : current_(current), available_(available) {}

    void Initialise(HWND dialog);
    void Place(int pageLeft, int pageTop) const;
    void Show(bool show) const;
    // A click on a row's check box: its field follows.
    void OnCommand(int id) const;

    [[nodiscard]] CaptureHotkeys Keys() const;
    // Two rows with one key, then a changed key that another program holds.
    [[nodiscard]] std::optional<HotkeyProblem> FindProblem() const;

private:
    CaptureHotkeys current_;
    HotkeyAvailability available_;
    HWND dialog_ = nullptr;
};

}  // namespace snapora
