#include "settings/OptionsDialog.h"

#include <commctrl.h>

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "frame/ResourceIds.h"
#include "frame/Texts.h"
#include "settings/HotkeyPage.h"
#include "settings/SettingsResource.h"
#include "settings/logic/OptionsRules.h"
#include "win32/CommonControls.h"
#include "win32/Handle.h"
#include "win32/Screen.h"
#include "win32/Window.h"
#include "win32/WindowPlacement.h"

namespace snapora {

namespace {

constexpr wchar_t kPageClass[] = L"SnaporaOptionsPage";

// Geometry in twips; page controls relative to their page. The picture
// format's and the screen range's rows each made the pages, and so the
// dialog, one row taller.
constexpr int kDialogWidthTwips = 4200;
constexpr int kDialogHeightTwips = 5550;
constexpr int kPageLeft = 480;
constexpr int kPageTop = 720;
constexpr int kHotkeyPage = 3;
constexpr int kGeneralPage = 4;

constexpr std::array<win32::TwipsRect, 7> kDialogControls{{
    {IDC_OPTIONS_TAB, 240, 240, 3615, 4095},
    {IDC_OPTIONS_AUTOMATIC_PAGE, kPageLeft, kPageTop, 3135, 3375},
    {IDC_OPTIONS_POINTER_AREA_PAGE, kPageLeft, kPageTop, 3135, 3375},
    {IDC_OPTIONS_HOTKEY_PAGE, kPageLeft, kPageTop, 3135, 3375},
    {IDC_OPTIONS_GENERAL_PAGE, kPageLeft, kPageTop, 3135, 3375},
    {IDC_OPTIONS_OK, 690, 4530, 1095, 375},
    {IDCANCEL, 2370, 4530, 1095, 375},
}};

// The lists' heights include their drop-down parts.
constexpr std::array<win32::TwipsRect, 12> kPage1Controls{{
    {IDC_OPTIONS_PREFIX_LABEL, 120, 480, 1080, 195},
    {IDC_OPTIONS_PREFIX, 1680, 480, 1215, 300},
    {IDC_OPTIONS_INTERVAL_LABEL, 120, 960, 990, 195},
    {IDC_OPTIONS_INTERVAL, 1680, 960, 1215, 300},
    {IDC_OPTIONS_DURATION_LABEL, 120, 1440, 990, 195},
    {IDC_OPTIONS_DURATION, 1680, 1440, 1215, 300},
    {IDC_OPTIONS_FOLDER_LABEL, 120, 1920, 1425, 195},
    {IDC_OPTIONS_FOLDER, 1680, 1920, 1215, 300},
    {IDC_OPTIONS_FORMAT_LABEL, 120, 2400, 990, 195},
    {IDC_OPTIONS_FORMAT, 1680, 2400, 1215, 1200},
    {IDC_OPTIONS_RANGE_LABEL, 120, 2880, 990, 195},
    {IDC_OPTIONS_RANGE, 1680, 2880, 1215, 1200},
}};

constexpr std::array<win32::TwipsRect, 4> kPage2Controls{{
    {IDC_OPTIONS_AREA_HEIGHT_LABEL, 120, 480, 1170, 195},
    {IDC_OPTIONS_AREA_HEIGHT, 1440, 480, 1455, 300},
    {IDC_OPTIONS_AREA_WIDTH_LABEL, 120, 1080, 1170, 195},
    {IDC_OPTIONS_AREA_WIDTH, 1440, 1080, 1455, 300},
}};

constexpr std::array<win32::TwipsRect, 2> kPage4Controls{{
    {IDC_OPTIONS_NOTIFICATION_ICON, 120, 480, 2895, 330},
    {IDC_OPTIONS_START_WITH_WINDOWS, 120, 960, 2895, 330},
}};

// Keyboard focus order. It differs from the stacking order, which must keep
// the tab strip at the back, so Tab is handled here rather than by the
// dialog manager. The capture keys' rows come next, then the page "常规".
constexpr std::array<int, 11> kPagesFocusOrder{IDC_OPTIONS_OK,         IDCANCEL,             IDC_OPTIONS_TAB,
                                               IDC_OPTIONS_PREFIX,     IDC_OPTIONS_DURATION, IDC_OPTIONS_INTERVAL,
                                               IDC_OPTIONS_AREA_WIDTH, IDC_OPTIONS_AREA_HEIGHT, IDC_OPTIONS_FOLDER,
                                               IDC_OPTIONS_FORMAT,     IDC_OPTIONS_RANGE};
constexpr std::array<int, 2> kGeneralFocusOrder{IDC_OPTIONS_NOTIFICATION_ICON, IDC_OPTIONS_START_WITH_WINDOWS};

constexpr UINT_PTR kFocusSubclassId = 1;

LRESULT PaintPage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = ::BeginPaint(window, &paint);
        if (dc) {
            RECT rect{};
            ::GetClientRect(window, &rect);
            ::FillRect(dc, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
            ::DrawEdge(dc, &rect, EDGE_ETCHED, BF_RECT);
        }
        ::EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return win32::Guarded<LRESULT>(0, [&] { return PaintPage(window, message, wParam, lParam); });
}

class OptionsDialog : public win32::WindowBase<OptionsDialog, win32::WindowKind::Dialog> {
public:
    // Shows the dialog; the settings OK applied, or nothing.
    static std::optional<CaptureSettings> Run(HWND owner, const CaptureSettings& current,
                                              const HotkeyAvailability& available) {
        std::optional<CaptureSettings> applied;
        RunModal(Owner(new OptionsDialog(current, available, applied)), ::GetModuleHandleW(nullptr), IDD_OPTIONS,
                 owner);
        return applied;
    }

private:
    friend class win32::WindowBase<OptionsDialog, win32::WindowKind::Dialog>;
    // `applied` lives on the stack of Run, below the dialog's modal loop.
    OptionsDialog(const CaptureSettings& current, const HotkeyAvailability& available,
                  std::optional<CaptureSettings>& applied)
        : settings_(current), applied_(applied), hotkeyPage_(current.hotkeys, available) {}

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Initialise();
    void PlaceControls();
    void ShowSelectedPage();
    void ApplyAndClose();
    void Cancel();
    void AnewInput(int fieldId);
    // Shows what is wrong, then the page and field to mend it.
    static void ReportProblem(HWND dialog, const std::wstring& message, int page, int fieldId);
    void SelectTab(int page);
    void MoveFocus(HWND from, bool backwards);
    [[nodiscard]] int SelectedPage() const;
    [[nodiscard]] std::wstring FieldText(int id) const;
    void SetFieldText(int id, const std::wstring& text);
    void FillFormatList();
    [[nodiscard]] PictureFormat SelectedFormat() const;
    void FillRangeList();
    [[nodiscard]] ScreenRange SelectedRange() const;

    static LRESULT CALLBACK FocusOrderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR data) noexcept;
    static LRESULT FollowFocusOrder(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR data);

    CaptureSettings settings_;
    std::optional<CaptureSettings>& applied_;
    HotkeyPage hotkeyPage_;
    // Tab's order over every page's controls.
    std::vector<int> focusOrder_;
    win32::WindowIcons icons_;
};

INT_PTR OptionsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            Initialise();
            // Focus starts on OK, not on the first field.
            ::SetFocus(::GetDlgItem(window_, IDC_OPTIONS_OK));
            return FALSE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_OPTIONS_OK:
                    if (HIWORD(wParam) == BN_CLICKED) ApplyAndClose();
                    return TRUE;
                case IDCANCEL:
                    Cancel();
                    return TRUE;
                case IDOK: {
                    // Enter with no default button: it presses the button
                    // that has the focus, and nothing in a field.
                    HWND focus = ::GetFocus();
                    if (focus == ::GetDlgItem(window_, IDC_OPTIONS_OK)) {
                        ApplyAndClose();
                    } else if (focus == ::GetDlgItem(window_, IDCANCEL)) {
                        Cancel();
                    }
                    return TRUE;
                }
                default:
                    hotkeyPage_.OnCommand(LOWORD(wParam));
                    return FALSE;
            }
        case WM_DPICHANGED:
            win32::TakeDpiChange(window_, wParam, reinterpret_cast<const RECT*>(lParam));
            PlaceControls();
            return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == IDC_OPTIONS_TAB && header->code == TCN_SELCHANGE) ShowSelectedPage();
            return FALSE;
        }
        default:
            return FALSE;
    }
}

void OptionsDialog::Initialise() {
    // The program's icon, as the about box and the help window carry it.
    win32::SetWindowIcons(window_, IDI_SNAPORA, icons_);

    const OptionsTexts texts = TextsFromSettings(settings_, settings_.automaticIntervalMs);
    SetFieldText(IDC_OPTIONS_PREFIX, texts.prefix);
    SetFieldText(IDC_OPTIONS_INTERVAL, texts.interval);
    SetFieldText(IDC_OPTIONS_DURATION, texts.duration);
    SetFieldText(IDC_OPTIONS_FOLDER, texts.folder);
    SetFieldText(IDC_OPTIONS_AREA_HEIGHT, texts.height);
    SetFieldText(IDC_OPTIONS_AREA_WIDTH, texts.width);
    FillFormatList();
    FillRangeList();
    for (int id : {IDC_OPTIONS_PREFIX, IDC_OPTIONS_FOLDER}) {
        ::SendDlgItemMessageW(window_, id, EM_LIMITTEXT, kMaxNameLength, 0);
    }
    hotkeyPage_.Initialise(window_);

    HWND tab = ::GetDlgItem(window_, IDC_OPTIONS_TAB);
    std::wstring first = LoadText(IDS_OPTIONS_AUTOMATIC_TAB);
    std::wstring second = LoadText(IDS_OPTIONS_POINTER_AREA_TAB);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = first.data();
    ::SendMessageW(tab, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.pszText = second.data();
    ::SendMessageW(tab, TCM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&item));
    std::wstring third = LoadText(IDS_OPTIONS_HOTKEY_TAB);
    item.pszText = third.data();
    ::SendMessageW(tab, TCM_INSERTITEMW, 2, reinterpret_cast<LPARAM>(&item));
    std::wstring fourth = LoadText(IDS_OPTIONS_GENERAL_TAB);
    item.pszText = fourth.data();
    ::SendMessageW(tab, TCM_INSERTITEMW, 3, reinterpret_cast<LPARAM>(&item));
    ::CheckDlgButton(window_, IDC_OPTIONS_NOTIFICATION_ICON, settings_.notificationIcon ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(window_, IDC_OPTIONS_START_WITH_WINDOWS, settings_.startWithWindows ? BST_CHECKED : BST_UNCHECKED);
    ::SendMessageW(tab, TCM_SETCURSEL, 0, 0);

    focusOrder_.assign(kPagesFocusOrder.begin(), kPagesFocusOrder.end());
    const std::vector<int> keyRows = HotkeyPage::FocusOrder();
    focusOrder_.insert(focusOrder_.end(), keyRows.begin(), keyRows.end());
    focusOrder_.insert(focusOrder_.end(), kGeneralFocusOrder.begin(), kGeneralFocusOrder.end());
    for (int id : focusOrder_) {
        win32::SetSubclass(::GetDlgItem(window_, id), &OptionsDialog::FocusOrderProc, kFocusSubclassId,
                           reinterpret_cast<DWORD_PTR>(this));
    }
    PlaceControls();
    win32::CentreOnOwner(window_, ::GetWindow(window_, GW_OWNER));
    ShowSelectedPage();
}

void OptionsDialog::PlaceControls() {
    ::SetWindowPos(window_, nullptr, 0, 0, win32::TwipsToPixelsX(kDialogWidthTwips, window_),
                   win32::TwipsToPixelsY(kDialogHeightTwips, window_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& rect : kDialogControls) win32::PlaceControlInTwips(window_, rect);
    for (const auto& rect : kPage1Controls) win32::PlaceControlInTwips(window_, rect, kPageLeft, kPageTop);
    for (const auto& rect : kPage2Controls) win32::PlaceControlInTwips(window_, rect, kPageLeft, kPageTop);
    for (const auto& rect : kPage4Controls) win32::PlaceControlInTwips(window_, rect, kPageLeft, kPageTop);
    hotkeyPage_.Place(kPageLeft, kPageTop);
}

int OptionsDialog::SelectedPage() const {
    return static_cast<int>(::SendDlgItemMessageW(window_, IDC_OPTIONS_TAB, TCM_GETCURSEL, 0, 0)) + 1;
}

void OptionsDialog::ShowSelectedPage() {
    const auto showPage = [this](int page, bool show) {
        const int command = show ? SW_SHOW : SW_HIDE;
        const std::span<const win32::TwipsRect> controls =
            page == 1 ? std::span<const win32::TwipsRect>(kPage1Controls)
                      : (page == 2 ? std::span<const win32::TwipsRect>(kPage2Controls) : kPage4Controls);
        const int frame = page == 1 ? IDC_OPTIONS_AUTOMATIC_PAGE
                                    : (page == 2 ? IDC_OPTIONS_POINTER_AREA_PAGE : IDC_OPTIONS_GENERAL_PAGE);
        ::ShowWindow(::GetDlgItem(window_, frame), command);
        for (const auto& rect : controls) ::ShowWindow(::GetDlgItem(window_, rect.id), command);
    };
    showPage(1, false);
    showPage(2, false);
    showPage(kGeneralPage, false);
    hotkeyPage_.Show(false);
    ::SetWindowPos(::GetDlgItem(window_, IDC_OPTIONS_TAB), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (SelectedPage() == kHotkeyPage) {
        hotkeyPage_.Show(true);
    } else {
        showPage(SelectedPage(), true);
    }
}

void OptionsDialog::SelectTab(int page) {
    ::SendDlgItemMessageW(window_, IDC_OPTIONS_TAB, TCM_SETCURSEL, static_cast<WPARAM>(page - 1), 0);
    ShowSelectedPage();
}

void OptionsDialog::AnewInput(int fieldId) {
    HWND field = ::GetDlgItem(window_, fieldId);
    ::SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    // A key field has no text to select.
    if (SelectedPage() != kHotkeyPage) ::SendMessageW(field, EM_SETSEL, 0, ::GetWindowTextLengthW(field));
}

void OptionsDialog::ReportProblem(HWND dialog, const std::wstring& message, int page, int fieldId) {
    ShowMessage(dialog, message);
    // The message box ran a modal loop, in which the dialog may have been
    // destroyed with its owner (the end of the session): only the handle,
    // looked up again.
    OptionsDialog* self = FromHandle(dialog);
    if (!self) return;
    self->SelectTab(page);
    self->AnewInput(fieldId);
}

int FieldIdOf(OptionsField field) {
    switch (field) {
        case OptionsField::Duration:
            return IDC_OPTIONS_DURATION;
        case OptionsField::Interval:
            return IDC_OPTIONS_INTERVAL;
        case OptionsField::Folder:
            return IDC_OPTIONS_FOLDER;
        case OptionsField::Prefix:
            return IDC_OPTIONS_PREFIX;
        case OptionsField::Height:
            return IDC_OPTIONS_AREA_HEIGHT;
        case OptionsField::Width:
            return IDC_OPTIONS_AREA_WIDTH;
    }
    return IDC_OPTIONS_DURATION;
}

void OptionsDialog::ApplyAndClose() {
    OptionsTexts texts;
    texts.prefix = FieldText(IDC_OPTIONS_PREFIX);
    texts.interval = FieldText(IDC_OPTIONS_INTERVAL);
    texts.duration = FieldText(IDC_OPTIONS_DURATION);
    texts.folder = FieldText(IDC_OPTIONS_FOLDER);
    texts.height = FieldText(IDC_OPTIONS_AREA_HEIGHT);
    texts.width = FieldText(IDC_OPTIONS_AREA_WIDTH);
    if (const auto problem = FindOptionsProblem(texts)) {
        ReportProblem(window_, std::wstring(problem->message), problem->page, FieldIdOf(problem->field));
        return;  // `this` may be gone
    }
    if (const auto problem = hotkeyPage_.FindProblem()) {
        ReportProblem(window_, LoadText(problem->messageId), kHotkeyPage, problem->fieldId);
        return;  // `this` may be gone
    }
    OptionsValues values = ValuesFromTexts(texts);
    values.automaticFormat = SelectedFormat();
    ApplyValues(values, settings_);
    settings_.screenRange = SelectedRange();
    settings_.automaticIntervalMs = values.intervalMs;
    settings_.hotkeys = hotkeyPage_.Keys();
    settings_.notificationIcon = ::IsDlgButtonChecked(window_, IDC_OPTIONS_NOTIFICATION_ICON) == BST_CHECKED;
    settings_.startWithWindows = ::IsDlgButtonChecked(window_, IDC_OPTIONS_START_WITH_WINDOWS) == BST_CHECKED;
    applied_ = settings_;
    ::EndDialog(window_, TRUE);
}

void OptionsDialog::Cancel() { ::EndDialog(window_, FALSE); }

void OptionsDialog::MoveFocus(HWND from, bool backwards) {
    const int count = static_cast<int>(focusOrder_.size());
    int index = 0;
    while (index < count && ::GetDlgItem(window_, focusOrder_[static_cast<std::size_t>(index)]) != from) ++index;
    for (int step = 1; step <= count; ++step) {
        const int next = ((backwards ? index - step : index + step) % count + count) % count;
        HWND candidate = ::GetDlgItem(window_, focusOrder_[static_cast<std::size_t>(next)]);
        if (candidate && ::IsWindowVisible(candidate) && ::IsWindowEnabled(candidate)) {
            ::SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(candidate), TRUE);
            return;
        }
    }
}

LRESULT CALLBACK OptionsDialog::FocusOrderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                               DWORD_PTR data) noexcept {
    return win32::Guarded<LRESULT>(0, [&] { return FollowFocusOrder(window, message, wParam, lParam, id, data); });
}

LRESULT OptionsDialog::FollowFocusOrder(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR data) {
    auto* self = reinterpret_cast<OptionsDialog*>(data);
    switch (message) {
        case WM_GETDLGCODE:
            return win32::CallNextSubclass(window, message, wParam, lParam) | DLGC_WANTTAB;
        case WM_KEYDOWN:
            if (wParam == VK_TAB) {
                self->MoveFocus(window, ::GetKeyState(VK_SHIFT) < 0);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\t') return 0;
            break;
        case WM_NCDESTROY:
            win32::RemoveSubclass(window, &OptionsDialog::FocusOrderProc, id);
            break;
        default:
            break;
    }
    return win32::CallNextSubclass(window, message, wParam, lParam);
}

std::wstring OptionsDialog::FieldText(int id) const { return win32::WindowText(::GetDlgItem(window_, id)); }

void OptionsDialog::SetFieldText(int id, const std::wstring& text) { ::SetDlgItemTextW(window_, id, text.c_str()); }

void OptionsDialog::FillFormatList() {
    const std::span<const PictureFormat> formats = AutomaticPictureFormats();
    HWND list = ::GetDlgItem(window_, IDC_OPTIONS_FORMAT);
    for (std::size_t i = 0; i < formats.size(); ++i) {
        const std::wstring name = LoadText(PictureFormatRowOf(formats[i]).automaticText);
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (formats[i] == settings_.automaticFormat) ::SendMessageW(list, CB_SETCURSEL, i, 0);
    }
}

PictureFormat OptionsDialog::SelectedFormat() const {
    const LRESULT index = ::SendDlgItemMessageW(window_, IDC_OPTIONS_FORMAT, CB_GETCURSEL, 0, 0);
    const std::span<const PictureFormat> formats = AutomaticPictureFormats();
    if (index < 0 || static_cast<std::size_t>(index) >= formats.size()) return settings_.automaticFormat;
    return formats[static_cast<std::size_t>(index)];
}

void OptionsDialog::FillRangeList() {
    constexpr std::array<UINT, kScreenRanges.size()> kNames{IDS_OPTIONS_RANGE_PRIMARY, IDS_OPTIONS_RANGE_ALL,
                                                            IDS_OPTIONS_RANGE_POINTER};
    HWND list = ::GetDlgItem(window_, IDC_OPTIONS_RANGE);
    for (std::size_t i = 0; i < kScreenRanges.size(); ++i) {
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadText(kNames[i]).c_str()));
        if (kScreenRanges[i] == settings_.screenRange) ::SendMessageW(list, CB_SETCURSEL, i, 0);
    }
}

ScreenRange OptionsDialog::SelectedRange() const {
    const LRESULT index = ::SendDlgItemMessageW(window_, IDC_OPTIONS_RANGE, CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= kScreenRanges.size()) return settings_.screenRange;
    return kScreenRanges[static_cast<std::size_t>(index)];
}

}  // namespace

std::optional<CaptureSettings> ShowOptionsDialog(HWND owner, const CaptureSettings& current,
                                                 const HotkeyAvailability& hotkeysAvailable) {
    if (!win32::RegisterWindowClassOnce(::GetModuleHandleW(nullptr), kPageClass, PageProc)) return std::nullopt;
    if (!win32::UseCommonControls(ICC_HOTKEY_CLASS | ICC_TAB_CLASSES)) return std::nullopt;  // tabs, key fields
    return OptionsDialog::Run(owner, current, hotkeysAvailable);
}

}  // namespace snapora
