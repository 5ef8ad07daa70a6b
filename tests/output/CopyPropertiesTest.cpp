// "复制" and "属性" on the active document.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "app/resource.h"
#include "documents/DocumentWindow.h"
#include "output/OutputTestSupport.h"
#include "support/UiTest.h"
#include "win32/Handle.h"
#include "win32/Screen.h"

namespace snapora::test {
namespace {

using CopyCommand = MainWindowTest;
using PropertiesCommand = MainWindowTest;

void PutTextOnClipboard(HWND owner, const wchar_t* text) {
    win32::ClipboardLock clipboard(owner);
    ASSERT_TRUE(clipboard.IsOpen());
    ASSERT_TRUE(::EmptyClipboard());
    const std::size_t bytes = (::lstrlenW(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    ASSERT_NE(memory, nullptr);
    std::memcpy(::GlobalLock(memory), text, bytes);
    ::GlobalUnlock(memory);
    ASSERT_NE(::SetClipboardData(CF_UNICODETEXT, memory), nullptr);
}

// Another process reads the clipboard: a second copy of this test program,
// asked to run the reader below, which writes what it found to a file.
std::string ReadClipboardFromAnotherProcess(const std::wstring& reportPath) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_also_run_disabled_tests --gtest_filter=ClipboardReader.DISABLED_Report";
    ::SetEnvironmentVariableW(L"SNAPORA_CLIPBOARD_REPORT", reportPath.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;  // its test report is not ours
    PROCESS_INFORMATION process{};
    const BOOL started =
        ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    ::SetEnvironmentVariableW(L"SNAPORA_CLIPBOARD_REPORT", nullptr);
    if (!started) return "not started";
    win32::UniqueKernelHandle processHandle(process.hProcess);
    win32::UniqueKernelHandle threadHandle(process.hThread);
    PumpUntil([&] { return ::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, std::chrono::seconds(60));
    const auto bytes = ReadWholeFile(reportPath);
    return std::string(bytes.begin(), bytes.end());
}

std::string Describe(int width, int height, const std::vector<std::uint32_t>& pixels) {
    std::ostringstream text;
    text << width << "x" << height;
    for (auto p : pixels) text << " " << p;
    return text.str();
}

// Not a test of its own: the reader process started above runs it.
TEST(ClipboardReader, DISABLED_Report) {
    wchar_t path[MAX_PATH] = {};
    ASSERT_NE(::GetEnvironmentVariableW(L"SNAPORA_CLIPBOARD_REPORT", path, MAX_PATH), 0u);
    std::string report = "closed";
    {
        win32::ClipboardLock clipboard(nullptr);
        if (clipboard.IsOpen()) {
            report = ::IsClipboardFormatAvailable(CF_UNICODETEXT) ? "text " : "";
            auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
            BITMAP header{};
            if (bitmap && ::GetObjectW(bitmap, sizeof(header), &header)) {
                report += Describe(header.bmWidth, header.bmHeight, BitmapPixels(bitmap, header.bmWidth, header.bmHeight));
            } else {
                report += "no bitmap";
            }
        }
    }
    WriteWholeFile(path, report);
}

TEST_F(CopyCommand, PutsExactlyThePictureOnTheClipboardAndNothingElse) {
    ScratchFolder folder;
    DocumentWindow* document = OpenPictureDocument(Main(), MakePatternPicture(7, 3));
    ASSERT_NE(document, nullptr);
    PutTextOnClipboard(Main().Handle(), L"left over from before");

    Main().Execute(ID_EDIT_COPY);
    const std::string expected = Describe(7, 3, document->GetPicture().ReadPixels());
    EXPECT_EQ(ReadClipboardFromAnotherProcess(folder.File(L"report.txt")), expected);
    // The document keeps its own picture.
    EXPECT_EQ(document->GetPicture().ReadPixels(), MakePatternPicture(7, 3).ReadPixels());
    EXPECT_EQ(expected.substr(0, 4), "7x3 ");
}

TEST_F(CopyCommand, LeavesTheClipboardAloneWithoutAPictureOrWhileAnotherHoldsIt) {
    ScratchFolder folder;
    PutTextOnClipboard(Main().Handle(), L"keep me");
    Main().Execute(ID_EDIT_COPY);  // no document
    EXPECT_EQ(ReadClipboardFromAnotherProcess(folder.File(L"none.txt")), "text no bitmap");

    DocumentWindow* document = OpenPictureDocument(Main(), MakePatternPicture(2, 2));
    ASSERT_NE(document, nullptr);
    {
        // Held open with a real window, as another program would.
        HWND holder = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(holder, nullptr);
        ASSERT_TRUE(::OpenClipboard(holder));
        Main().Execute(ID_EDIT_COPY);
        ::CloseClipboard();
        ::DestroyWindow(holder);
    }
    EXPECT_EQ(ReadClipboardFromAnotherProcess(folder.File(L"busy.txt")), "text no bitmap");
}

std::wstring PropertiesShown(MainWindow& main, std::wstring* title = nullptr) {
    std::wstring text;
    DialogScript script({[&] {
        HWND box = FindMessageBoxOwnedBy(main.Handle());
        if (!box) return false;
        text = MessageBoxText(box);
        if (title) *title = WindowText(box);
        Answer(box, IDOK);
        return true;
    }});
    main.Execute(ID_FILE_PROPERTIES);
    return text;
}

TEST_F(PropertiesCommand, ReportsThePicturesOwnSizeInPixels) {
    DocumentWindow* document = OpenPictureDocument(Main(), Picture::CreateBlank(640, 480));
    ASSERT_NE(document, nullptr);
    document->SetOuterSize(200, 150);  // the window's size is not the picture's
    const std::wstring caption = WindowText(document->Handle());
    std::wstring title;
    EXPECT_EQ(PropertiesShown(Main(), &title), caption + L"：\r\n宽度=640  高度=480（像素）");
    EXPECT_EQ(title, L"Snapora");
    if (ExpectedDpiOrZero()) {
        EXPECT_EQ(win32::ScreenDpiX(), ExpectedDpiOrZero());
    }

    // Sizes at which 96 and 144 dpi round HIMETRIC differently.
    DocumentWindow* odd = OpenPictureDocument(Main(), Picture::CreateBlank(1001, 333));
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(PropertiesShown(Main()), WindowText(odd->Handle()) + L"：\r\n宽度=1001  高度=333（像素）");

    odd->ClearPicture();
    EXPECT_EQ(PropertiesShown(Main()), WindowText(odd->Handle()) + L"：\r\n宽度=0  高度=0（像素）");
}

TEST_F(PropertiesCommand, ShowsNothingWithoutADocument) {
    bool shown = false;
    DialogScript watch({[&] {
        for (HWND dialog : ThreadDialogs()) {
            shown = true;
            Answer(dialog, IDCANCEL);
        }
        return false;
    }});
    Main().Execute(ID_FILE_PROPERTIES);
    Main().Execute(ID_EDIT_COPY);
    EXPECT_FALSE(shown);
}

}  // namespace
}  // namespace snapora::test
