// "另存为" and the close question, through the real save dialog.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <thread>

#include <gtest/gtest.h>

#include "app/resource.h"
#include "documents/DocumentWindow.h"
#include "support/Decoding.h"
#include "support/DesktopPicture.h"
#include "support/Dialogs.h"
#include "support/Files.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/UiTest.h"
#include "win32/CommonControls.h"

namespace snapora::test {
namespace {

using SaveCommand = MainWindowTest;
using CloseQuestion = MainWindowTest;

constexpr int kTypeList = 0x470;  // cmb1

std::vector<std::uint32_t> Pattern(int width, int height) { return PatternPixels(0, 0, width, height); }

// Runs `action`; any dialog that shows meanwhile is cancelled.
bool DialogShownDuring(const std::function<void()>& action) { return CancelDialogsDuring(action) > 0; }

TEST_F(SaveCommand, WritesTheChosenFileWithTheDialogAsSetAndThenIsSpent) {
    ScratchFolder folder;
    DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(5, 3));
    ASSERT_NE(document, nullptr);
    const std::wstring caption = WindowText(document->Handle());
    ASSERT_TRUE(MenuEnabled(Main().Handle(), ID_FILE_SAVE_AS));

    const std::wstring path = folder.File(L"first.bmp");
    const auto dialogAsSet = [] {
        HWND dialog = FindSaveDialog();
        if (!dialog) return false;
        HWND list = ::GetDlgItem(dialog, kTypeList);
        std::vector<std::wstring> types;
        for (LRESULT i = 0, n = ::SendMessageW(list, CB_GETCOUNT, 0, 0); i < n; ++i) {
            wchar_t text[64] = {};
            ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            types.emplace_back(text);
        }
        EXPECT_EQ(types, (std::vector<std::wstring>{L"Bitmaps", L"PNG", L"JPEG", L"TIFF", L"All Files"}));
        EXPECT_EQ(::SendMessageW(list, CB_GETCURSEL, 0, 0), 0);
        wchar_t startFolder[MAX_PATH] = {};
        ::SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(startFolder));
        EXPECT_EQ(::lstrcmpiW(startFolder, ProgramFolderForTests().c_str()), 0) << startFolder;
        return true;
    };
    DialogScript script({dialogAsSet, SaveAs(path)});
    Main().Execute(ID_FILE_SAVE_AS);
    ASSERT_TRUE(script.Finished());
    EXPECT_FALSE(script.TimedOut());

    const LoadedBitmap saved = LoadBitmapFile(path);
    EXPECT_EQ(saved.width, 5);
    EXPECT_EQ(saved.height, 3);
    EXPECT_EQ(saved.pixels, Pattern(5, 3));
    EXPECT_FALSE(document->IsDirty());
    EXPECT_FALSE(MenuEnabled(Main().Handle(), ID_FILE_SAVE_AS));
    EXPECT_EQ(WindowText(document->Handle()), caption);

    // A saved document is not saved again, from the menu or the toolbar.
    EXPECT_FALSE(DialogShownDuring([&] { Main().Execute(ID_FILE_SAVE_AS); }));
    EXPECT_FALSE(DialogShownDuring([&] {
        ClickToolbarButton(Main(), 3);  // "Save"
        PumpFor(std::chrono::milliseconds(200));
    }));
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"first.bmp"});

    // And closing it asks nothing.
    EXPECT_FALSE(DialogShownDuring([&] { EXPECT_TRUE(document->Close()); }));
}

TEST_F(SaveCommand, TheNameDecidesTheFormatAndIsKeptExactlyAsTyped) {
    ScratchFolder folder;
    DocumentWindow* document = OpenPictureDocument(Main(), MakeDesktopLikePicture(320, 200));
    ASSERT_NE(document, nullptr);
    const std::vector<std::uint32_t> pixels = document->GetPicture().ReadPixels();
    // The type entry chosen (0 Bitmaps, 1 PNG, 2 JPEG, 3 TIFF, 4 All Files)
    // and the name typed; the format the file must hold.
    struct Case {
        LRESULT type;
        std::wstring name;
        std::string kind;
    };
    const std::vector<Case> cases = {{0, L"a.png", "PNG"},      {2, L"photo.jpg", "JPEG"}, {0, L"b.JPEG", "JPEG"},
                                     {0, L"c.bmp", "BMP"},      {0, L"name", "BMP"},       {4, L"d.png", "PNG"},
                                     {1, L"e.gif", "BMP"},      {3, L"f.TIF", "TIFF"}};
    for (const Case& c : cases) {
        document->SetDirty(true);
        DialogScript save({[&] {
            HWND dialog = FindSaveDialog();
            if (!dialog) return false;
            HWND list = ::GetDlgItem(dialog, kTypeList);
            ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(c.type), 0);
            ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kTypeList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
            TypeFileName(dialog, folder.File(c.name));
            Press(dialog, IDOK);
            return true;
        }});
        Main().Execute(ID_FILE_SAVE_AS);
        EXPECT_TRUE(save.Finished());
        EXPECT_FALSE(document->IsDirty()) << c.name.size();
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"a.png", L"b.JPEG", L"c.bmp", L"d.png", L"e.gif", L"f.TIF",
                                                         L"name", L"photo.jpg"}));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "file " << c.kind << " " << c.name.size());
        EXPECT_EQ(FileKind(folder.File(c.name)), c.kind);
        if (c.kind == "JPEG") {
            ExpectFaithfulJpeg(folder.File(c.name), pixels, 320, 200);
            continue;
        }
        const LoadedBitmap decoded = DecodeIndependently(folder.File(c.name));
        EXPECT_EQ(decoded.width, 320);
        EXPECT_EQ(decoded.height, 200);
        EXPECT_TRUE(decoded.pixels == pixels);
    }
}

TEST_F(SaveCommand, CancelChangesNothing) {
    DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(4, 4));
    ASSERT_NE(document, nullptr);
    DialogScript script({CancelSaveDialog()});
    Main().Execute(ID_FILE_SAVE_AS);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(document->IsDirty());
    EXPECT_TRUE(MenuEnabled(Main().Handle(), ID_FILE_SAVE_AS));
}

TEST_F(SaveCommand, ReplacesAnExistingFileOnlyAfterTheUserConfirms) {
    ScratchFolder folder;
    const std::wstring path = folder.File(L"existing.bmp");
    ASSERT_TRUE(WriteWholeFile(path, "not a picture yet"));
    DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(3, 3));
    ASSERT_NE(document, nullptr);

    // First "No" to the overwrite question, then the dialog is cancelled.
    HWND saveDialog = nullptr;
    DialogScript refuse({SaveAs(path, &saveDialog),
                         [&] {
                             HWND prompt = FindMessageBox(saveDialog);
                             if (!prompt) return false;
                             Press(prompt, IDNO);
                             return true;
                         },
                         CancelSaveDialog()});
    Main().Execute(ID_FILE_SAVE_AS);
    EXPECT_TRUE(refuse.Finished());
    const auto untouched = ReadWholeFile(path);
    EXPECT_EQ(std::string(untouched.begin(), untouched.end()), "not a picture yet");
    EXPECT_TRUE(document->IsDirty());

    DialogScript confirm({SaveAs(path, &saveDialog), [&] {
                              HWND prompt = FindMessageBox(saveDialog);
                              if (!prompt) return false;
                              Press(prompt, IDYES);
                              return true;
                          }});
    Main().Execute(ID_FILE_SAVE_AS);
    EXPECT_TRUE(confirm.Finished());
    EXPECT_EQ(LoadBitmapFile(path).pixels, Pattern(3, 3));
    EXPECT_FALSE(document->IsDirty());
}

TEST_F(SaveCommand, SavesToAPathOf255Characters) {
    ScratchFolder folder;
    const std::wstring prefix = folder.Path() + L"\\";
    const std::wstring name = std::wstring(255 - prefix.size() - 4, L'n') + L".bmp";
    ASSERT_EQ((prefix + name).size(), 255u);
    DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(6, 4));
    ASSERT_NE(document, nullptr);
    DialogScript script({SaveAs(prefix + name)});
    Main().Execute(ID_FILE_SAVE_AS);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(LoadBitmapFile(prefix + name).pixels, Pattern(6, 4));
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{name});  // no temporary file left
    EXPECT_FALSE(document->IsDirty());
}

// Closes the document from another thread, as another program could,
// once the save dialog is open.
DialogScript::Step CloseFromAnotherThread(HWND mdiClient, HWND document, std::thread& closer) {
    return [=, &closer] {
        if (!FindSaveDialog()) return false;
        closer = std::thread([=] { ::SendMessageW(mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(document), 0); });
        return true;
    };
}

TEST_F(SaveCommand, ADocumentClosedWhileItsDialogIsOpenWritesNothingAndTheProgramGoesOn) {
    ScratchFolder folder;
    for (const bool fromQuestion : {false, true}) {
        SCOPED_TRACE(fromQuestion ? "the close question's save" : "save as");
        DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(4, 3));
        ASSERT_NE(document, nullptr);
        const HWND window = document->Handle();
        std::thread closer;
        std::vector<DialogScript::Step> steps = {CloseFromAnotherThread(Main().MdiClient(), window, closer),
                                                 [window] { return !::IsWindow(window); }, SaveAs(folder.File(L"gone.bmp"))};
        if (fromQuestion) steps.insert(steps.begin(), AnswerMessageBox(IDYES));
        DialogScript script(std::move(steps));
        if (fromQuestion) {
            ::SendMessageW(window, WM_CLOSE, 0, 0);
        } else {
            Main().Execute(ID_FILE_SAVE_AS);
        }
        if (closer.joinable()) closer.join();
        EXPECT_TRUE(script.Finished());
        EXPECT_FALSE(script.TimedOut());
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_TRUE(folder.Names().empty());
    }
    // Still running and answering commands.
    ASSERT_TRUE(::IsWindow(mainWindow_));
    Main().Execute(ID_SETTINGS_STATUS_BAR);
    EXPECT_FALSE(MenuChecked(mainWindow_, ID_SETTINGS_STATUS_BAR));
    EXPECT_NE(OpenPictureDocument(Main(), PatternPicture(2, 2)), nullptr);
}

TEST_F(SaveCommand, DoesNothingWithoutADocument) {
    EXPECT_FALSE(DialogShownDuring([&] { Main().Execute(ID_FILE_SAVE_AS); }));
}

TEST_F(CloseQuestion, YesSavesAndCloses) {
    ScratchFolder folder;
    DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(6, 5));
    ASSERT_NE(document, nullptr);
    const HWND window = document->Handle();
    const std::wstring caption = WindowText(window);
    SeenBox question;
    DialogScript script({AnswerMessageBox(IDYES, &question), SaveAs(folder.File(L"closing.bmp"))});
    Main().Execute(ID_FILE_CLOSE_DOCUMENT);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(question.text, L"保存 " + caption + L" 吗？");
    EXPECT_EQ(question.title, L"Snapora");
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(LoadBitmapFile(folder.File(L"closing.bmp")).pixels, Pattern(6, 5));
    // That was the last document: "另存为" keeps the state it had.
    EXPECT_TRUE(MenuEnabled(Main().Handle(), ID_FILE_SAVE_AS));
}

LRESULT CALLBACK PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return win32::CallNextSubclass(window, message, wParam, lParam);
}

// Input methods, accessibility tools and comctl32 itself subclass windows:
// the document is still found, so its commands work and its question comes.
TEST_F(CloseQuestion, ASubclassedDocumentStillSavesAndAsks) {
    ScratchFolder folder;
    DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(6, 5));
    ASSERT_NE(document, nullptr);
    const HWND window = document->Handle();
    ASSERT_TRUE(win32::SetSubclass(window, &PassOn, 1, 0));
    DialogScript save({SaveAs(folder.File(L"subclassed.bmp"))});
    Main().Execute(ID_FILE_SAVE_AS);
    EXPECT_TRUE(save.Finished());
    EXPECT_EQ(LoadBitmapFile(folder.File(L"subclassed.bmp")).pixels, Pattern(6, 5));

    DocumentWindow* unsaved = OpenPictureDocument(Main(), PatternPicture(3, 3));
    ASSERT_NE(unsaved, nullptr);
    ASSERT_TRUE(win32::SetSubclass(unsaved->Handle(), &PassOn, 1, 0));
    SeenBox question;
    DialogScript cancel({AnswerMessageBox(IDCANCEL, &question)});
    EXPECT_FALSE(unsaved->Close());
    EXPECT_TRUE(cancel.Finished());
    EXPECT_EQ(question.text, L"保存 " + WindowText(unsaved->Handle()) + L" 吗？");
}

TEST_F(CloseQuestion, YesThenCancelOrAFailedSaveKeepsTheDocument) {
    ScratchFolder folder;
    DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(6, 5));
    ASSERT_NE(document, nullptr);
    DialogScript cancelled({AnswerMessageBox(IDYES), CancelSaveDialog()});
    EXPECT_FALSE(document->Close());
    EXPECT_TRUE(cancelled.Finished());
    EXPECT_TRUE(document->IsDirty());

    // An emptied picture cannot be written: the document stays.
    document->ClearPicture();
    DialogScript failed({AnswerMessageBox(IDYES), SaveAs(folder.File(L"empty.bmp"))});
    EXPECT_FALSE(document->Close());
    EXPECT_TRUE(failed.Finished());
    EXPECT_TRUE(folder.Names().empty());
    EXPECT_TRUE(document->IsDirty());
}

TEST_F(CloseQuestion, NoDiscardsAndCancelKeeps) {
    DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(2, 2));
    ASSERT_NE(document, nullptr);
    const HWND window = document->Handle();
    DialogScript cancel({AnswerMessageBox(IDCANCEL)});
    EXPECT_FALSE(document->Close());
    EXPECT_TRUE(cancel.Finished());
    EXPECT_TRUE(::IsWindow(window));

    bool saveDialogShown = false;
    DialogScript no({AnswerMessageBox(IDNO), [&] {
                         saveDialogShown = saveDialogShown || FindSaveDialog() != nullptr;
                         return false;
                     }});
    EXPECT_TRUE(document->Close());
    EXPECT_EQ(no.StepsDone(), 1u);
    EXPECT_FALSE(saveDialogShown);
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(CloseQuestion, MainWindowCloseStopsAtACancelledQuestion) {
    DocumentWindow* first = OpenPictureDocument(Main(), PatternPicture(2, 2));
    DocumentWindow* second = OpenPictureDocument(Main(), PatternPicture(3, 3));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    const HWND firstWindow = first->Handle();
    const HWND secondWindow = second->Handle();
    const std::wstring firstCaption = WindowText(firstWindow);
    const std::wstring secondCaption = WindowText(secondWindow);
    SeenBox firstQuestion;
    SeenBox secondQuestion;
    DialogScript script({AnswerMessageBox(IDNO, &firstQuestion), AnswerMessageBox(IDCANCEL, &secondQuestion)});
    ::SendMessageW(Main().Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(script.Finished());
    ASSERT_TRUE(::IsWindow(Main().Handle()));
    EXPECT_FALSE(QuitPosted());

    // One question per document in turn; the one answered No is gone, the
    // one whose question was cancelled stays.
    ASSERT_EQ(::IsWindow(firstWindow) + ::IsWindow(secondWindow), 1);
    const bool firstKept = ::IsWindow(firstWindow) != FALSE;
    EXPECT_EQ(firstQuestion.text, L"保存 " + (firstKept ? secondCaption : firstCaption) + L" 吗？");
    EXPECT_EQ(secondQuestion.text, L"保存 " + (firstKept ? firstCaption : secondCaption) + L" 吗？");
}

}  // namespace
}  // namespace snapora::test
