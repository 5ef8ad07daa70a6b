// The toolbar as the user finds it, and its buttons clicked as a hand
// clicks them: each must do what its menu item does.
#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "app/resource.h"
#include "capture/RectangleOverlay.h"
#include "documents/DocumentWindow.h"
#include "support/Dialogs.h"
#include "support/Files.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/Printing.h"
#include "support/Processes.h"
#include "support/UiTest.h"
#include "win32/Screen.h"

namespace snapora::test {
namespace {

using namespace std::chrono_literals;

// Places on the bar, counted from 1 with the separators.
enum Button : int {
    kNew = 1, kOpen = 2, kSave = 3, kPrint = 5, kProperties = 6, kCut = 8, kCopy = 9, kPaste = 10, kPin = 11,
    kCamera = 13, kRectangle = 14, kCursor = 15, kAutomatic = 16, kDelete = 18, kHelp = 20
};

class Toolbar : public MainWindowTest {
protected:
    void TearDown() override {
        if (RectangleOverlay* overlay = RectangleOverlay::Find()) overlay->Close();
        ::SetCursorPos(512, 700);
        MainWindowTest::TearDown();
    }
    RECT ButtonOnScreen(int place) {
        RECT rect{};
        ::SendMessageW(Main().Toolbar(), TB_GETITEMRECT, static_cast<WPARAM>(place - 1), reinterpret_cast<LPARAM>(&rect));
        ::MapWindowPoints(Main().Toolbar(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
};

TEST_F(Toolbar, TwentyEnabledButtonsEachWithItsOwnImageAndTooltip) {
    HWND toolbar = Main().Toolbar();
    ASSERT_EQ(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 20);
    const std::vector<std::wstring> tips = {L"新建", L"打开", L"另存为", L"", L"打印", L"属性", L"", L"剪切",
                                            L"复制", L"粘贴", L"贴图", L"", L"全屏", L"矩形范围", L"光标周围",
                                            L"自动截图", L"", L"删除", L"", L"帮助"};
    MoveMouse(512, 700);  // no button lit up by the pointer
    std::set<std::vector<std::uint32_t>> looks;
    for (int place = 1; place <= 20; ++place) {
        SCOPED_TRACE(testing::Message() << "button " << place);
        TBBUTTON button{};
        ASSERT_TRUE(::SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(place - 1), reinterpret_cast<LPARAM>(&button)));
        EXPECT_EQ((button.fsStyle & BTNS_SEP) != 0, tips[place - 1].empty());
        if (button.fsStyle & BTNS_SEP) continue;
        EXPECT_TRUE(button.fsState & TBSTATE_ENABLED);
        // The tooltip comes from the same notification the control sends.
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = toolbar;
        info.hdr.idFrom = static_cast<UINT_PTR>(button.idCommand);
        info.hdr.code = TTN_GETDISPINFOW;
        ::SendMessageW(Main().Handle(), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(info.lpszText, nullptr);
        EXPECT_EQ(std::wstring(info.lpszText), tips[place - 1]);
        looks.insert(ReadScreen(ButtonOnScreen(place)));
    }
    EXPECT_EQ(looks.size(), 15u) << "two buttons look the same";
}

// The tooltip window of this process that shows text, if any.
std::wstring ShownTooltip() {
    for (HWND tip = ::FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tip;
         tip = ::FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(tip, &owner);
        if (owner == ::GetCurrentProcessId() && ::IsWindowVisible(tip)) return WindowText(tip);
    }
    return {};
}

TEST_F(Toolbar, APointerRestingOnAButtonShowsItsTooltipAndAPressDraggedOffDoesNothing) {
    const RECT copy = ButtonOnScreen(kCopy);
    MoveMouse((copy.left + copy.right) / 2, (copy.top + copy.bottom) / 2);
    MoveMouse((copy.left + copy.right) / 2 + 1, (copy.top + copy.bottom) / 2);
    EXPECT_TRUE(PumpUntil([] { return ShownTooltip() == L"复制"; }, 5s)) << "shown: " << ShownTooltip();

    DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(7, 3));
    ASSERT_NE(document, nullptr);
    const RECT properties = ButtonOnScreen(kProperties);
    const POINT from{(properties.left + properties.right) / 2, (properties.top + properties.bottom) / 2};
    EXPECT_EQ(CancelDialogsDuring([&] {
                  Drag(from, POINT{from.x, properties.bottom + 80});
                  PumpFor(300ms);
              }),
              0);
    // Let go on the button itself, the same press shows the properties.
    SeenBox seen;
    DialogScript answer({AnswerMessageBox(IDOK, &seen, Main().Handle())});
    EXPECT_TRUE(answer.Run([&] { Drag(from, POINT{from.x + 2, from.y + 1}); }));
}

TEST_F(Toolbar, PaintsEachImageInItsButtonOnTheButtonFace) {
    HWND toolbar = Main().Toolbar();
    RepaintOnScreen(toolbar);
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

TEST_F(Toolbar, AButtonPressedDownLooksPressedUntilItIsLetUp) {
    HWND toolbar = Main().Toolbar();
    MoveMouse(512, 700);  // no button lit up by the pointer
    const RECT button = ButtonOnScreen(kAutomatic);
    const auto look = [&] {
        RepaintOnScreen(toolbar);
        return ReadScreen(button);
    };
    const auto up = look();
    ::SendMessageW(toolbar, TB_CHECKBUTTON, ID_CAPTURE_AUTOMATIC, MAKELPARAM(TRUE, 0));
    EXPECT_TRUE(ToolbarPressed(toolbar, ID_CAPTURE_AUTOMATIC));
    EXPECT_NE(look(), up);
    ::SendMessageW(toolbar, TB_CHECKBUTTON, ID_CAPTURE_AUTOMATIC, MAKELPARAM(FALSE, 0));
    EXPECT_EQ(look(), up);
}

TEST_F(Toolbar, DocumentButtonsActOnTheActiveDocumentAsTheirMenuItemsDo) {
    ScratchFolder folder;
    DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(7, 3));
    ASSERT_NE(document, nullptr);
    const std::wstring caption = WindowText(document->Handle());

    SeenBox properties;
    DialogScript answer({AnswerMessageBox(IDOK, &properties, Main().Handle())});
    EXPECT_TRUE(answer.Run([&] { ClickToolbarButton(Main(), kProperties); }));
    EXPECT_EQ(properties.text, caption + L"：\r\n宽度=7  高度=3（像素）");

    ASSERT_TRUE(PutClipboardText(L"before", Main().Handle()));
    ClickToolbarButton(Main(), kCopy);
    ASSERT_TRUE(PumpUntil([] { return ::IsClipboardFormatAvailable(CF_BITMAP) != FALSE; }));
    const auto clip = ReadClipboardBitmapFromPeer();
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->pixels, PatternPixels(0, 0, 7, 3));

    DialogScript save({SaveAs(folder.File(L"saved.bmp"))});
    EXPECT_TRUE(save.Run([&] { ClickToolbarButton(Main(), kSave); }));
    EXPECT_EQ(LoadBitmapFile(folder.File(L"saved.bmp")).pixels, PatternPixels(0, 0, 7, 3));
    EXPECT_FALSE(document->IsDirty());

    const std::string job = UniqueJobToken(document->Handle());
    const auto printed = PdfFiles();
    ClickToolbarButton(Main(), kPrint);
    EXPECT_FALSE(WaitForNewPdf(printed, 60s, job).empty()) << "nothing printed";

    ClickToolbarButton(Main(), kDelete);
    EXPECT_TRUE(PumpUntil([&] { return document->GetPicture().Empty(); }));

    // The four whose menu items are greyed are clickable and do nothing.
    EXPECT_EQ(CancelDialogsDuring([&] {
                  for (int button : {kNew, kOpen, kCut, kPaste}) ClickToolbarButton(Main(), button);
                  PumpFor(300ms);
              }),
              0);
    EXPECT_EQ(Documents(Main()).size(), 1u);
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
}

TEST_F(Toolbar, CaptureButtonsStartTheirCaptures) {
    ClickToolbarButton(Main(), kCamera);
    ASSERT_TRUE(PumpUntil([&] { return Documents(Main()).size() == 1 && ::IsWindowVisible(Main().Handle()); }));
    const DocumentWindow* screen = DocumentWindow::FromHandle(Documents(Main()).front());
    EXPECT_EQ(WindowText(screen->Handle()), L"截图0");
    EXPECT_EQ(screen->GetPicture().Width(), win32::PrimaryScreenSize().cx);
    EXPECT_EQ(screen->GetPicture().Height(), win32::PrimaryScreenSize().cy);

    ClickToolbarButton(Main(), kRectangle);
    const auto overlayInFront = [] {
        RectangleOverlay* overlay = RectangleOverlay::Find();
        return overlay && ::IsWindowVisible(overlay->Handle()) && ::GetForegroundWindow() == overlay->Handle();
    };
    ASSERT_TRUE(PumpUntil(overlayInFront));
    EXPECT_FALSE(::IsWindowVisible(Main().Handle()));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !overlayInFront() && ::IsWindowVisible(Main().Handle()); }));
    EXPECT_EQ(Documents(Main()).size(), 1u);
}

TEST_F(Toolbar, ModeButtonsTurnTheirModesOnAndOffWithTheMenusCheckMarks) {
    ClickToolbarButton(Main(), kCursor);
    ASSERT_TRUE(PumpUntil([&] { return MenuChecked(Main().Handle(), ID_CAPTURE_POINTER_AREA); }));
    EXPECT_TRUE(ToolbarPressed(Main().Toolbar(), ID_CAPTURE_POINTER_AREA));
    EXPECT_EQ(WindowText(Main().Handle()), L"Snapora(空格键或回车键确认)");
    EXPECT_EQ(Documents(Main()).size(), 1u);
    ClickToolbarButton(Main(), kCursor);
    ASSERT_TRUE(PumpUntil([&] { return !MenuChecked(Main().Handle(), ID_CAPTURE_POINTER_AREA); }));
    EXPECT_FALSE(ToolbarPressed(Main().Toolbar(), ID_CAPTURE_POINTER_AREA));
    EXPECT_EQ(WindowText(Main().Handle()), L"Snapora");

    ClickToolbarButton(Main(), kAutomatic);
    ASSERT_TRUE(PumpUntil([&] { return MenuChecked(Main().Handle(), ID_CAPTURE_AUTOMATIC); }));
    EXPECT_TRUE(ToolbarPressed(Main().Toolbar(), ID_CAPTURE_AUTOMATIC));
    EXPECT_TRUE(Capture().Timer(CaptureTimer::Automatic).Enabled());
    ClickToolbarButton(Main(), kAutomatic);
    ASSERT_TRUE(PumpUntil([&] { return !MenuChecked(Main().Handle(), ID_CAPTURE_AUTOMATIC); }));
    EXPECT_FALSE(ToolbarPressed(Main().Toolbar(), ID_CAPTURE_AUTOMATIC));
    EXPECT_FALSE(Capture().Timer(CaptureTimer::Automatic).Enabled());
    // The help button's clicks are in the help window's tests.
}

}  // namespace
}  // namespace snapora::test
