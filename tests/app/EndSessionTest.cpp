// The end of the session: the same close question as closing the main
// window, asked once, and a refusal that keeps everything open.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/resource.h"
#include "documents/DocumentWindow.h"
#include "support/Dialogs.h"
#include "support/Files.h"
#include "support/Pixels.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

using EndSession = MainWindowTest;

std::wstring Question(HWND document) { return L"保存 " + WindowText(document) + L" 吗？"; }

LRESULT QueryEndSession(HWND frame) { return ::SendMessageW(frame, WM_QUERYENDSESSION, 0, 0); }

TEST_F(EndSession, CancelRefusesAndKeepsEverythingOpenWhileYesSavesOnlyThatDocument) {
    ScratchFolder folder;
    DocumentWindow* saved = OpenPictureDocument(Main(), PatternPicture(2, 2));
    ASSERT_NE(saved, nullptr);
    saved->SetDirty(false);
    DocumentWindow* first = OpenPictureDocument(Main(), PatternPicture(3, 2));
    DocumentWindow* second = OpenPictureDocument(Main(), PatternPicture(4, 2));
    ASSERT_NE(second, nullptr);
    const std::vector<HWND> windows = {saved->Handle(), first->Handle(), second->Handle()};

    // Asked in the order closing the window asks: the active one first.
    SeenBox firstAsked;
    SeenBox secondAsked;
    DialogScript script({AnswerMessageBox(IDYES, &firstAsked), SaveAs(folder.File(L"kept.bmp")),
                         AnswerMessageBox(IDCANCEL, &secondAsked),
                         [] { return FindMessageBox() != nullptr; }});
    EXPECT_EQ(QueryEndSession(mainWindow_), FALSE);
    EXPECT_EQ(script.StepsDone(), 3u) << "a question too many";
    EXPECT_EQ(firstAsked.text, Question(windows[2]));
    EXPECT_EQ(secondAsked.text, Question(windows[1]));
    EXPECT_EQ(LoadBitmapFile(folder.File(L"kept.bmp")).width, 4);
    // Nothing closed; the one saved counts as saved, the other is still unsaved.
    for (HWND window : windows) EXPECT_TRUE(::IsWindow(window));
    EXPECT_FALSE(second->IsDirty());
    EXPECT_TRUE(first->IsDirty());
    EXPECT_FALSE(MenuEnabled(mainWindow_, ID_FILE_SAVE_AS));

    // The session goes on: nothing happens, and the next query asks again
    // only about the document still unsaved.
    EXPECT_EQ(CancelDialogsDuring([&] { ::SendMessageW(mainWindow_, WM_ENDSESSION, FALSE, 0); }), 0);
    for (HWND window : windows) EXPECT_TRUE(::IsWindow(window));
    DialogScript again({AnswerMessageBox(IDCANCEL, &firstAsked), [] { return FindMessageBox() != nullptr; }});
    EXPECT_EQ(QueryEndSession(mainWindow_), FALSE);
    EXPECT_EQ(again.StepsDone(), 1u);
    EXPECT_EQ(firstAsked.text, Question(windows[1]));
    EXPECT_FALSE(QuitPosted());
}

TEST_F(EndSession, NoForAllLetsTheSessionEndWithoutASecondRound) {
    // Nothing unsaved: nothing is asked.
    EXPECT_EQ(CancelDialogsDuring([&] { EXPECT_EQ(QueryEndSession(mainWindow_), TRUE); }), 0);

    DocumentWindow* first = OpenPictureDocument(Main(), PatternPicture(3, 3));
    DocumentWindow* second = OpenPictureDocument(Main(), PatternPicture(5, 5));
    ASSERT_NE(second, nullptr);
    const HWND firstWindow = first->Handle();
    const HWND secondWindow = second->Handle();
    DialogScript script({AnswerMessageBox(IDNO), AnswerMessageBox(IDNO), [] { return FindMessageBox() != nullptr; }});
    EXPECT_EQ(QueryEndSession(mainWindow_), TRUE);
    EXPECT_EQ(script.StepsDone(), 2u);
    // Another program may still refuse: nothing closes before the end.
    EXPECT_TRUE(::IsWindow(firstWindow));
    EXPECT_TRUE(::IsWindow(secondWindow));

    EXPECT_EQ(CancelDialogsDuring([&] { ::SendMessageW(mainWindow_, WM_ENDSESSION, TRUE, 0); }), 0);
    EXPECT_FALSE(::IsWindow(mainWindow_));
    EXPECT_FALSE(::IsWindow(firstWindow));
    EXPECT_FALSE(::IsWindow(secondWindow));
    EXPECT_TRUE(PumpUntil(QuitPosted, std::chrono::seconds(2)));
}

}  // namespace
}  // namespace snapora::test
