// The help window: its toggle, its text and its layout inside the main window.
#include <windows.h>

#include <string>

#include "app/resource.h"
#include "documents/DocumentWindow.h"
#include "help/ContentsWindow.h"
#include "help/logic/HelpText.h"
#include "support/Dialogs.h"
#include "support/Input.h"
#include "support/Processes.h"
#include "support/UiTest.h"
#include "win32/Screen.h"

namespace snapora::test {
namespace {

// The help window's text box, as the user's keys find it.
HWND HelpTextBox(const MainWindow& main) {
    const ContentsWindow* help = ContentsWindow::Find(main);
    return help ? ::FindWindowExW(help->Handle(), nullptr, L"EDIT", nullptr) : nullptr;
}

using HelpWindow = MainWindowTest;

// Open means: the window exists, the item is checked and the button pressed.
void ExpectHelpOpen(const MainWindow& main) {
    EXPECT_NE(ContentsWindow::Find(main), nullptr);
    EXPECT_TRUE(MenuChecked(main.Handle(), ID_HELP_CONTENTS));
    EXPECT_TRUE(ToolbarPressed(main.Toolbar(), ID_HELP_CONTENTS));
}

void ExpectHelpClosed(const MainWindow& main, HWND formerWindow) {
    EXPECT_EQ(ContentsWindow::Find(main), nullptr);
    EXPECT_FALSE(formerWindow && ::IsWindow(formerWindow));
    EXPECT_FALSE(MenuChecked(main.Handle(), ID_HELP_CONTENTS));
    EXPECT_FALSE(ToolbarPressed(main.Toolbar(), ID_HELP_CONTENTS));
}

HWND OpenHelp(MainWindow& main) {
    main.Execute(ID_HELP_CONTENTS);
    PumpFor(std::chrono::milliseconds(30));
    return ContentsWindow::Find(main) ? ContentsWindow::Find(main)->Handle() : nullptr;
}

RECT ChildRectInClient(HWND child) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(HelpWindow, TwoClicksOpenAndCloseItInStepWithTheCheckMarkAndButton) {
    ExpectHelpClosed(Main(), nullptr);

    HWND help = OpenHelp(Main());
    ASSERT_NE(help, nullptr);
    ExpectHelpOpen(Main());
    EXPECT_EQ(::GetParent(help), Main().MdiClient());
    EXPECT_EQ(Main().ActiveChild(), help);
    EXPECT_EQ(WindowText(help), L"主题");
    EXPECT_TRUE(::IsWindowVisible(help));
    EXPECT_TRUE(::GetWindowLongPtrW(help, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_NE(::GetClassLongPtrW(help, GCLP_HICON), 0);

    Main().Execute(ID_HELP_CONTENTS);
    ExpectHelpClosed(Main(), help);

    // A click on the toolbar's last button, "Help", takes the same road.
    constexpr int kHelpButton = 20;
    ClickToolbarButton(Main(), kHelpButton);
    ASSERT_TRUE(PumpUntil([&] { return ContentsWindow::Find(Main()) != nullptr; }));
    ExpectHelpOpen(Main());
    help = ContentsWindow::Find(Main())->Handle();
    ClickToolbarButton(Main(), kHelpButton);
    ASSERT_TRUE(PumpUntil([&] { return ContentsWindow::Find(Main()) == nullptr; }));
    ExpectHelpClosed(Main(), help);
}

TEST_F(HelpWindow, ClosingItAnyOtherWayClearsTheMarksAndTheNextClickOpensItAgain) {
    HWND help = OpenHelp(Main());
    ASSERT_NE(help, nullptr);
    ::SendMessageW(help, WM_SYSCOMMAND, SC_CLOSE, 0);  // its own close box
    PumpFor(std::chrono::milliseconds(30));
    ExpectHelpClosed(Main(), help);

    help = OpenHelp(Main());
    ASSERT_NE(help, nullptr);
    ExpectHelpOpen(Main());
    Main().Execute(ID_FILE_CLOSE_DOCUMENT);  // "关闭" while it is active
    PumpFor(std::chrono::milliseconds(30));
    ExpectHelpClosed(Main(), help);

    help = OpenHelp(Main());
    ASSERT_NE(help, nullptr);
    ExpectHelpOpen(Main());
}

TEST_F(HelpWindow, ClosingTheMainWindowClosesItWithoutAQuestion) {
    HWND help = OpenHelp(Main());
    ASSERT_NE(help, nullptr);
    HWND main = Main().Handle();
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(main); }, std::chrono::seconds(5)));
    EXPECT_FALSE(::IsWindow(help));
    EXPECT_EQ(ContentsWindow::FromHandle(help), nullptr);
    EXPECT_TRUE(ThreadDialogs().empty());
}

TEST_F(HelpWindow, ShowsTheHelpTextLineForLineReadOnly) {
    HWND help = OpenHelp(Main());
    ASSERT_NE(help, nullptr);
    HWND text = HelpTextBox(Main());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(::GetParent(text), help);
    const auto style = ::GetWindowLongPtrW(text, GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_EQ(::GetFocus(), text);

    // What the window shows is the help text itself, line for line.
    const std::wstring shown = WindowText(text);
    EXPECT_EQ(shown, HelpContentsText());

    // Typing changes nothing; the text can still be selected.
    ::SendMessageW(text, WM_CHAR, L'x', 0);
    ::SendMessageW(text, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(WindowText(text), shown);
    ::SendMessageW(text, EM_SETSEL, 0, -1);
    DWORD start = 1;
    DWORD end = 0;
    ::SendMessageW(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, shown.size());
}

TEST_F(HelpWindow, KeepsA100TwipMarginAroundTheTextAfterEveryResize) {
    ExpectTheRunsDpi();
    const int dpi = win32::ScreenDpiX();
    const int marginX = ::MulDiv(100, dpi, 1440);
    const int marginY = ::MulDiv(100, win32::ScreenDpiY(), 1440);
    HWND help = OpenHelp(Main());
    ASSERT_NE(help, nullptr);
    HWND text = HelpTextBox(Main());
    for (const SIZE size : {SIZE{300, 200}, SIZE{451, 333}, SIZE{180, 120}}) {
        SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
        ::SetWindowPos(help, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
        RECT client{};
        ::GetClientRect(help, &client);
        const RECT box = ChildRectInClient(text);
        EXPECT_EQ(box.left, marginX);
        EXPECT_EQ(box.top, marginY);
        EXPECT_EQ(client.right - box.right, marginX);
        EXPECT_EQ(client.bottom - box.bottom, marginY);
    }
}

TEST_F(HelpWindow, AMinimisedHelpWindowDoesNotStopTheProgram) {
    HWND help = OpenHelp(Main());
    ASSERT_NE(help, nullptr);
    HWND text = HelpTextBox(Main());
    ::SendMessageW(help, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_TRUE(::IsIconic(help));
    RECT box{};
    ::GetWindowRect(text, &box);
    EXPECT_GE(box.right, box.left);
    EXPECT_GE(box.bottom, box.top);
    EXPECT_TRUE(::IsWindow(Main().Handle()));
    EXPECT_FALSE(QuitPosted());

    ::SendMessageW(help, WM_SYSCOMMAND, SC_RESTORE, 0);
    PumpFor(std::chrono::milliseconds(50));
    RECT client{};
    ::GetClientRect(help, &client);
    const RECT restored = ChildRectInClient(text);
    EXPECT_EQ(restored.left, ::MulDiv(100, win32::ScreenDpiX(), 1440));
    EXPECT_EQ(client.right - restored.right, restored.left);
    EXPECT_GT(restored.right, restored.left);
    Main().Execute(ID_HELP_CONTENTS);
    ExpectHelpClosed(Main(), help);
}

TEST_F(HelpWindow, TakesPartInTileAndCascade) {
    DocumentWindow* document = OpenPictureDocument(Main(), Picture::CreateBlank(40, 30));
    ASSERT_NE(document, nullptr);
    HWND help = OpenHelp(Main());
    ASSERT_NE(help, nullptr);

    Main().Execute(ID_WINDOW_TILE);
    RECT a = ChildRectInClient(help);
    RECT b = ChildRectInClient(document->Handle());
    RECT overlap{};
    EXPECT_FALSE(::IntersectRect(&overlap, &a, &b)) << "tiled windows do not overlap";
    RECT client{};
    ::GetClientRect(Main().MdiClient(), &client);
    // Together they fill the client area, give or take the pixel lost to
    // dividing it in two.
    RECT both{};
    ::UnionRect(&both, &a, &b);
    EXPECT_EQ(both.left, 0);
    EXPECT_EQ(both.top, 0);
    EXPECT_NEAR(both.right, client.right, 1);
    EXPECT_NEAR(both.bottom, client.bottom, 1);
    EXPECT_NEAR((a.right - a.left) * (a.bottom - a.top) + (b.right - b.left) * (b.bottom - b.top),
                client.right * client.bottom, client.right + client.bottom);

    Main().Execute(ID_WINDOW_CASCADE);
    a = ChildRectInClient(help);
    b = ChildRectInClient(document->Handle());
    EXPECT_TRUE(::IntersectRect(&overlap, &a, &b)) << "cascaded windows overlap";
    EXPECT_NE(a.left, b.left);
    EXPECT_NE(a.top, b.top);
}

TEST_F(HelpWindow, DocumentCommandsLeaveItAndTheDocumentsAlone) {
    DocumentWindow* document = OpenPictureDocument(Main(), Picture::CreateBlank(40, 30));
    ASSERT_NE(document, nullptr);
    HWND help = OpenHelp(Main());
    ASSERT_NE(help, nullptr);
    ASSERT_EQ(Main().ActiveChild(), help);
    const std::wstring helpText = WindowText(HelpTextBox(Main()));

    // Something of ours on the clipboard that "复制" must not replace.
    const std::wstring marker = L"snapora clipboard marker";
    ASSERT_TRUE(PutClipboardText(marker, Main().Handle()));

    for (UINT id : {ID_FILE_SAVE_AS, ID_EDIT_COPY, ID_FILE_PRINT, ID_FILE_PROPERTIES, ID_EDIT_DELETE}) {
        SCOPED_TRACE(testing::Message() << "command " << id);
        EXPECT_EQ(CancelDialogsDuring([&] { Main().Execute(id); }), 0);
        EXPECT_TRUE(::IsWindow(help));
        EXPECT_EQ(Main().ActiveChild(), help);
        EXPECT_EQ(WindowText(HelpTextBox(Main())), helpText);
        EXPECT_FALSE(document->GetPicture().Empty());
    }
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_EQ(ClipboardText(Main().Handle()), marker);
}

TEST_F(HelpWindow, PrintSetupStillShowsItsDialogWhileItIsActive) {
    HWND help = OpenHelp(Main());
    ASSERT_NE(help, nullptr);
    int shown = 0;
    DialogScript script({[&] {
        const auto dialogs = ThreadDialogs(Main().Handle());
        if (dialogs.empty()) return false;
        ++shown;
        for (HWND dialog : dialogs) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    }}, std::chrono::seconds(10));
    EXPECT_TRUE(script.Run([&] { Main().Execute(ID_FILE_PAGE_SETUP); }));
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(::IsWindow(help));
    ExpectHelpOpen(Main());
}

}  // namespace
}  // namespace snapora::test
