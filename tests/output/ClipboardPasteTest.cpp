// "复制" as other programs paste it: PNG and bitmap through the X clipboard,
// and a clipboard that another program keeps open.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/resource.h"
#include "documents/DocumentWindow.h"
#include "support/Decoding.h"
#include "support/Files.h"
#include "support/Pixels.h"
#include "support/Processes.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

using ClipboardPaste = MainWindowTest;

LoadedBitmap DecodePasted(const std::string& bytes) {
    const std::wstring file = TempFilePath(L"pasted");
    if (bytes.empty() || !WriteWholeFile(file, bytes)) return {};
    LoadedBitmap decoded = DecodeIndependently(file);
    ::DeleteFileW(file.c_str());
    return decoded;
}

TEST_F(ClipboardPaste, PastesAsExactlyThePictureInPngAndAsABitmapEncodingOnlyWhenAsked) {
    DocumentWindow* document = OpenPictureDocument(Main(), PatternPicture(61, 37));
    ASSERT_NE(document, nullptr);
    Main().Execute(ID_EDIT_COPY);
    // Emptied afterwards: what was copied stays on offer all the same.
    document->ClearPicture();
    const ClipboardOffer& offer = Main().Clipboard();
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_EQ(offer.PngRenders(), 0);

    const std::string png = PasteFromX("image/png");
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    const LoadedBitmap fromPng = DecodePasted(png);
    EXPECT_EQ(fromPng.width, 61);
    EXPECT_EQ(fromPng.height, 37);
    EXPECT_EQ(fromPng.pixels, PatternPixels(0, 0, 61, 37));
    EXPECT_EQ(offer.PngRenders(), 1);

    const LoadedBitmap fromBitmap = DecodePasted(PasteFromX("image/bmp"));
    EXPECT_EQ(fromBitmap.pixels, PatternPixels(0, 0, 61, 37));
    // A second paste takes the PNG already made.
    EXPECT_EQ(DecodePasted(PasteFromX("image/png")).pixels, fromPng.pixels);
    EXPECT_EQ(offer.PngRenders(), 1);
}

TEST_F(ClipboardPaste, NamesTheProgramThatKeepsTheClipboardOpenAndChangesNothing) {
    ASSERT_NE(OpenPictureDocument(Main(), PatternPicture(5, 4)), nullptr);
    ASSERT_TRUE(PutClipboardText(L"keep me", Main().Handle()));
    const std::wstring ready = TempFilePath(L"peer-ready");
    {
        ChildProcess peer(L"snapora_clipboard_peer.exe", L"hold 2500 \"" + ready + L"\"");
        ASSERT_TRUE(PumpUntil([&] { return FileExists(ready); }));
        Main().Execute(ID_EDIT_COPY);
        EXPECT_EQ(FirstStatusPanel(Main().StatusBar()), L"剪贴板被 snapora_clipboard_peer.exe 占用，未复制");
        EXPECT_EQ(peer.Wait(std::chrono::seconds(10)), 0u);
    }
    ::DeleteFileW(ready.c_str());
    EXPECT_EQ(ReadClipboardTextFromPeer().value_or(L""), L"keep me");
    EXPECT_FALSE(ReadClipboardBitmapFromPeer());

    // Once it is free, a copy goes through and the message goes.
    Main().Execute(ID_EDIT_COPY);
    EXPECT_TRUE(ReadClipboardBitmapFromPeer());
    EXPECT_EQ(FirstStatusPanel(Main().StatusBar()).find(L"剪贴板"), std::wstring::npos);
}

}  // namespace
}  // namespace snapora::test
