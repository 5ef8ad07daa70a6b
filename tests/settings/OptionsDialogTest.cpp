// The options dialog driven as a user would: it is modal, so each test
// runs its steps from a thread timer inside the dialog's own message loop
// and only posts input, never sends a click that would open another loop.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/resource.h"
#include "settings/SettingsResource.h"
#include "support/Dialogs.h"
#include "support/FreedObjectTrap.h"
#include "support/Input.h"
#include "support/UiTest.h"
#include "win32/Screen.h"

namespace snapora::test {
namespace {

using OptionsDialog = MainWindowTest;

HWND FindOptionsDialog() { return FindDialogWith(IDC_OPTIONS_TAB); }

// Opens the dialog, lets `look` check it, then cancels it.
void LookAtOptions(MainWindow& main, const std::function<void(HWND dialog)>& look) {
    DialogScript script({[&] {
        HWND dialog = FindOptionsDialog();
        if (!dialog) return false;
        look(dialog);
        Press(dialog, IDCANCEL);
        return true;
    }});
    main.Execute(ID_SETTINGS_OPTIONS);
    EXPECT_TRUE(script.Finished());
}

struct Fields {
    std::wstring prefix, interval, duration, folder, height, width, format, range;
};

Fields ReadFields(HWND dialog) {
    const auto text = [dialog](int id) { return WindowText(::GetDlgItem(dialog, id)); };
    return {text(IDC_OPTIONS_PREFIX),      text(IDC_OPTIONS_INTERVAL),    text(IDC_OPTIONS_DURATION),
            text(IDC_OPTIONS_FOLDER),      text(IDC_OPTIONS_AREA_HEIGHT), text(IDC_OPTIONS_AREA_WIDTH),
            text(IDC_OPTIONS_FORMAT),      text(IDC_OPTIONS_RANGE)};
}

void SetField(HWND dialog, int id, const wchar_t* text) { ::SetDlgItemTextW(dialog, id, text); }

bool Visible(HWND dialog, int id) { return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE; }

int SelectedTab(HWND dialog) {
    return static_cast<int>(::SendDlgItemMessageW(dialog, IDC_OPTIONS_TAB, TCM_GETCURSEL, 0, 0)) + 1;
}

// Which page shows: its frame and fields visible, the other page's hidden.
int ShownPage(HWND dialog) {
    const bool one = Visible(dialog, IDC_OPTIONS_AUTOMATIC_PAGE) && Visible(dialog, IDC_OPTIONS_PREFIX) &&
                     Visible(dialog, IDC_OPTIONS_FOLDER) && Visible(dialog, IDC_OPTIONS_FOLDER_LABEL);
    const bool two = Visible(dialog, IDC_OPTIONS_POINTER_AREA_PAGE) && Visible(dialog, IDC_OPTIONS_AREA_HEIGHT) &&
                     Visible(dialog, IDC_OPTIONS_AREA_WIDTH_LABEL);
    const bool anyOfOne = Visible(dialog, IDC_OPTIONS_AUTOMATIC_PAGE) || Visible(dialog, IDC_OPTIONS_INTERVAL);
    const bool anyOfTwo = Visible(dialog, IDC_OPTIONS_POINTER_AREA_PAGE) || Visible(dialog, IDC_OPTIONS_AREA_WIDTH);
    if (one && !anyOfTwo) return 1;
    if (two && !anyOfOne) return 2;
    return 0;
}

// After a rejected OK: the message, then the field focused with all its text
// selected on the page that shows it.
struct Rejection {
    std::wstring message;
    std::wstring boxTitle;
    int page = 0;
    int tab = 0;
    int focusedId = 0;
    DWORD selectionStart = 99;
    DWORD selectionEnd = 0;
    int textLength = -1;
};

// Switches the tab strip as a click on a tab does.
void ShowPage(HWND dialog, int page) {
    HWND tab = ::GetDlgItem(dialog, IDC_OPTIONS_TAB);
    ::SendMessageW(tab, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    NMHDR header{tab, IDC_OPTIONS_TAB, TCN_SELCHANGE};
    ::SendMessageW(dialog, WM_NOTIFY, IDC_OPTIONS_TAB, reinterpret_cast<LPARAM>(&header));
}

std::vector<DialogScript::Step> RejectThenCancel(const std::function<void(HWND)>& fill, Rejection& seen) {
    return {
        [fill] {
            HWND dialog = FindOptionsDialog();
            if (!dialog) return false;
            fill(dialog);
            Press(dialog, IDC_OPTIONS_OK);
            return true;
        },
        [&seen] {
            HWND box = FindMessageBox();
            if (!box) return false;
            seen.message = MessageBoxText(box);
            seen.boxTitle = WindowText(box);
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&seen] {
            HWND dialog = FindOptionsDialog();
            if (FindMessageBox() || !dialog) return false;
            HWND focus = ::GetFocus();
            if (!focus || ::GetParent(focus) != dialog) return false;
            seen.page = ShownPage(dialog);
            seen.tab = SelectedTab(dialog);
            seen.focusedId = ::GetDlgCtrlID(focus);
            ::SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&seen.selectionStart),
                           reinterpret_cast<LPARAM>(&seen.selectionEnd));
            seen.textLength = ::GetWindowTextLengthW(focus);
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        },
    };
}

TEST_F(OptionsDialog, FirstOpeningShowsTheDefaultsOnTheFirstPageWithFocusOnOk) {
    LookAtOptions(Main(), [&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), L"截图选项设置");
        const Fields fields = ReadFields(dialog);
        EXPECT_EQ(fields.prefix, L"Automatic");
        EXPECT_EQ(fields.interval, L"10");
        EXPECT_EQ(fields.duration, L"2");
        EXPECT_EQ(fields.folder, L"CapPicture");
        EXPECT_EQ(fields.height, L"120");
        EXPECT_EQ(fields.width, L"160");
        EXPECT_EQ(fields.format, L"BMP 位图");
        EXPECT_EQ(fields.range, L"主显示器");
        EXPECT_EQ(ShownPage(dialog), 1);
        EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), IDC_OPTIONS_OK);
        EXPECT_FALSE(::GetWindowLongPtrW(::GetDlgItem(dialog, IDC_OPTIONS_OK), GWL_STYLE) & BS_DEFPUSHBUTTON);
        EXPECT_FALSE(::GetWindowLongPtrW(dialog, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        RECT outer{};
        RECT owner{};
        ::GetWindowRect(dialog, &outer);
        ::GetWindowRect(Main().Handle(), &owner);
        EXPECT_EQ(outer.right - outer.left, win32::TwipsToPixelsX(4200));
        EXPECT_EQ(outer.bottom - outer.top, win32::TwipsToPixelsY(5550));
        EXPECT_NEAR((outer.left + outer.right) / 2, (owner.left + owner.right) / 2, 1);
        // Centred on the main window, unless that would push it off the top.
        RECT work{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        if (outer.top != work.top) {
            EXPECT_NEAR((outer.top + outer.bottom) / 2, (owner.top + owner.bottom) / 2, 1);
        }
        EXPECT_GE(outer.top, work.top);
    });
}

TEST_F(OptionsDialog, EveryPageIsTidyAndSitsInTheTabStripBelowItsTabs) {
    const wchar_t* const names[] = {L"自动截图", L"光标截图", L"热键", L"常规"};
    const int frames[] = {IDC_OPTIONS_AUTOMATIC_PAGE, IDC_OPTIONS_POINTER_AREA_PAGE, IDC_OPTIONS_HOTKEY_PAGE,
                          IDC_OPTIONS_GENERAL_PAGE};
    LookAtOptions(Main(), [&](HWND dialog) {
        HWND tab = ::GetDlgItem(dialog, IDC_OPTIONS_TAB);
        RECT display{};
        ::GetWindowRect(tab, &display);
        ::SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        for (const int page : {0, 1, 2, 3}) {
            SCOPED_TRACE(testing::Message() << "page " << page + 1);
            ShowPage(dialog, page);
            wchar_t text[32] = {};
            TCITEMW item{TCIF_TEXT};
            item.pszText = text;
            item.cchTextMax = 32;
            ::SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
            EXPECT_EQ(std::wstring(text), names[page]);
            ExpectTidyLayout(dialog);
            RECT frame{};
            ::GetWindowRect(::GetDlgItem(dialog, frames[page]), &frame);
            RECT inside{};
            ::IntersectRect(&inside, &frame, &display);
            EXPECT_TRUE(::EqualRect(&inside, &frame)) << "the page reaches out of the tab strip's display area";
        }
    });
}

TEST_F(OptionsDialog, TabKeyFollowsTheFocusOrderAndSkipsTheHiddenPage) {
    std::vector<int> order;
    const auto pressTab = [&order](std::size_t expectedCount) {
        return [&order, expectedCount] {
            HWND focus = ::GetFocus();
            if (!focus) return false;
            order.push_back(::GetDlgCtrlID(focus));
            if (order.size() >= expectedCount) return true;
            PressKey(VK_TAB);
            return false;
        };
    };
    // Each step records the focus; the next timer tick sees the moved focus.
    std::vector<DialogScript::Step> steps;
    steps.push_back([] { return FindOptionsDialog() != nullptr; });
    steps.push_back(pressTab(10));
    steps.push_back([] {
        // The right arrow on the focused tab strip selects page 2.
        HWND dialog = FindOptionsDialog();
        HWND tab = ::GetDlgItem(dialog, IDC_OPTIONS_TAB);
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tab), TRUE);
        PressKey(VK_RIGHT);
        return true;
    });
    steps.push_back([] { return ShownPage(FindOptionsDialog()) == 2; });
    steps.push_back(pressTab(14));
    steps.push_back([] {
        Press(FindOptionsDialog(), IDCANCEL);
        return true;
    });
    DialogScript script(std::move(steps));
    Main().Execute(ID_SETTINGS_OPTIONS);
    ASSERT_TRUE(script.Finished());
    const std::vector<int> expected = {IDC_OPTIONS_OK,       IDCANCEL,             IDC_OPTIONS_TAB,
                                       IDC_OPTIONS_PREFIX,  IDC_OPTIONS_DURATION, IDC_OPTIONS_INTERVAL,
                                       IDC_OPTIONS_FOLDER,   IDC_OPTIONS_FORMAT,   IDC_OPTIONS_RANGE,
                                       IDC_OPTIONS_OK,       IDC_OPTIONS_TAB,
                                       IDC_OPTIONS_AREA_WIDTH, IDC_OPTIONS_AREA_HEIGHT, IDC_OPTIONS_OK};
    EXPECT_EQ(order, expected);
}

TEST_F(OptionsDialog, BadHeightOnPageOneSwitchesToPageTwoAndSelectsTheField) {
    Rejection seen;
    DialogScript script(RejectThenCancel(
        [](HWND dialog) {
            SetField(dialog, IDC_OPTIONS_AREA_HEIGHT, L"100.5");
            SetField(dialog, IDC_OPTIONS_PREFIX, L"changed");
        },
        seen));
    Main().Execute(ID_SETTINGS_OPTIONS);
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ(seen.message, L"截图高度应设60~480之间的正整数！");
    EXPECT_EQ(seen.boxTitle, L"Snapora");
    EXPECT_EQ(seen.page, 2);
    EXPECT_EQ(seen.tab, 2);
    EXPECT_EQ(seen.focusedId, IDC_OPTIONS_AREA_HEIGHT);
    EXPECT_EQ(seen.selectionStart, 0u);
    EXPECT_EQ(seen.selectionEnd, 5u);
    // Nothing was applied, and Cancel applied nothing either.
    EXPECT_EQ(Main().Settings().automaticPrefix, L"Automatic");
    EXPECT_EQ(Main().Settings().pointerAreaHeight, 120);
}

TEST_F(OptionsDialog, OnlyTheFirstFailingCheckIsReportedOnItsPage) {
    struct Case {
        std::vector<std::pair<int, const wchar_t*>> fields;
        const wchar_t* message;
        int focusedId;
        DWORD selectionEnd;
    };
    const Case cases[] = {
        {{{IDC_OPTIONS_DURATION, L"0"}, {IDC_OPTIONS_AREA_WIDTH, L"0"}},
         L"持续时间应设为正数，且以控制在一个小时之内为宜！", IDC_OPTIONS_DURATION, 1},
        {{{IDC_OPTIONS_PREFIX, L"..\\..\\x"}}, L"截图名称前缀不合法！", IDC_OPTIONS_PREFIX, 7},
    };
    for (const Case& check : cases) {
        SCOPED_TRACE(check.message);
        Rejection seen;
        DialogScript script(RejectThenCancel(
            [&check](HWND dialog) {
                // Show page 2 first, so the switch back to page 1 is visible.
                ShowPage(dialog, 1);
                for (const auto& [id, text] : check.fields) SetField(dialog, id, text);
            },
            seen));
        Main().Execute(ID_SETTINGS_OPTIONS);
        ASSERT_TRUE(script.Finished());
        EXPECT_EQ(seen.message, check.message);
        EXPECT_EQ(seen.page, 1);
        EXPECT_EQ(seen.focusedId, check.focusedId);
        EXPECT_EQ(seen.selectionStart, 0u);
        EXPECT_EQ(seen.selectionEnd, check.selectionEnd);
        EXPECT_EQ(Main().Settings().automaticPrefix, L"Automatic");
    }
}

TEST_F(OptionsDialog, CancelAndCloseKeepTheValuesOkAppliesThemForTheNextOpening) {
    const auto typeAndLeave = [](UINT leaveMessage, WPARAM leaveParam) {
        return [leaveMessage, leaveParam] {
            HWND dialog = FindOptionsDialog();
            if (!dialog) return false;
            SetField(dialog, IDC_OPTIONS_DURATION, L"0.5");
            SetField(dialog, IDC_OPTIONS_INTERVAL, L"7");
            SetField(dialog, IDC_OPTIONS_PREFIX, L"");
            SetField(dialog, IDC_OPTIONS_FOLDER, L"my pics");
            SetField(dialog, IDC_OPTIONS_AREA_HEIGHT, L" 480 ");
            SetField(dialog, IDC_OPTIONS_AREA_WIDTH, L"80");
            ::SendDlgItemMessageW(dialog, IDC_OPTIONS_FORMAT, CB_SETCURSEL, 1, 0);
            ::SendDlgItemMessageW(dialog, IDC_OPTIONS_RANGE, CB_SETCURSEL, 2, 0);
            ::PostMessageW(dialog, leaveMessage, leaveParam,
                           leaveMessage == WM_COMMAND
                               ? reinterpret_cast<LPARAM>(::GetDlgItem(dialog, LOWORD(leaveParam)))
                               : 0);
            return true;
        };
    };
    for (const auto& [message, param] : {std::pair<UINT, WPARAM>{WM_COMMAND, IDCANCEL}, {WM_CLOSE, 0}}) {
        DialogScript script({typeAndLeave(message, param)});
        Main().Execute(ID_SETTINGS_OPTIONS);
        ASSERT_TRUE(script.Finished());
        EXPECT_EQ(Main().Settings().automaticDuration, 120.0f);
        EXPECT_EQ(Capture().Timer(CaptureTimer::Automatic).Interval(), 10000u);
        EXPECT_EQ(Main().Settings().automaticPrefix, L"Automatic");
        EXPECT_EQ(Main().Settings().automaticFormat, PictureFormat::Bmp);
        EXPECT_EQ(Main().Settings().screenRange, ScreenRange::Primary);
    }

    {
        DialogScript script({typeAndLeave(WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_OK, BN_CLICKED))});
        Main().Execute(ID_SETTINGS_OPTIONS);
        ASSERT_TRUE(script.Finished());
    }
    const CaptureSettings& settings = Main().Settings();
    EXPECT_EQ(settings.automaticDuration, 30.0f);
    EXPECT_EQ(Capture().Timer(CaptureTimer::Automatic).Interval(), 7000u);
    EXPECT_FALSE(Capture().Timer(CaptureTimer::Automatic).Enabled());
    EXPECT_EQ(settings.automaticPrefix, L"");
    EXPECT_EQ(settings.automaticFolder, L"my pics");
    EXPECT_EQ(settings.pointerAreaHeight, 480);
    EXPECT_EQ(settings.pointerAreaWidth, 80.0f);
    EXPECT_EQ(settings.automaticFormat, PictureFormat::Png);
    EXPECT_EQ(settings.screenRange, ScreenRange::PointerMonitor);

    LookAtOptions(Main(), [](HWND dialog) {
        const Fields reopened = ReadFields(dialog);
        EXPECT_EQ(reopened.duration, L"0.5");
        EXPECT_EQ(reopened.interval, L"7");
        EXPECT_EQ(reopened.prefix, L"");
        EXPECT_EQ(reopened.folder, L"my pics");
        EXPECT_EQ(reopened.height, L"480");
        EXPECT_EQ(reopened.width, L"80");
        EXPECT_EQ(reopened.format, L"PNG 图像");
        EXPECT_EQ(reopened.range, L"鼠标所在显示器");
        EXPECT_EQ(ShownPage(dialog), 1);
    });
}

// Real key presses: Esc is the Cancel button's, Enter presses the focused
// OK button and does nothing in a field, as the dialog has no default button.
TEST_F(OptionsDialog, AnswersTheRealEnterAndEscapeKeys) {
    HWND dialog = nullptr;
    const auto typeInterval = [&dialog](const wchar_t* text) {
        return [&dialog, text] {
            if (!(dialog = FindOptionsDialog())) return false;
            SetField(dialog, IDC_OPTIONS_INTERVAL, text);
            return true;
        };
    };
    const auto press = [](WORD key, int times = 1) {
        return [key, times] {
            for (int i = 0; i < times; ++i) PressKey(key);
            return true;
        };
    };
    const auto closed = [&dialog] { return !::IsWindow(dialog); };

    DialogScript escape({typeInterval(L"7"), press(VK_ESCAPE), closed});
    EXPECT_TRUE(escape.Run([&] { Main().Execute(ID_SETTINGS_OPTIONS); }));
    EXPECT_EQ(Capture().Timer(CaptureTimer::Automatic).Interval(), 10000u);

    // Focus starts on OK.
    DialogScript enter({typeInterval(L"7"), press(VK_RETURN), closed});
    EXPECT_TRUE(enter.Run([&] { Main().Execute(ID_SETTINGS_OPTIONS); }));
    EXPECT_EQ(Capture().Timer(CaptureTimer::Automatic).Interval(), 7000u);

    // Three tabs from OK reach the first field; Enter there leaves the
    // dialog open, and Esc still cancels.
    int ticksOpen = 0;
    DialogScript inField({typeInterval(L"9"), press(VK_TAB, 3),
                          [&dialog] { return ::GetFocus() == ::GetDlgItem(dialog, IDC_OPTIONS_PREFIX); },
                          press(VK_RETURN), [&] { return ::IsWindowVisible(dialog) && ++ticksOpen == 10; },
                          press(VK_ESCAPE), closed});
    EXPECT_TRUE(inField.Run([&] { Main().Execute(ID_SETTINGS_OPTIONS); }));
    EXPECT_EQ(ticksOpen, 10);
    EXPECT_EQ(Capture().Timer(CaptureTimer::Automatic).Interval(), 7000u);
}

TEST_F(OptionsDialog, ANewIntervalReachesARunningAutomaticTimer) {
    Capture().Timer(CaptureTimer::Automatic).SetEnabled(true);
    DialogScript script({[] {
        HWND dialog = FindOptionsDialog();
        if (!dialog) return false;
        SetField(dialog, IDC_OPTIONS_INTERVAL, L"60");
        Press(dialog, IDC_OPTIONS_OK);
        return true;
    }});
    Main().Execute(ID_SETTINGS_OPTIONS);
    ASSERT_TRUE(script.Finished());
    EXPECT_TRUE(Capture().Timer(CaptureTimer::Automatic).Enabled());
    EXPECT_EQ(Capture().Timer(CaptureTimer::Automatic).Interval(), 60000u);
    Capture().Timer(CaptureTimer::Automatic).SetEnabled(false);
}

// The end of the session destroys the dialog (with its owner) while its
// message is up: afterwards it reaches for nothing of itself.
TEST_F(OptionsDialog, DestroyedWhileItsMessageIsUpItTouchesNothingOfItself) {
    FreedObjectTrap trap;
    DialogScript script({[] {
                             HWND dialog = FindOptionsDialog();
                             if (!dialog) return false;
                             SetField(dialog, IDC_OPTIONS_INTERVAL, L"0");
                             Press(dialog, IDC_OPTIONS_OK);
                             return true;
                         },
                         [&trap] {
                             if (!FindMessageBox()) return false;
                             ::DestroyWindow(FindOptionsDialog());
                             trap.Refill();
                             return true;
                         }});
    Main().Execute(ID_SETTINGS_OPTIONS);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(trap.Sent(), 0);
    EXPECT_EQ(FindOptionsDialog(), nullptr);
    EXPECT_EQ(Capture().Timer(CaptureTimer::Automatic).Interval(), 10000u);
}

}  // namespace
}  // namespace snapora::test
