// The main window as a user finds it, and its own commands.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/Toolbar.h"
#include "app/resource.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
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

    EXPECT_EQ(Main().Run().captureCount, 0u);
    const CaptureSettings& settings = Main().Settings();
    EXPECT_EQ(settings.automaticPrefix, L"Automatic");
    EXPECT_EQ(settings.automaticFolder, L"CapPicture");
    EXPECT_EQ(settings.automaticDuration, 120);
    EXPECT_EQ(settings.pointerAreaHeight, 120);
    EXPECT_EQ(settings.pointerAreaWidth, 160);
    EXPECT_EQ(Main().Timer(MainTimer::Automatic).Interval(), 10000u);
    for (auto timer : {MainTimer::EntireScreen, MainTimer::Rectangle, MainTimer::PointerArea, MainTimer::Automatic}) {
        EXPECT_FALSE(Main().Timer(timer).Enabled());
    }
    EXPECT_EQ(Main().Timer(MainTimer::PointerArea).Interval(), 50u);
}

TEST_F(MainWindowStartup, InitialClientSizeComesFromTwipsAtTheRealDpi) {
    const int dpi = win32::ScreenDpiX();
    if (ExpectedDpiOrZero()) {
        EXPECT_EQ(dpi, ExpectedDpiOrZero());
    }
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
        {{L"剪切", false, false, false}, {L"复制", false, true, false}, {L"粘贴", false, false, false},
         {L"", true, true, false}, {L"删除", false, true, false}},
        {{L"整个屏幕", false, true, false}, {L"选择窗体", false, true, false}, {L"矩形区域", false, true, false},
         {L"", true, true, false}, {L"光标截图", false, true, false}, {L"自动截图", false, true, false}},
        {{L"选项", false, true, false}, {L"", true, true, false}, {L"工具条", false, true, true},
         {L"状态栏", false, true, true}},
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

TEST_F(MainWindowStartup, ToolbarHasNineteenButtonsWithKeysTooltipsAndImages) {
    HWND toolbar = Main().Toolbar();
    ASSERT_EQ(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 19);
    const std::vector<std::wstring> keys = {L"New", L"Open", L"Save", L"", L"Print", L"Properties", L"", L"Cut",
                                            L"Copy", L"Paste", L"", L"Camera", L"Rectangle", L"Cursor",
                                            L"Automatic", L"", L"Delete", L"", L"Help"};
    const std::vector<std::wstring> tips = {L"新建", L"打开", L"另存为", L"", L"打印", L"属性", L"", L"剪切",
                                            L"复制", L"粘贴", L"", L"全屏", L"矩形范围", L"光标周围",
                                            L"自动截图", L"", L"删除", L"", L"帮助"};
    const std::vector<int> images = {1, 2, 3, 0, 4, 9, 0, 5, 6, 7, 0, 15, 8, 13, 11, 0, 14, 0, 10};
    const auto table = ToolbarButtons();
    HIMAGELIST list = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), 15);
    for (int i = 0; i < 19; ++i) {
        SCOPED_TRACE(testing::Message() << "button " << i + 1);
        TBBUTTON button{};
        ASSERT_TRUE(::SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button)));
        const auto& entry = table[button.dwData];
        if (keys[i].empty()) {
            EXPECT_TRUE(button.fsStyle & BTNS_SEP);
            continue;
        }
        EXPECT_FALSE(button.fsStyle & BTNS_SEP);
        EXPECT_EQ(std::wstring(entry.key), keys[i]);
        EXPECT_EQ(button.iBitmap, images[i] - 1);
        EXPECT_TRUE(button.fsState & TBSTATE_ENABLED);
        // The tooltip comes from the same notification the control sends.
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = toolbar;
        info.hdr.idFrom = static_cast<UINT_PTR>(button.idCommand);
        info.hdr.code = TTN_GETDISPINFOW;
        ::SendMessageW(Main().Handle(), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(info.lpszText, nullptr);
        EXPECT_EQ(std::wstring(info.lpszText), tips[i]);
    }
}

TEST_F(MainWindowStartup, ToolbarPaintsEachImageInItsButtonOnTheButtonFace) {
    HWND toolbar = Main().Toolbar();
    ::RedrawWindow(toolbar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpFor(std::chrono::milliseconds(50));
    auto redIn = [&](UINT command) {
        RECT button{};
        ::SendMessageW(toolbar, TB_GETRECT, command, reinterpret_cast<LPARAM>(&button));
        ::MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&button), 2);
        int red = 0;
        for (std::uint32_t pixel : ReadScreen(button)) {
            if (((pixel >> 16) & 0xFF) > 0xC0 && ((pixel >> 8) & 0xFF) < 0x40 && (pixel & 0xFF) < 0x40) ++red;
        }
        return red;
    };
    // The red cross of "删除" and the red scissors of "剪切"; not in "新建".
    EXPECT_GT(redIn(ID_EDIT_DELETE), 10);
    EXPECT_GT(redIn(ID_EDIT_CUT), 3);
    EXPECT_EQ(redIn(ID_FILE_NEW), 0);
    // Between the buttons, the bar shows the button face.
    RECT bar{};
    ::GetClientRect(toolbar, &bar);
    ::MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&bar), 2);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const std::uint32_t faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    RECT right{bar.right - 20, bar.top + 2, bar.right - 2, bar.bottom - 2};
    for (std::uint32_t pixel : ReadScreen(right)) ASSERT_EQ(pixel, faceRgb);
}

TEST_F(MainWindowStartup, ToolbarButtonsRunTheSameCommandsAsTheMenu) {
    // "Delete" on the toolbar empties the active document like "删除".
    DocumentWindow* document = DocumentWindow::Create(Main());
    ASSERT_NE(document, nullptr);
    document->SetPicture(Picture::CreateBlank(20, 10));
    ShowCaptureDocument(Main(), *document);
    ::SendMessageW(Main().Handle(), WM_COMMAND, ID_EDIT_DELETE, reinterpret_cast<LPARAM>(Main().Toolbar()));
    EXPECT_TRUE(document->GetPicture().Empty());
    // The four buttons whose menu items are greyed are clickable and do nothing.
    for (UINT id : {ID_FILE_NEW, ID_FILE_OPEN, ID_EDIT_CUT, ID_EDIT_PASTE}) {
        EXPECT_TRUE(::SendMessageW(Main().Toolbar(), TB_ISBUTTONENABLED, id, 0));
        ::SendMessageW(Main().Handle(), WM_COMMAND, id, reinterpret_cast<LPARAM>(Main().Toolbar()));
    }
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(FindMessageBox(), nullptr);
    EXPECT_TRUE(::IsWindow(document->Handle()));
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
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
    // Only the menu bar and the client area remain.
    RECT frameClient{};
    ::GetClientRect(Main().Handle(), &frameClient);
    const RECT bare = clientRect();
    EXPECT_EQ(bare.bottom - bare.top, frameClient.bottom);
    EXPECT_GT(bare.bottom - bare.top, full.bottom - full.top);

    Main().Execute(ID_SETTINGS_TOOLBAR);
    Main().Execute(ID_SETTINGS_STATUS_BAR);
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
