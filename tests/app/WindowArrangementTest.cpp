// Tile, cascade and closing the main window with its children.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "app/resource.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

using namespace std::chrono_literals;

class WindowArrangement : public MainWindowTest {
protected:
    DocumentWindow* OpenDocument(int width, int height) {
        DocumentWindow* document = DocumentWindow::Create(Main());
        EXPECT_NE(document, nullptr);
        document->SetSurfaceSize(width, height);
        document->SetPicture(Picture::CreateBlank(width, height));
        SetCurrentDocument(document);
        ShowCaptureDocument(*document);
        return document;
    }
    RECT ChildRect(HWND child) {
        RECT rect{};
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, Main().MdiClient(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
};

TEST_F(WindowArrangement, TileAndCascadeWithoutChildrenDoNothing) {
    Main().ExecuteCommand(ID_WINDOW_TILE);
    Main().ExecuteCommand(ID_WINDOW_CASCADE);
    PumpFor(50ms);
    EXPECT_EQ(::GetWindow(Main().MdiClient(), GW_CHILD), nullptr);
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
}

TEST_F(WindowArrangement, TileSetsTheChildrenSideBySideAndCascadeStaggersThem) {
    DocumentWindow* a = OpenDocument(60, 40);
    DocumentWindow* b = OpenDocument(60, 40);
    DocumentWindow* c = OpenDocument(60, 40);

    Main().ExecuteCommand(ID_WINDOW_TILE);
    PumpFor(50ms);
    RECT client{};
    ::GetClientRect(Main().MdiClient(), &client);
    const RECT ra = ChildRect(a->Handle());
    const RECT rb = ChildRect(b->Handle());
    const RECT rc = ChildRect(c->Handle());
    // Horizontal tiling: full-width strips one below the other, no overlap.
    for (const RECT& r : {ra, rb, rc}) {
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.right, client.right);
    }
    RECT overlap{};
    EXPECT_FALSE(::IntersectRect(&overlap, &ra, &rb));
    EXPECT_FALSE(::IntersectRect(&overlap, &rb, &rc));
    EXPECT_FALSE(::IntersectRect(&overlap, &ra, &rc));

    Main().ExecuteCommand(ID_WINDOW_CASCADE);
    PumpFor(50ms);
    std::vector<RECT> rects = {ChildRect(a->Handle()), ChildRect(b->Handle()), ChildRect(c->Handle())};
    std::sort(rects.begin(), rects.end(), [](const RECT& l, const RECT& r) { return l.left < r.left; });
    EXPECT_LT(rects[0].left, rects[1].left);
    EXPECT_LT(rects[1].left, rects[2].left);
    EXPECT_LT(rects[0].top, rects[1].top);
    EXPECT_LT(rects[1].top, rects[2].top);
}

TEST_F(WindowArrangement, CloseAndDeleteActOnTheActiveDocumentOnly) {
    DocumentWindow* first = OpenDocument(30, 20);
    DocumentWindow* second = OpenDocument(30, 20);
    ASSERT_EQ(Main().ActiveDocument(), second);
    Main().ExecuteCommand(ID_EDIT_DELETE);
    EXPECT_TRUE(second->GetPicture().Empty());
    EXPECT_EQ(second->SurfaceSize().cx, 30);
    EXPECT_TRUE(second->IsDirty());
    EXPECT_FALSE(first->GetPicture().Empty());

    // Saved documents close without the save question.
    first->SetDirty(false);
    second->SetDirty(false);
    HWND secondWindow = second->Handle();
    Main().ExecuteCommand(ID_FILE_CLOSECHILD);
    PumpFor(20ms);
    EXPECT_FALSE(::IsWindow(secondWindow));
    EXPECT_EQ(CurrentDocument(), nullptr);  // it pointed at the closed one
    EXPECT_EQ(Main().ActiveDocument(), first);

    HWND firstWindow = first->Handle();
    Main().ExecuteCommand(ID_FILE_CLOSECHILD);
    PumpFor(20ms);
    EXPECT_FALSE(::IsWindow(firstWindow));
    // With no child at all, both commands do nothing.
    Main().ExecuteCommand(ID_FILE_CLOSECHILD);
    Main().ExecuteCommand(ID_EDIT_DELETE);
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
}

TEST_F(WindowArrangement, ActivatingADocumentSetsSaveToItsUnsavedMark) {
    DocumentWindow* saved = OpenDocument(30, 20);
    saved->SetDirty(false);
    DocumentWindow* unsaved = OpenDocument(30, 20);
    EXPECT_TRUE(Main().IsMenuEnabled(ID_FILE_SAVE));
    ::SendMessageW(Main().MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(saved->Handle()), 0);
    EXPECT_FALSE(Main().IsMenuEnabled(ID_FILE_SAVE));
    ::SendMessageW(Main().MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(unsaved->Handle()), 0);
    EXPECT_TRUE(Main().IsMenuEnabled(ID_FILE_SAVE));
}

TEST_F(WindowArrangement, ClosingTheMainWindowClosesEveryChildFirst) {
    DocumentWindow* a = OpenDocument(30, 20);
    a->SetDirty(false);
    DocumentWindow* b = OpenDocument(30, 20);
    b->SetDirty(false);
    HWND frame = Main().Handle();
    HWND wa = a->Handle();
    HWND wb = b->Handle();
    ::SendMessageW(frame, WM_CLOSE, 0, 0);
    PumpUntil([] { return QuitPosted(); }, 2s);
    EXPECT_FALSE(::IsWindow(wa));
    EXPECT_FALSE(::IsWindow(wb));
    EXPECT_FALSE(::IsWindow(frame));
    EXPECT_TRUE(QuitPosted());
}

TEST_F(WindowArrangement, ExitAsksTheLoopToEndWithoutClosingAnything) {
    DocumentWindow* document = OpenDocument(30, 20);
    Main().ExecuteCommand(ID_FILE_EXIT);
    EXPECT_TRUE(Main().ExitRequested());
    PumpUntil([] { return QuitPosted(); }, 1s);
    EXPECT_TRUE(QuitPosted());
    // Nothing was asked and nothing was closed on the way out.
    EXPECT_EQ(FindMessageBox(), nullptr);
    EXPECT_TRUE(::IsWindow(document->Handle()));
}

}  // namespace
}  // namespace snapora::test
