#include "settings/HotkeyPage.h"

#include <commctrl.h>

#include "settings/HotkeyRegistration.h"
#include "settings/SettingsResource.h"
#include "win32/WindowPlacement.h"

namespace snapora {

namespace {

struct HotkeyRow {
    int on;
    int field;
    int held;
};

// Each capture key's controls, three ids per row from the first row's on.
constexpr std::array<HotkeyRow, kHotkeyCaptureCount> kRows = [] {
    std::array<HotkeyRow, kHotkeyCaptureCount> rows{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int first = IDC_HOTKEY_FIRST_ROW + 3 * static_cast<int>(i);
        rows[i] = {first, first + 1, first + 2};
    }
    return rows;
}();

// Twips relative to the page: rows 720 apart, the check box with the note
// at its right, the field below.
constexpr int kFirstRowTop = 240;
constexpr int kRowPitch = 720;

std::array<win32::TwipsRect, 3> RowRects(const HotkeyRow& row, int index) {
    const int top = kFirstRowTop + index * kRowPitch;
    return {{{row.on, 120, top, 1500, 330}, {row.held, 1680, top + 45, 1335, 240}, {row.field, 360, top + 360, 2655, 300}}};
}

// Keys whose names come from the extended part of the keyboard; the field
// names them right only when told so.
bool IsExtendedKey(unsigned key) {
    return key == VK_SNAPSHOT || (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE ||
           key == VK_DIVIDE || key == VK_NUMLOCK || key == VK_APPS || key == VK_CANCEL;
}

WPARAM FieldValueOf(const Hotkey& key) {
    unsigned flags = 0;
    if (key.modifiers & hotkey_modifier::kAlt) flags |= HOTKEYF_ALT;
    if (key.modifiers & hotkey_modifier::kControl) flags |= HOTKEYF_CONTROL;
    if (key.modifiers & hotkey_modifier::kShift) flags |= HOTKEYF_SHIFT;
    if (IsExtendedKey(key.key)) flags |= HOTKEYF_EXT;
    return MAKEWORD(key.key, flags);
}

Hotkey HotkeyOf(LRESULT fieldValue) {
    const unsigned key = LOBYTE(LOWORD(fieldValue));
    const unsigned flags = HIBYTE(LOWORD(fieldValue));
    Hotkey hotkey{0, key};
    if (flags & HOTKEYF_ALT) hotkey.modifiers |= hotkey_modifier::kAlt;
    if (flags & HOTKEYF_CONTROL) hotkey.modifiers |= hotkey_modifier::kControl;
    if (flags & HOTKEYF_SHIFT) hotkey.modifiers |= hotkey_modifier::kShift;
    return key != 0 && IsUsableHotkey(hotkey) ? hotkey : Hotkey{};
}

}  // namespace

std::vector<int> HotkeyPage::FocusOrder() {
    std::vector<int> order;
    for (const HotkeyRow& row : kRows) {
        order.push_back(row.on);
        order.push_back(row.field);
    }
    return order;
}

void HotkeyPage::Initialise(HWND dialog) {
    dialog_ = dialog;
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const HotkeyRow& row = kRows[i];
        const bool on = !current_[i].IsNone();
        HWND field = ::GetDlgItem(dialog_, row.field);
        // Any combination is taken as typed, a key without modifiers too.
        ::SendMessageW(field, HKM_SETRULES, 0, 0);
        // A row that is off offers its default again when turned on.
        ::SendMessageW(field, HKM_SETHOTKEY, FieldValueOf(on ? current_[i] : kDefaultHotkeys[i]), 0);
        ::CheckDlgButton(dialog_, row.on, on ? BST_CHECKED : BST_UNCHECKED);
        ::EnableWindow(field, on);
    }
}

void HotkeyPage::Place(int pageLeft, int pageTop) const {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        for (const auto& rect : RowRects(kRows[i], static_cast<int>(i))) {
            win32::PlaceControlInTwips(dialog_, rect, pageLeft, pageTop);
        }
    }
}

void HotkeyPage::Show(bool show) const {
    ::ShowWindow(::GetDlgItem(dialog_, IDC_OPTIONS_HOTKEY_PAGE), show ? SW_SHOW : SW_HIDE);
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const HotkeyRow& row = kRows[i];
        ::ShowWindow(::GetDlgItem(dialog_, row.on), show ? SW_SHOW : SW_HIDE);
        ::ShowWindow(::GetDlgItem(dialog_, row.field), show ? SW_SHOW : SW_HIDE);
        ::ShowWindow(::GetDlgItem(dialog_, row.held), show && !available_[i] ? SW_SHOW : SW_HIDE);
    }
}

void HotkeyPage::OnCommand(int id) const {
    for (const HotkeyRow& row : kRows) {
        if (row.on == id) ::EnableWindow(::GetDlgItem(dialog_, row.field), ::IsDlgButtonChecked(dialog_, id) == BST_CHECKED);
    }
}

CaptureHotkeys HotkeyPage::Keys() const {
    CaptureHotkeys keys{};
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (::IsDlgButtonChecked(dialog_, kRows[i].on) != BST_CHECKED) continue;
        keys[i] = HotkeyOf(::SendDlgItemMessageW(dialog_, kRows[i].field, HKM_GETHOTKEY, 0, 0));
    }
    return keys;
}

std::optional<HotkeyProblem> HotkeyPage::FindProblem() const {
    const CaptureHotkeys keys = Keys();
    if (const auto repeated = FindRepeatedHotkey(keys)) {
        // Of the two rows, the one the user changed gets the focus.
        std::size_t row = *repeated;
        for (std::size_t earlier = 0; earlier < row && keys[row] == current_[row]; ++earlier) {
            if (keys[earlier] == keys[row]) row = earlier;
        }
        return HotkeyProblem{IDS_HOTKEY_REPEATED, kRows[row].field};
    }
    // The program has let go of its own keys while the dialog is open, so
    // only another program can refuse one. A key left as it was is not
    // tried: a row already unavailable must not block the other pages.
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (keys[i].IsNone() || keys[i] == current_[i]) continue;
        if (!CanRegisterHotkey(dialog_, keys[i])) return HotkeyProblem{IDS_HOTKEY_HELD, kRows[i].field};
    }
    return std::nullopt;
}

}  // namespace snapora
