// The main window as a user finds it, and its own commands.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/resource.h"
#include "documents/CaptureDocuments.h"
#include "support/UiTest.h"
#include "win32/Screen.h"

namespace snapora::test {
namespace {

using MainWindowStartup = MainWindowTest;

struct MenuItemState {
    std::wstring caption;
    bool separator;
    bool enabled;
    bool checked;
};

std::vector<MenuItemState> MenuItems(HMENU menu) {
    std::vector<MenuItemState> items;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 64;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        items.push_back({text, (info.fType & MFT_SEPARATOR) != 0, (info.fState & MFS_DISABLED) == 0,
                         (info.fState & MFS_CHECKED) != 0});
    }
    return items;
}

TEST_F(MainWindowStartup, HasItsCaptionVersionAndStartsWithItsSettings) {
    EXPECT_EQ(WindowText(Main().Handle()), L"Snapora");
    wchar_t panel[64] = {};
    ::SendMessageW(Main().StatusBar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_STREQ(panel, L"2.0.0");
    EXPECT_EQ(::SendMessageW(Main().StatusBar(), SB_GETPARTS, 0, 0), 3);
    // The date and time panels carry the system's formats.
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    wchar_t date[64] = {};
    ::SendMessageW(Main().StatusBar(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(date));
    wchar_t expectedDate[64] = {};
    ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, expectedDate, 64);
    EXPECT_STREQ(date, expectedDate);

    EXPECT_EQ(Main().Captures().captureCount, 0u);
    const CaptureSettings& settings = Main().Settings();
    EXPECT_EQ(settings.automaticPrefix, L"Automatic");
    EXPECT_EQ(settings.automaticFolder, L"CapPicture");
    EXPECT_EQ(settings.automaticDuration, 120);
    EXPECT_EQ(settings.pointerAreaHeight, 120);
    EXPECT_EQ(settings.pointerAreaWidth, 160);
    EXPECT_EQ(Capture().Timer(CaptureTimer::Automatic).Interval(), 10000u);
    for (auto timer : {CaptureTimer::EntireScreen, CaptureTimer::Rectangle, CaptureTimer::PointerArea, CaptureTimer::Automatic}) {
        EXPECT_FALSE(Capture().Timer(timer).Enabled());
    }
    EXPECT_EQ(Capture().Timer(CaptureTimer::PointerArea).Interval(), 50u);
}

TEST_F(MainWindowStartup, TheTimePanelFollowsTheClock) {
    const auto panel = [&] {
        wchar_t text[64] = {};
        ::SendMessageW(Main().StatusBar(), SB_GETTEXTW, 2, reinterpret_cast<LPARAM>(text));
        return std::wstring(text);
    };
    const auto clock = [] {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        wchar_t text[64] = {};
        ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, text, 64);
        return std::wstring(text);
    };
    const std::wstring first = panel();
    EXPECT_FALSE(first.empty());
    // The panel moves on by itself, to the time the clock shows.
    std::wstring before;
    std::wstring after;
    ASSERT_TRUE(PumpUntil([&] {
        before = clock();
        const std::wstring shown = panel();
        after = clock();
        return shown != first && (shown == before || shown == after);
    }, std::chrono::seconds(3)));
}

TEST_F(MainWindowStartup, InitialClientSizeComesFromTwipsAtTheRealDpi) {
    ExpectTheRunsDpi();
    const int dpi = win32::ScreenDpiX();
    RECT client{};
    ::GetClientRect(Main().Handle(), &client);
    EXPECT_EQ(client.right, MulDiv(7125, dpi, 1440));
    EXPECT_EQ(client.bottom, MulDiv(4245, dpi, 1440));
}

TEST_F(MainWindowStartup, MenusHaveTheirCaptionsAndInitialStates) {
    HMENU bar = ::GetMenu(Main().Handle());
    ASSERT_NE(bar, nullptr);
    const std::vector<std::wstring> titles = {L"文件", L"编辑", L"截图", L"设置", L"窗口", L"帮助"};
    const auto top = MenuItems(bar);
    ASSERT_EQ(top.size(), titles.size());
    for (std::size_t i = 0; i < titles.size(); ++i) EXPECT_EQ(top[i].caption, titles[i]);

    // caption ("-" = separator), enabled, checked
    const std::vector<std::vector<MenuItemState>> expected = {
        {{L"新建", false, false, false}, {L"打开", false, false, false}, {L"另存为", false, true, false},
         {L"", true, true, false}, {L"打印设置", false, true, false}, {L"打印...", false, true, false},
         {L"属性", false, true, false}, {L"关闭", false, true, false}, {L"", true, true, false},
         {L"退出", false, true, false}},
        {{L"撤销\tCtrl+Z", false, false, false}, {L"重做\tCtrl+Y", false, false, false}, {L"", true, true, false},
         {L"剪切", false, false, false}, {L"复制", false, true, false}, {L"粘贴", false, false, false},
         {L"贴图", false, true, false}, {L"", true, true, false}, {L"删除", false, true, false}, {L"", true, true, false},
         {L"绘图工具", false, true, false}},
        {{L"整个屏幕", false, true, false}, {L"选择窗体", false, true, false}, {L"矩形区域", false, true, false},
         {L"", true, true, false}, {L"光标截图", false, true, false}, {L"自动截图", false, true, false}},
        {{L"选项", false, true, false}, {L"", true, true, false}, {L"工具条", false, true, true},
         {L"状态栏", false, true, true}, {L"绘图工具条", false, true, true}},
        {{L"平铺", false, true, false}, {L"层叠", false, true, false}},
        {{L"主题", false, true, false}, {L"", true, true, false}, {L"关于", false, true, false}},
    };
    for (std::size_t m = 0; m < expected.size(); ++m) {
        const auto items = MenuItems(::GetSubMenu(bar, static_cast<int>(m)));
        ASSERT_EQ(items.size(), expected[m].size()) << "menu " << m;
        for (std::size_t i = 0; i < items.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "menu " << m << " item " << i);
            EXPECT_EQ(items[i].separator, expected[m][i].separator);
            if (!items[i].separator) {
                EXPECT_EQ(items[i].caption, expected[m][i].caption);
                EXPECT_EQ(items[i].enabled, expected[m][i].enabled);
                EXPECT_EQ(items[i].checked, expected[m][i].checked);
            }
        }
    }
}

using MainWindowBars = MainWindowTest;

TEST_F(MainWindowBars, HidingAndShowingTheBarsFollowsTheCheckMarks) {
    auto clientRect = [&] {
        RECT r{};
        ::GetWindowRect(Main().MdiClient(), &r);
        return r;
    };
    const RECT full = clientRect();
    Main().Execute(ID_SETTINGS_TOOLBAR);
    EXPECT_FALSE(MenuChecked(Main().Handle(), ID_SETTINGS_TOOLBAR));
    EXPECT_FALSE(::IsWindowVisible(Main().Toolbar()));
    Main().Execute(ID_SETTINGS_STATUS_BAR);
    EXPECT_FALSE(MenuChecked(Main().Handle(), ID_SETTINGS_STATUS_BAR));
    EXPECT_FALSE(::IsWindowVisible(Main().StatusBar()));
    Main().Execute(ID_SETTINGS_DRAWING_BAR);
    EXPECT_FALSE(MenuChecked(Main().Handle(), ID_SETTINGS_DRAWING_BAR));
    EXPECT_FALSE(::IsWindowVisible(Main().DrawingBar()));
    // Only the menu bar and the client area remain.
    RECT frameClient{};
    ::GetClientRect(Main().Handle(), &frameClient);
    const RECT bare = clientRect();
    EXPECT_EQ(bare.bottom - bare.top, frameClient.bottom);
    EXPECT_GT(bare.bottom - bare.top, full.bottom - full.top);

    Main().Execute(ID_SETTINGS_TOOLBAR);
    Main().Execute(ID_SETTINGS_STATUS_BAR);
    Main().Execute(ID_SETTINGS_DRAWING_BAR);
    EXPECT_TRUE(::IsWindowVisible(Main().DrawingBar()));
    EXPECT_TRUE(MenuChecked(Main().Handle(), ID_SETTINGS_TOOLBAR));
    EXPECT_TRUE(MenuChecked(Main().Handle(), ID_SETTINGS_STATUS_BAR));
    EXPECT_TRUE(::IsWindowVisible(Main().Toolbar()));
    EXPECT_TRUE(::IsWindowVisible(Main().StatusBar()));
    const RECT restored = clientRect();
    EXPECT_EQ(restored.top, full.top);
    EXPECT_EQ(restored.bottom, full.bottom);
}

}  // namespace
}  // namespace snapora::test
