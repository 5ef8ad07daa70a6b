// Tile, cascade and closing the main window with its children.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "app/resource.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "support/Dialogs.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

using namespace std::chrono_literals;

class WindowArrangement : public MainWindowTest {
protected:
    DocumentWindow* OpenDocument(int width, int height) {
        DocumentWindow* document = OpenPictureDocument(Main(), Picture::CreateBlank(width, height));
        EXPECT_NE(document, nullptr);
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
    Main().Execute(ID_WINDOW_TILE);
    Main().Execute(ID_WINDOW_CASCADE);
    PumpFor(50ms);
    EXPECT_EQ(::GetWindow(Main().MdiClient(), GW_CHILD), nullptr);
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
}

TEST_F(WindowArrangement, TileSetsTheChildrenSideBySideAndCascadeStaggersThem) {
    DocumentWindow* a = OpenDocument(60, 40);
    DocumentWindow* b = OpenDocument(60, 40);
    DocumentWindow* c = OpenDocument(60, 40);

    Main().Execute(ID_WINDOW_TILE);
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

    Main().Execute(ID_WINDOW_CASCADE);
    PumpFor(50ms);
    std::vector<RECT> rects = {ChildRect(a->Handle()), ChildRect(b->Handle()), ChildRect(c->Handle())};
    std::sort(rects.begin(), rects.end(), [](const RECT& l, const RECT& r) { return l.left < r.left; });
    EXPECT_LT(rects[0].left, rects[1].left);
    EXPECT_LT(rects[1].left, rects[2].left);
    EXPECT_LT(rects[0].top, rects[1].top);
    EXPECT_LT(rects[1].top, rects[2].top);
}

TEST_F(WindowArrangement, ScrollBarsShowWhileADocumentLiesPartlyOutsideAndScrollingBringsItBack) {
    HWND workspace = Main().MdiClient();
    auto bars = [&] { return ::GetWindowLongW(workspace, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL); };
    EXPECT_EQ(bars(), 0);
    DocumentWindow* document = OpenDocument(60, 40);
    PumpFor(50ms);
    EXPECT_EQ(bars(), 0);

    RECT client{};
    ::GetClientRect(workspace, &client);
    ::SetWindowPos(document->Handle(), nullptr, client.right - 20, client.bottom - 20, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(PumpUntil([&] { return bars() == (WS_HSCROLL | WS_VSCROLL); }, 2s));

    // The range runs from the workspace's edge to the document's far edge,
    // and the view starts at 0.
    ::GetClientRect(workspace, &client);
    RECT placed = ChildRect(document->Handle());
    SCROLLINFO info{sizeof(info), SIF_ALL};
    ASSERT_TRUE(::GetScrollInfo(workspace, SB_HORZ, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, placed.right - 1);
    EXPECT_EQ(static_cast<int>(info.nPage), client.right);
    EXPECT_EQ(info.nPos, 0);

    // A line moves the document by one line step; scrolling to the end
    // brings it fully inside, and the bars go.
    ::SendMessageW(workspace, WM_HSCROLL, SB_LINEDOWN, 0);
    PumpFor(50ms);
    EXPECT_EQ(ChildRect(document->Handle()).left, placed.left - ::GetSystemMetrics(SM_CXHSCROLL));
    ::SendMessageW(workspace, WM_HSCROLL, SB_BOTTOM, 0);
    ::SendMessageW(workspace, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_TRUE(PumpUntil([&] { return bars() == 0; }, 2s));
    ::GetClientRect(workspace, &client);
    placed = ChildRect(document->Handle());
    EXPECT_GE(placed.left, 0);
    EXPECT_GE(placed.top, 0);
    EXPECT_LE(placed.right, client.right);
    EXPECT_LE(placed.bottom, client.bottom);

    // Past the left edge the range starts where the document does.
    ::SetWindowPos(document->Handle(), nullptr, -30, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(PumpUntil([&] { return bars() == WS_HSCROLL; }, 2s));
    ASSERT_TRUE(::GetScrollInfo(workspace, SB_HORZ, &info));
    EXPECT_EQ(info.nMin, -30);
    // The thumb dropped at -10 (a negative position in the message's 16
    // bits) moves the document 10 pixels back in.
    ::SendMessageW(workspace, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(-10)), 0);
    PumpFor(50ms);
    EXPECT_EQ(ChildRect(document->Handle()).left, -20);
    ::SendMessageW(workspace, WM_HSCROLL, SB_TOP, 0);
    EXPECT_TRUE(PumpUntil([&] { return bars() == 0; }, 2s));
    EXPECT_EQ(ChildRect(document->Handle()).left, 0);

    // A maximised document fills the workspace and needs no bar.
    ::SetWindowPos(document->Handle(), nullptr, -30, -30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(PumpUntil([&] { return bars() != 0; }, 2s));
    ::SendMessageW(workspace, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(document->Handle()), 0);
    EXPECT_TRUE(PumpUntil([&] { return bars() == 0; }, 2s));
    ::SendMessageW(workspace, WM_MDIRESTORE, reinterpret_cast<WPARAM>(document->Handle()), 0);
    EXPECT_TRUE(PumpUntil([&] { return bars() != 0; }, 2s));
    // Closing the document that lay outside takes the bars away too.
    document->SetDirty(false);
    document->Close();
    EXPECT_TRUE(PumpUntil([&] { return bars() == 0; }, 2s));
}

TEST_F(WindowArrangement, CloseAndDeleteActOnTheActiveDocumentOnly) {
    DocumentWindow* first = OpenDocument(30, 20);
    DocumentWindow* second = OpenDocument(30, 20);
    ASSERT_EQ(DocumentWindow::FromHandle(Main().ActiveChild()), second);
    Main().Execute(ID_EDIT_DELETE);
    EXPECT_TRUE(second->GetPicture().Empty());
    EXPECT_EQ(second->SurfaceSize().cx, 30);
    EXPECT_TRUE(second->IsDirty());
    EXPECT_FALSE(first->GetPicture().Empty());

    // Saved documents close without the save question.
    first->SetDirty(false);
    second->SetDirty(false);
    HWND secondWindow = second->Handle();
    Main().Execute(ID_FILE_CLOSE_DOCUMENT);
    PumpFor(20ms);
    EXPECT_FALSE(::IsWindow(secondWindow));
    EXPECT_EQ(CurrentDocument(Main()), nullptr);  // it pointed at the closed one
    EXPECT_EQ(DocumentWindow::FromHandle(Main().ActiveChild()), first);

    HWND firstWindow = first->Handle();
    Main().Execute(ID_FILE_CLOSE_DOCUMENT);
    PumpFor(20ms);
    EXPECT_FALSE(::IsWindow(firstWindow));
    // With no child at all, both commands do nothing.
    Main().Execute(ID_FILE_CLOSE_DOCUMENT);
    Main().Execute(ID_EDIT_DELETE);
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
}

TEST_F(WindowArrangement, ActivatingADocumentSetsSaveToItsUnsavedMark) {
    DocumentWindow* saved = OpenDocument(30, 20);
    saved->SetDirty(false);
    DocumentWindow* unsaved = OpenDocument(30, 20);
    EXPECT_TRUE(MenuEnabled(Main().Handle(), ID_FILE_SAVE_AS));
    ::SendMessageW(Main().MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(saved->Handle()), 0);
    EXPECT_FALSE(MenuEnabled(Main().Handle(), ID_FILE_SAVE_AS));
    ::SendMessageW(Main().MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(unsaved->Handle()), 0);
    EXPECT_TRUE(MenuEnabled(Main().Handle(), ID_FILE_SAVE_AS));
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
    Main().Execute(ID_FILE_EXIT);
    PumpUntil([] { return QuitPosted(); }, 1s);
    EXPECT_TRUE(QuitPosted());
    // Nothing was asked and nothing was closed on the way out.
    EXPECT_EQ(FindMessageBox(), nullptr);
    EXPECT_TRUE(::IsWindow(document->Handle()));
}

}  // namespace
}  // namespace snapora::test
