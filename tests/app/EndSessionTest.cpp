// The end of the session: the same close question as closing the main
// window, asked once, and a refusal that keeps everything open.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/resource.h"
#include "documents/DocumentWindow.h"
#include "support/Dialogs.h"
#include "support/Files.h"
#include "support/ImportHook.h"
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
    // Nothing closed; the one saved counts as saved, the other is still
    // unsaved. "另存为" follows the active document, now saved.
    for (HWND window : windows) EXPECT_TRUE(::IsWindow(window));
    EXPECT_FALSE(second->IsDirty());
    EXPECT_TRUE(first->IsDirty());
    EXPECT_EQ(DocumentWindow::FromHandle(Main().ActiveChild()), second);
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

// What the program tells the system about the end it holds up, noted on
// the window it names.
struct BlockedEnd {
    std::wstring reason;
    bool blocked = false;
};
constexpr wchar_t kBlockedEnd[] = L"SnaporaTestBlockedEnd";

BOOL WINAPI NoteReason(HWND window, LPCWSTR reason) {
    if (auto* noted = static_cast<BlockedEnd*>(::GetPropW(window, kBlockedEnd))) *noted = {reason, true};
    return TRUE;
}

BOOL WINAPI NoteReasonWithdrawn(HWND window) {
    if (auto* noted = static_cast<BlockedEnd*>(::GetPropW(window, kBlockedEnd))) noted->blocked = false;
    return TRUE;
}

bool OverlayUp() { return ::FindWindowW(L"SnaporaRectangleOverlay", nullptr) != nullptr; }

TEST_F(EndSession, ACaptureUnderWayEndsBeforeTheQuestionsAndALaterDocumentIsAskedAtTheEnd) {
    BlockedEnd noted;
    ::SetPropW(mainWindow_, kBlockedEnd, &noted);
    const ImportHook create("user32.dll", "ShutdownBlockReasonCreate", reinterpret_cast<const void*>(&NoteReason));
    const ImportHook destroy("user32.dll", "ShutdownBlockReasonDestroy",
                             reinterpret_cast<const void*>(&NoteReasonWithdrawn));
    EXPECT_TRUE(create.Installed() && destroy.Installed()) << "the program never names its reason";
    DocumentWindow* unsaved = OpenPictureDocument(Main(), PatternPicture(3, 3));
    ASSERT_NE(unsaved, nullptr);
    const std::wstring question = Question(unsaved->Handle());

    // The overlay is up: it goes, and the question shows over the main window.
    Main().Execute(ID_CAPTURE_RECTANGLE);
    ASSERT_TRUE(PumpUntil(OverlayUp));
    bool overlayGone = false;
    SeenBox asked;
    DialogScript refuse({[&] {
                             if (!FindMessageBox(mainWindow_)) return false;
                             overlayGone = !OverlayUp() && ::IsWindowVisible(mainWindow_);
                             return true;
                         },
                         AnswerMessageBox(IDCANCEL, &asked)});
    EXPECT_EQ(QueryEndSession(mainWindow_), FALSE);
    EXPECT_TRUE(refuse.Finished());
    EXPECT_EQ(asked.text, question);
    EXPECT_TRUE(overlayGone);
    EXPECT_TRUE(noted.blocked);
    EXPECT_EQ(noted.reason, L"有未保存的截图");
    ::SendMessageW(mainWindow_, WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(noted.blocked);

    // The pause before the entire-screen grab stops: nothing opens later.
    Main().Execute(ID_CAPTURE_ENTIRE_SCREEN);
    DialogScript agree({AnswerMessageBox(IDNO)});
    EXPECT_EQ(QueryEndSession(mainWindow_), TRUE);
    EXPECT_TRUE(agree.Finished());
    EXPECT_TRUE(::IsWindowVisible(mainWindow_));
    EXPECT_FALSE(noted.blocked);
    PumpFor(std::chrono::milliseconds(500));
    EXPECT_EQ(Documents(Main()).size(), 1u);

    // One that opens all the same (the window capture's pause runs every
    // message) is asked about when the session ends; the other is not again.
    DocumentWindow* late = OpenPictureDocument(Main(), PatternPicture(4, 4));
    ASSERT_NE(late, nullptr);
    const std::wstring lateQuestion = Question(late->Handle());
    DialogScript end({AnswerMessageBox(IDNO, &asked), [] { return FindMessageBox() != nullptr; }});
    ::SendMessageW(mainWindow_, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(end.StepsDone(), 1u);
    EXPECT_EQ(asked.text, lateQuestion);
    EXPECT_FALSE(::IsWindow(mainWindow_));
}

}  // namespace
}  // namespace snapora::test
