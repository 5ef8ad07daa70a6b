// The editor through real pointer and key input on a picture whose every
// pixel differs from its neighbours: where each tool's object lands, that
// the files and the clipboard hold exactly what the window shows, undo and
// redo of everything, redaction, mosaic means and crop.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/resource.h"
#include "documents/DocumentWindow.h"
#include "documents/SaveDocument.h"
#include "editor/DocumentEditor.h"
#include "editor/EditorResource.h"
#include "editor/logic/AreaShapes.h"
#include "editor/logic/Shapes.h"
#include "editor/logic/TextShapes.h"
#include "editor/logic/Tools.h"
#include "frame/Texts.h"
#include "frame/logic/CaptureSettings.h"
#include "win32/ButtonBar.h"
#include "win32/Screen.h"
#include "support/Decoding.h"
#include "support/Dialogs.h"
#include "support/Files.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/Processes.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

using editor::ToolKind;

class Editor : public MainWindowTest {
protected:
    void Open(int width, int height) {
        // Room for the whole picture below both bars.
        ::ShowWindow(Main().Handle(), SW_MAXIMIZE);
        PumpFor(std::chrono::milliseconds(50));
        document_ = OpenPictureDocument(Main(), PatternPicture(width, height));
        ASSERT_NE(document_, nullptr);
        window_ = document_->Handle();
        editor_ = DocumentEditor::Of(window_);
        ASSERT_NE(editor_, nullptr);
        ExpectTheRunsDpi();
    }
    POINT At(int x, int y) const {
        POINT p{x, y};
        ::ClientToScreen(window_, &p);
        return p;
    }
    void Use(ToolKind tool) { Main().Execute(ID_DRAW_TOOL_FIRST + UINT(editor::ToolIndex(tool))); }
    // Drags in picture pixels and waits for the object it makes.
    void DragTo(POINT from, POINT to, std::size_t expectedCount) {
        Drag(At(from.x, from.y), At(to.x, to.y));
        EXPECT_TRUE(PumpUntil([&] { return editor_->Model().Count() == expectedCount; })) << expectedCount;
    }
    std::vector<std::uint32_t> Flattened() const {
        Picture holder;
        return document_->OutputPicture(holder).ReadPixels();
    }
    std::vector<std::uint32_t> WindowPixels() {
        const Picture& picture = document_->GetPicture();
        PumpFor(std::chrono::milliseconds(100));
        ::UpdateWindow(window_);
        const POINT origin = At(0, 0);
        return ReadScreen(RECT{origin.x, origin.y, origin.x + picture.Width(), origin.y + picture.Height()});
    }
    static bool AllOf(const std::vector<std::uint32_t>& pixels, int width, RECT area, std::uint32_t colour) {
        for (std::uint32_t p : Crop(pixels, width, area)) {
            if ((p & 0xFFFFFF) != colour) return false;
        }
        return true;
    }

    DocumentWindow* document_ = nullptr;
    HWND window_ = nullptr;
    DocumentEditor* editor_ = nullptr;
};

struct ToolDrag {
    ToolKind tool;
    POINT from;
    POINT to;
};

TEST_F(Editor, EveryToolDrawsWhereThePointerWentAndTheFilesHoldWhatTheWindowShows) {
    Open(300, 200);
    const ToolDrag drags[] = {
        {ToolKind::Pen, {10, 10}, {60, 40}},       {ToolKind::Marker, {10, 60}, {90, 60}},
        {ToolKind::Line, {100, 10}, {160, 50}},    {ToolKind::Arrow, {200, 90}, {120, 20}},
        {ToolKind::Rectangle, {10, 100}, {70, 150}}, {ToolKind::Ellipse, {80, 100}, {150, 160}},
        {ToolKind::Number, {250, 30}, {250, 30}},  {ToolKind::Redact, {170, 120}, {219, 159}},
        {ToolKind::Mosaic, {230, 110}, {290, 190}},
    };
    std::size_t count = 0;
    for (const ToolDrag& drag : drags) {
        Use(drag.tool);
        DragTo(drag.from, drag.to, ++count);
        ASSERT_EQ(editor_->Model().Count(), count);
        const editor::Shape& shape = editor_->Model().At(count - 1);
        EXPECT_EQ(shape.Kind(), drag.tool);
        EXPECT_TRUE(shape.Bounds().Contains({int(drag.from.x), int(drag.from.y)})) << editor::ToolIndex(drag.tool);
        EXPECT_TRUE(shape.Bounds().Contains({int(drag.to.x), int(drag.to.y)})) << editor::ToolIndex(drag.tool);
    }
    EXPECT_EQ(static_cast<const editor::ArrowShape&>(editor_->Model().At(3)).Head()[0], (PixelPoint{120, 20}));

    // Text typed into the box on the picture; Esc ends it.
    Use(ToolKind::Text);
    Click(At(20, 170));
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() != window_ && ::GetParent(::GetFocus()) == window_; }));
    for (WORD key : {WORD('A'), WORD('B')}) PressKey(key, VK_SHIFT);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return editor_->Model().Count() == count + 1; }));
    EXPECT_EQ(static_cast<const editor::TextShape&>(editor_->Model().At(count)).Text(), L"AB");
    EXPECT_EQ(static_cast<const editor::TextShape&>(editor_->Model().At(count)).Origin(), (PixelPoint{20, 170}));

    const std::vector<std::uint32_t> edited = Flattened();
    ASSERT_EQ(edited.size(), 300u * 200u);
    EXPECT_EQ(WindowPixels(), edited);
    // Nothing of what the redaction covers is left; mosaic blocks hold their means.
    EXPECT_TRUE(AllOf(edited, 300, RECT{170, 120, 220, 160}, 0));
    const std::vector<std::uint32_t> original = PatternPixels(0, 0, 300, 200);
    const editor::ImageView view{300, 200, original.data()};
    EXPECT_EQ(edited[std::size_t(180) * 300 + 245], editor::BlockMean(view, {240, 180, 252, 192}, {}));

    ScratchFolder folder;
    for (const wchar_t* name : {L"edited.bmp", L"edited.png"}) {
        DialogScript script({SaveAs(folder.File(name))});
        EXPECT_TRUE(SavePictureAs(window_));
        ASSERT_TRUE(script.Finished());
        EXPECT_EQ(DecodeIndependently(folder.File(name)).pixels, edited) << name;
    }
    document_->MarkSaved();
    Main().Execute(ID_EDIT_COPY);
    const auto clip = ReadClipboardBitmapFromPeer();
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->pixels, edited);

    // Undo of everything gives back the captured picture, redo the edited
    // one, and the document is saved again where it was saved.
    EXPECT_TRUE(MenuEnabled(Main().Handle(), ID_EDIT_UNDO));
    EXPECT_FALSE(MenuEnabled(Main().Handle(), ID_EDIT_REDO));
    while (editor_->Model().CanUndo()) Main().Execute(ID_EDIT_UNDO);
    EXPECT_EQ(Flattened(), original);
    EXPECT_EQ(WindowPixels(), original);
    EXPECT_TRUE(document_->IsDirty());
    EXPECT_FALSE(MenuEnabled(Main().Handle(), ID_EDIT_UNDO));
    while (editor_->Model().CanRedo()) Main().Execute(ID_EDIT_REDO);
    EXPECT_EQ(Flattened(), edited);
    EXPECT_FALSE(document_->IsDirty());
}

TEST_F(Editor, CropGivesTheExactSubPictureAWindowOfItsSizeAndUndoesExactly) {
    Open(240, 160);
    Use(ToolKind::Rectangle);
    DragTo({50, 40}, {100, 90}, 1);
    Use(ToolKind::Crop);
    Click(At(5, 5));  // a click alone selects nothing
    PressKey(VK_RETURN);
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(document_->GetPicture().Width(), 240);

    Drag(At(30, 20), At(189, 119));
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return document_->GetPicture().Width() == 160; }));
    EXPECT_EQ(document_->GetPicture().Height(), 100);
    EXPECT_EQ(document_->GetPicture().ReadPixels(), PatternPixels(30, 20, 160, 100));
    RECT client{};
    ::GetClientRect(window_, &client);
    EXPECT_EQ(client.right, 160);
    EXPECT_EQ(client.bottom, 100);
    EXPECT_EQ(static_cast<const editor::Box&>(editor_->Model().At(0)).Area(), (PixelRect{20, 20, 71, 71}));

    Main().Execute(ID_EDIT_UNDO);
    EXPECT_EQ(document_->GetPicture().ReadPixels(), PatternPixels(0, 0, 240, 160));
    EXPECT_EQ(static_cast<const editor::Box&>(editor_->Model().At(0)).Area(), (PixelRect{50, 40, 101, 91}));
}

TEST_F(Editor, SelectedObjectsMoveNudgeAndGoAndTheMarkersAreNumberedAgain) {
    Open(240, 160);
    Use(ToolKind::Number);
    for (int i = 0; i < 3; ++i) DragTo({40 + 60 * i, 50}, {40 + 60 * i, 50}, std::size_t(i) + 1);
    Use(ToolKind::Select);
    Click(At(100, 50));
    ASSERT_TRUE(PumpUntil([&] { return editor_->Selected() == std::optional<std::size_t>(1); }));
    PressKey(VK_DELETE);
    ASSERT_TRUE(PumpUntil([&] { return editor_->Model().Count() == 2; }));
    EXPECT_EQ(editor_->Model().NumberOf(1), 2);

    Drag(At(40, 50), At(60, 90));
    PumpUntil([&] { return editor_->Model().At(0).Bounds().Contains({60, 90}); });
    const PixelRect moved = editor_->Model().At(0).Bounds();
    EXPECT_TRUE(moved.Contains({60, 90}));
    PressKey(VK_RIGHT);
    PressKey(VK_DOWN, VK_SHIFT);
    ASSERT_TRUE(PumpUntil([&] { return editor_->Model().At(0).Bounds() == editor::Offset(moved, 1, 10); }));

    // A new capture while an object is being drawn ends the drawing.
    Use(ToolKind::Rectangle);
    MoveMouse(At(10, 10).x, At(10, 10).y);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, At(10, 10).x, At(10, 10).y);
    MoveMouse(At(50, 50).x, At(50, 50).y);
    document_->SetPicture(PatternPicture(120, 90));
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, At(60, 60).x, At(60, 60).y);
    PumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(editor_->Model().Count(), 0u);
    EXPECT_FALSE(editor_->Model().CanUndo());

    // The menu works 撤销 out from the document as it opens, whatever
    // changed the document behind its back.
    const auto openEditMenu = [&] {
        const HMENU edit = ::GetSubMenu(::GetMenu(Main().Handle()), 1);
        ::SendMessageW(Main().Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    };
    openEditMenu();
    EXPECT_FALSE(MenuEnabled(Main().Handle(), ID_EDIT_UNDO));
    auto line = editor::ToolRowOf(ToolKind::Line).start(PixelPoint{5, 5}, editor::Style{});
    line->Extend(PixelPoint{40, 40});
    ASSERT_TRUE(editor_->EditModel().Add(std::move(line)));
    openEditMenu();
    EXPECT_TRUE(MenuEnabled(Main().Handle(), ID_EDIT_UNDO));
}

TEST_F(Editor, EveryToolHasItsTextsItsImageAndAButtonPressedWhenChosen) {
    HWND bar = Main().DrawingBar();
    const auto rows = editor::ToolRows();
    // The tools, a separator and the three style menus.
    EXPECT_EQ(::SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), LRESULT(rows.size()) + 4);
    EXPECT_EQ(win32::ButtonBarImageSize(bar), 16 * (win32::ScreenDpiY() >= 144 ? 2 : 1));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const UINT id = ID_DRAW_TOOL_FIRST + UINT(i);
        EXPECT_FALSE(LoadText(id).empty()) << i;
        EXPECT_FALSE(LoadText(IDS_DRAW_TOOL_NAME + UINT(i)).empty()) << i;
        Main().Execute(id);
        EXPECT_TRUE(ToolbarPressed(bar, id)) << i;
        EXPECT_TRUE(MenuChecked(Main().Handle(), id)) << i;
        EXPECT_FALSE(ToolbarPressed(bar, ID_DRAW_TOOL_FIRST + UINT((i + 1) % rows.size()))) << i;
    }
    // 马赛克 says that a mosaic of text can be read back and that 遮盖 is for secrets.
    const std::wstring mosaic = LoadText(ID_DRAW_TOOL_FIRST + UINT(editor::ToolIndex(ToolKind::Mosaic)));
    EXPECT_NE(mosaic.find(L"还原"), std::wstring::npos);
    EXPECT_NE(mosaic.find(L"遮盖"), std::wstring::npos);

    EXPECT_TRUE(MenuChecked(Main().Handle(), ID_SETTINGS_DRAWING_BAR));
    Main().Execute(ID_SETTINGS_DRAWING_BAR);
    EXPECT_FALSE(::IsWindowVisible(bar));
    EXPECT_FALSE(MenuChecked(Main().Handle(), ID_SETTINGS_DRAWING_BAR));
}

TEST_F(Editor, TheStyleAndTheDrawingBarAreKeptForTheNextRun) {
    const UINT blue = ID_DRAW_COLOUR_FIRST + 4, width = ID_DRAW_WIDTH_FIRST + 5, size = ID_DRAW_SIZE_FIRST + 4;
    for (const UINT id : {UINT(ID_SETTINGS_DRAWING_BAR), blue, width, size}) Main().Execute(id);
    // The next run: a new main window from what is stored.
    ::DestroyWindow(mainWindow_);
    main_ = MainWindow::Create(::GetModuleHandleW(nullptr));
    ASSERT_NE(main_, nullptr);
    mainWindow_ = Main().Handle();
    Main().Show(SW_SHOWNORMAL);
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(Main().Settings().drawing, (DrawingSettings{RGB(0x20, 0x60, 0xE0), 12, 36, false}));
    EXPECT_FALSE(::IsWindowVisible(Main().DrawingBar()));
    for (const UINT id : {blue, width, size}) EXPECT_TRUE(MenuChecked(Main().Handle(), id)) << id;
    EXPECT_FALSE(MenuChecked(Main().Handle(), ID_SETTINGS_DRAWING_BAR));
}

}  // namespace
}  // namespace snapora::test
