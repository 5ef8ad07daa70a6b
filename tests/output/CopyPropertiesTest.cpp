// "复制" and "属性" on the active document.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/resource.h"
#include "documents/DocumentWindow.h"
#include "support/Dialogs.h"
#include "support/Pixels.h"
#include "support/Processes.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

using CopyCommand = MainWindowTest;
using PropertiesCommand = MainWindowTest;

TEST_F(CopyCommand, PutsExactlyThePictureOnTheClipboardAndNothingElse) {
    DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(7, 3));
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(PutClipboardText(L"left over from before", Main().Handle()));

    Main().Execute(ID_EDIT_COPY);
    // Another process finds the picture and nothing else.
    const auto clip = ReadClipboardBitmapFromPeer();
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->width, 7);
    EXPECT_EQ(clip->height, 3);
    EXPECT_EQ(clip->pixels, document->GetPicture().ReadPixels());
    EXPECT_FALSE(ReadClipboardTextFromPeer());
    // The document keeps its own picture.
    EXPECT_EQ(document->GetPicture().ReadPixels(), PatternPixels(0, 0, 7, 3));
}

TEST_F(CopyCommand, LeavesTheClipboardAloneWithoutAPictureOrWhileAnotherHoldsIt) {
    ASSERT_TRUE(PutClipboardText(L"keep me", Main().Handle()));
    Main().Execute(ID_EDIT_COPY);  // no document
    EXPECT_FALSE(ReadClipboardBitmapFromPeer());
    EXPECT_EQ(ReadClipboardTextFromPeer().value_or(L""), L"keep me");

    ASSERT_NE(OpenPictureDocument(Main(), PatternPicture(2, 2)), nullptr);
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Holding());
        Main().Execute(ID_EDIT_COPY);
    }
    EXPECT_FALSE(ReadClipboardBitmapFromPeer());
    EXPECT_EQ(ReadClipboardTextFromPeer().value_or(L""), L"keep me");
}

std::wstring PropertiesShown(MainWindow& main, std::wstring* title = nullptr) {
    SeenBox box;
    DialogScript script({AnswerMessageBox(IDOK, &box, main.Handle())});
    main.Execute(ID_FILE_PROPERTIES);
    if (title) *title = box.title;
    return box.text;
}

TEST_F(PropertiesCommand, ReportsThePicturesOwnSizeInPixels) {
    DocumentWindow* document = OpenPictureDocument(Main(), Picture::CreateBlank(640, 480));
    ASSERT_NE(document, nullptr);
    document->SetOuterSize(200, 150);  // the window's size is not the picture's
    const std::wstring caption = WindowText(document->Handle());
    std::wstring title;
    EXPECT_EQ(PropertiesShown(Main(), &title), caption + L"：\r\n宽度=640  高度=480（像素）");
    EXPECT_EQ(title, L"Snapora");
    ExpectTheRunsDpi();

    // Sizes at which 96 and 144 dpi round HIMETRIC differently.
    DocumentWindow* odd = OpenPictureDocument(Main(), Picture::CreateBlank(1001, 333));
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(PropertiesShown(Main()), WindowText(odd->Handle()) + L"：\r\n宽度=1001  高度=333（像素）");

    odd->ClearPicture();
    EXPECT_EQ(PropertiesShown(Main()), WindowText(odd->Handle()) + L"：\r\n宽度=0  高度=0（像素）");
}

TEST_F(PropertiesCommand, ShowsNothingWithoutADocument) {
    EXPECT_EQ(CancelDialogsDuring([&] {
                  Main().Execute(ID_FILE_PROPERTIES);
                  Main().Execute(ID_EDIT_COPY);
              }),
              0);
}

}  // namespace
}  // namespace snapora::test
