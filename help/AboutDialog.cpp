#include "help/AboutDialog.h"

#include <array>
#include <optional>
#include <string_view>

#include "frame/ResourceIds.h"
#include "frame/Texts.h"
#include "win32/logic/VersionInfo.h"
#include "help/HelpResource.h"
#include "help/logic/SysInfoLocation.h"
#include "win32/Registry.h"
#include "win32/Screen.h"
#include "win32/WindowPlacement.h"

namespace snapora {

namespace {

constexpr int kClientWidthTwips = 5865;
constexpr int kClientHeightTwips = 3525;
constexpr int kTitlePoints = 12;
constexpr COLORREF kTitleColour = RGB(0xC0, 0x00, 0x00);
constexpr COLORREF kSeparatorShadow = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kSeparatorLight = RGB(0xFF, 0xFF, 0xFF);

constexpr std::array<win32::TwipsRect, 7> kControlPlaces{{
    {IDC_ABOUT_ICON, 240, 240, 540, 540},
    {IDC_ABOUT_TITLE, 1050, 240, 4092, 480},
    {IDC_ABOUT_VERSION, 1050, 780, 4092, 225},
    {IDC_ABOUT_DESCRIPTION, 1050, 1125, 4092, 1170},
    {IDC_ABOUT_DISCLAIMER, 255, 2625, 3870, 825},
    {IDOK, 4245, 2625, 1467, 345},
    {IDC_ABOUT_SYSINFO, 4260, 3075, 1452, 345},
}};

// The etched separator: a grey line with a white line under it.
constexpr int kShadowLeftTwips = 225;
constexpr int kLightLeftTwips = 240;
constexpr int kSeparatorRightTwips = 5657;
constexpr int kSeparatorTopTwips = 2430;
constexpr int kLightThicknessPixels = 2;

bool IsExistingFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Starts `program` on its own, in a normal window with the focus, and does
// not wait for it.
bool StartProgram(const std::wstring& program) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        return false;
    }
    win32::UniqueKernelHandle processHandle(process.hProcess);
    win32::UniqueKernelHandle threadHandle(process.hThread);
    return true;
}

}  // namespace

void ShowAboutDialog(HWND owner) { AboutDialog::ShowModal(owner); }

void AboutDialog::ShowModal(HWND owner) {
    RunModal(Owner(new AboutDialog(owner)), ::GetModuleHandleW(nullptr), IDD_ABOUT, owner);
}

INT_PTR AboutDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            Initialise();
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                case IDCANCEL:
                    Close(LOWORD(wParam));
                    return TRUE;
                case IDC_ABOUT_SYSINFO:
                    if (HIWORD(wParam) == BN_CLICKED) StartSystemInformation();
                    return TRUE;
                default:
                    return FALSE;
            }
        case WM_PAINT:
            OnPaint();
            return TRUE;
        case WM_DPICHANGED:
            // The suggested place, then the layout and title at the new DPI.
            win32::TakeDpiChange(window_, wParam, reinterpret_cast<const RECT*>(lParam));
            MakeTitleFont();
            PlaceControls();
            ::InvalidateRect(window_, nullptr, TRUE);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        default:
            return FALSE;
    }
}

void AboutDialog::Initialise() {
    win32::SetWindowIcons(window_, IDI_SNAPORA, icons_);
    if (icons_.large) {
        ::SendDlgItemMessageW(window_, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icons_.large.get()), 0);
    }

    MakeTitleFont();
    const std::wstring version = FormatText(IDS_ABOUT_VERSION, FormatVersion(win32::ModuleVersion()));
    ::SetDlgItemTextW(window_, IDC_ABOUT_VERSION, version.c_str());
    ::SetDlgItemTextW(window_, IDC_ABOUT_TITLE, LoadText(IDS_APP_TITLE).c_str());

    PlaceControls();
    win32::CentreOnOwner(window_, owner_);
}

void AboutDialog::MakeTitleFont() {
    win32::UniqueFont font(::CreateFontW(-::MulDiv(kTitlePoints, win32::WindowDpi(window_), 72), 0, 0, 0, FW_BOLD, FALSE,
                                         FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
    if (!font) return;
    ::SendDlgItemMessageW(window_, IDC_ABOUT_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    // The control no longer uses the old font once it has the new one.
    titleFont_ = std::move(font);
}

void AboutDialog::PlaceControls() {
    for (const win32::TwipsRect& place : kControlPlaces) win32::PlaceControlInTwips(window_, place);
    RECT frame{0, 0, win32::TwipsToPixelsX(kClientWidthTwips, window_), win32::TwipsToPixelsY(kClientHeightTwips, window_)};
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_EXSTYLE));
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutDialog::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window_, &paint);
    if (dc) {
        const int right = win32::TwipsToPixelsX(kSeparatorRightTwips, window_);
        const int top = win32::TwipsToPixelsY(kSeparatorTopTwips, window_);
        HBRUSH brush = static_cast<HBRUSH>(::GetStockObject(DC_BRUSH));
        const COLORREF previous = ::SetDCBrushColor(dc, kSeparatorShadow);
        const RECT shadow{win32::TwipsToPixelsX(kShadowLeftTwips, window_), top, right, top + 1};
        ::FillRect(dc, &shadow, brush);
        ::SetDCBrushColor(dc, kSeparatorLight);
        const RECT light{win32::TwipsToPixelsX(kLightLeftTwips, window_), top + 1, right, top + 1 + kLightThicknessPixels};
        ::FillRect(dc, &light, brush);
        ::SetDCBrushColor(dc, previous);
    }
    ::EndPaint(window_, &paint);
}

INT_PTR AboutDialog::OnCtlColorStatic(HDC dc, HWND control) {
    if (::GetDlgCtrlID(control) != IDC_ABOUT_TITLE) return FALSE;
    ::SetTextColor(dc, kTitleColour);
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
}

void AboutDialog::Close(int result) { ::EndDialog(window_, result); }

void AboutDialog::StartSystemInformation() {
    try {
        std::optional<std::wstring> pathValue;
        std::optional<std::wstring> folderValue;
        std::wstring value;
        if (GetKeyValue(HKEY_LOCAL_MACHINE, kSysInfoPathKey, kSysInfoPathValue, value)) {
            pathValue = value;
        } else if (GetKeyValue(HKEY_LOCAL_MACHINE, kSysInfoFolderKey, kSysInfoFolderValue, value)) {
            folderValue = value;
        }
        const auto program = ChooseSysInfoProgram(pathValue, folderValue, &IsExistingFile);
        if (program && StartProgram(*program)) return;
    } catch (...) {
        // Whatever went wrong, the user hears only that the tool is not there.
    }
    ShowSysInfoUnavailable();
}

void AboutDialog::ShowSysInfoUnavailable() {
    ShowMessage(window_, LoadText(IDS_SYSINFO_UNAVAILABLE));
}

bool AboutDialog::GetKeyValue(HKEY root, const std::wstring& keyPath, const std::wstring& valueName,
                              std::wstring& value) {
    value.clear();
    const win32::UniqueRegKey key = win32::OpenKeyToRead(root, keyPath.c_str());
    if (!key) return false;
    const win32::RegistryValue read = win32::ReadRegistryValue(key.get(), valueName.c_str(), MAXDWORD);
    if (read.kind != win32::RegistryKind::Text) return false;
    value = TextUpToFirstNul(read.units);
    return true;
}

}  // namespace snapora
