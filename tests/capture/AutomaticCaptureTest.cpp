// Automatic capture: numbered BMP files of the whole screen below the
// program's folder, written at the timer's period until the duration ends.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/resource.h"
#include "capture/CaptureCommands.h"
#include "picture/Picture.h"
#include "support/Processes.h"
#include "support/UiTest.h"
#include "win32/Handle.h"
#include "win32/Screen.h"

namespace snapora::test {
namespace {

std::wstring BelowProgram(const std::wstring& name) { return ProgramFolderForTests() + L"\\" + name; }

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void RemoveFolder(const std::wstring& folder) {
    for (const auto& name : FilesIn(folder)) ::DeleteFileW((folder + L"\\" + name).c_str());
    ::RemoveDirectoryW(folder.c_str());
}

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The file read back through the system's own BMP loader.
Picture LoadBmp(const std::wstring& path) {
    if (ReadBytes(path).rfind("BM", 0) != 0) return {};
    return Picture::FromBitmap(win32::UniqueBitmap(static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION))));
}

constexpr RECT kPatternRect{0, 0, 300, 200};

// A valid BMP of the whole screen whose top-left corner holds the pattern.
::testing::AssertionResult IsScreenPicture(const std::wstring& path) {
    const Picture picture = LoadBmp(path);
    if (picture.Empty()) return ::testing::AssertionFailure() << "no readable BMP";
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    if (picture.Width() != width || picture.Height() != height) {
        return ::testing::AssertionFailure() << "size " << picture.Width() << "x" << picture.Height();
    }
    const auto pixels = picture.ReadPixels();
    for (int y = kPatternRect.top; y < kPatternRect.bottom; ++y) {
        for (int x = kPatternRect.left; x < kPatternRect.right; ++x) {
            if (pixels[static_cast<std::size_t>(y) * width + x] != PatternPixel(x, y)) {
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

class AutomaticCapture : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        for (const auto& name : kFolders) RemoveFolder(BelowProgram(name));
        pattern_ = std::make_unique<PatternWindow>(kPatternRect);
    }
    void TearDown() override {
        pattern_.reset();
        MainWindowTest::TearDown();
        for (const auto& name : kFolders) RemoveFolder(BelowProgram(name));
        ::DeleteFileW(BelowProgram(L"AutoBlocked").c_str());
    }

    bool ModeOn() { return MenuChecked(Main().Handle(), ID_CAPTURE_AUTOMATIC); }
    // A tick as the timer delivers it.
    void Tick() { ::SendMessageW(Main().Handle(), WM_TIMER, static_cast<WPARAM>(MainTimer::Automatic), 0); }
    void StartRun(double durationSeconds, unsigned periodMs) {
        Main().Settings().automaticDuration = static_cast<float>(durationSeconds);
        Main().Settings().automaticIntervalMs = periodMs;
        Main().Execute(ID_CAPTURE_AUTOMATIC);
    }

    static inline const std::vector<std::wstring> kFolders = {L"CapPicture", L"AutoOther", L"AutoTooShort"};
    std::unique_ptr<PatternWindow> pattern_;
};

TEST_F(AutomaticCapture, ARunWritesOnePictureAPeriodThenStopsByItself) {
    const std::wstring folder = BelowProgram(L"CapPicture");
    Main().Settings().automaticDuration = 0.05f * 60;
    Main().Settings().automaticIntervalMs = 1000;
    Main().Execute(ID_CAPTURE_AUTOMATIC);
    EXPECT_TRUE(ModeOn());
    EXPECT_TRUE(Main().Timer(MainTimer::Automatic).Enabled());
    EXPECT_TRUE(ToolbarPressed(Main().Toolbar(), ID_CAPTURE_AUTOMATIC));

    ASSERT_TRUE(PumpUntil([&] { return !ModeOn(); }, std::chrono::seconds(15)));
    EXPECT_FALSE(Main().Timer(MainTimer::Automatic).Enabled());
    EXPECT_FALSE(ToolbarPressed(Main().Toolbar(), ID_CAPTURE_AUTOMATIC));
    const std::vector<std::wstring> expected = {L"Automatic1.bmp", L"Automatic2.bmp", L"Automatic3.bmp"};
    ASSERT_EQ(FilesIn(folder), expected);
    for (const auto& name : expected) EXPECT_TRUE(IsScreenPicture(folder + L"\\" + name)) << name.size();
    // The last picture stays on the clipboard, and another program reads
    // exactly the screen from it.
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    const auto clip = ReadClipboardBitmapFromPeer();
    ASSERT_TRUE(clip);
    const SIZE screen = win32::PrimaryScreenSize();
    ASSERT_EQ(clip->width, screen.cx);
    ASSERT_EQ(clip->height, screen.cy);
    std::size_t wrong = 0;
    for (LONG y = kPatternRect.top; y < kPatternRect.bottom; ++y) {
        for (LONG x = kPatternRect.left; x < kPatternRect.right; ++x) {
            if (clip->pixels[static_cast<std::size_t>(y) * clip->width + x] != PatternPixel(x, y)) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0u);
    // Nothing is hidden or changed while it runs.
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
}

TEST_F(AutomaticCapture, EveryRunNumbersFromOneAgainAndReplacesEarlierFiles) {
    const std::wstring folder = BelowProgram(L"CapPicture");
    StartRun(3, 1000);
    Tick();
    Tick();
    Main().Execute(ID_CAPTURE_AUTOMATIC);  // stopped by hand
    EXPECT_FALSE(ModeOn());
    ASSERT_EQ(FilesIn(folder), (std::vector<std::wstring>{L"Automatic1.bmp", L"Automatic2.bmp"}));
    WriteBytes(folder + L"\\Automatic1.bmp", "stale");
    WriteBytes(folder + L"\\Automatic2.bmp", "stale");

    Main().Execute(ID_CAPTURE_AUTOMATIC);
    Tick();
    EXPECT_TRUE(IsScreenPicture(folder + L"\\Automatic1.bmp"));
    EXPECT_EQ(ReadBytes(folder + L"\\Automatic2.bmp"), "stale");
    Tick();
    Tick();
    Tick();  // the fourth tick of three seconds at one a second ends the run
    EXPECT_FALSE(ModeOn());
    EXPECT_TRUE(IsScreenPicture(folder + L"\\Automatic2.bmp"));
    EXPECT_EQ(FilesIn(folder).size(), 3u);
}

TEST_F(AutomaticCapture, EachTickHoldsItsOwnScreenAndTheClipboardFollowsTheLatest) {
    const std::wstring folder = BelowProgram(L"CapPicture");
    StartRun(60, 1000);
    Tick();
    // Another program takes the first screen before the screen changes.
    const auto first = ReadClipboardBitmapFromPeer();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->pixels[0], PatternPixel(0, 0));

    pattern_.reset();
    PumpFor(std::chrono::milliseconds(100));
    Tick();
    Main().Execute(ID_CAPTURE_AUTOMATIC);
    EXPECT_TRUE(IsScreenPicture(folder + L"\\Automatic1.bmp"));
    EXPECT_FALSE(IsScreenPicture(folder + L"\\Automatic2.bmp"));
    const Picture second = LoadBmp(folder + L"\\Automatic2.bmp");
    ASSERT_FALSE(second.Empty());
    const auto written = second.ReadPixels();
    const auto latest = ReadClipboardBitmapFromPeer();
    ASSERT_TRUE(latest);
    ASSERT_EQ(latest->pixels.size(), written.size());
    EXPECT_TRUE(latest->pixels == written);
}

TEST_F(AutomaticCapture, SettingsChangedDuringARunApplyFromTheNextTick) {
    StartRun(120, 1000);
    Main().Settings().automaticPrefix = L"";
    Tick();
    Main().Settings().automaticFolder = L"AutoOther";
    Main().Settings().automaticPrefix = L"shot";
    Tick();
    EXPECT_EQ(FilesIn(BelowProgram(L"CapPicture")), (std::vector<std::wstring>{L"1.bmp"}));
    EXPECT_EQ(FilesIn(BelowProgram(L"AutoOther")), (std::vector<std::wstring>{L"shot2.bmp"}));
    // A folder removed during the run comes back at the next tick.
    RemoveFolder(BelowProgram(L"AutoOther"));
    Tick();
    EXPECT_EQ(FilesIn(BelowProgram(L"AutoOther")), (std::vector<std::wstring>{L"shot3.bmp"}));
    // A shorter duration ends the run at once; the count goes on.
    Main().Settings().automaticDuration = 3;
    EXPECT_TRUE(ModeOn());
    Tick();
    EXPECT_FALSE(ModeOn());
    EXPECT_EQ(FilesIn(BelowProgram(L"AutoOther")).size(), 1u);
}

TEST_F(AutomaticCapture, ADurationShorterThanTheIntervalWritesNothing) {
    Main().Settings().automaticFolder = L"AutoTooShort";
    StartRun(0.01 * 60, 1000);
    Tick();
    EXPECT_FALSE(ModeOn());
    EXPECT_FALSE(ToolbarPressed(Main().Toolbar(), ID_CAPTURE_AUTOMATIC));
    EXPECT_FALSE(IsFolder(BelowProgram(L"AutoTooShort")));
}

TEST_F(AutomaticCapture, AFileInThePlaceOfTheFolderSkipsThePicturesAndTheRunGoesOn) {
    const std::wstring blocker = BelowProgram(L"AutoBlocked");
    WriteBytes(blocker, "not a folder");
    Main().Settings().automaticFolder = L"AutoBlocked";
    StartRun(2, 1000);
    Tick();
    Tick();
    EXPECT_TRUE(ModeOn());
    EXPECT_EQ(ReadBytes(blocker), "not a folder");
    EXPECT_FALSE(IsFolder(blocker));
    EXPECT_EQ(FindMessageBox(), nullptr);
    Tick();
    EXPECT_FALSE(ModeOn());
}

// Holds the clipboard open from another thread with a window of its own,
// as another program would.
class ClipboardHolder {
public:
    ClipboardHolder() {
        thread_ = std::thread([this] {
            HWND window = ::CreateWindowExW(0, L"STATIC", L"holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                            ::GetModuleHandleW(nullptr), nullptr);
            const bool open = window && ::OpenClipboard(window);
            held_ = open ? 1 : -1;
            while (!release_) ::Sleep(10);
            if (open) ::CloseClipboard();
            if (window) ::DestroyWindow(window);
        });
        while (held_ == 0) ::Sleep(10);
    }
    ~ClipboardHolder() {
        release_ = true;
        thread_.join();
    }
    [[nodiscard]] bool Holding() const { return held_ == 1; }

private:
    std::atomic<int> held_{0};
    std::atomic<bool> release_{false};
    std::thread thread_;
};

void PutText(HWND owner, const std::wstring& text) {
    win32::ClipboardLock clipboard(owner);
    ASSERT_TRUE(clipboard.IsOpen());
    ::EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    ASSERT_NE(memory, nullptr);
    std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
    ::GlobalUnlock(memory);
    ASSERT_NE(::SetClipboardData(CF_UNICODETEXT, memory), nullptr);
}

std::wstring ClipboardText(HWND owner) {
    win32::ClipboardLock clipboard(owner);
    HANDLE data = clipboard.IsOpen() ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
    if (!data) return L"";
    std::wstring text(static_cast<const wchar_t*>(::GlobalLock(data)));
    ::GlobalUnlock(data);
    return text;
}

TEST_F(AutomaticCapture, ABusyClipboardKeepsItsContentAndTheFileStillHoldsTheScreen) {
    PutText(Main().Handle(), L"the user's text");
    StartRun(10, 1000);
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Holding());
        Tick();
    }
    EXPECT_TRUE(IsScreenPicture(BelowProgram(L"CapPicture\\Automatic1.bmp")));
    EXPECT_EQ(ClipboardText(Main().Handle()), L"the user's text");
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_BITMAP));
    // Free again, the clipboard takes the next picture.
    Tick();
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_TRUE(IsScreenPicture(BelowProgram(L"CapPicture\\Automatic2.bmp")));
    Main().Execute(ID_CAPTURE_AUTOMATIC);
}

// Runs only from a copy of the test program on a small disk of its own,
// which the test command mounts when it may (see scripts/test.sh).
TEST_F(AutomaticCapture, DISABLED_OnAFullDiskSkipsWhatDoesNotFitAndLeavesNoPartialFile) {
    const std::wstring folder = BelowProgram(L"CapPicture");
    ULARGE_INTEGER available{};
    ASSERT_TRUE(::GetDiskFreeSpaceExW(ProgramFolderForTests().c_str(), &available, nullptr, nullptr));
    const auto width = static_cast<std::uint64_t>(::GetSystemMetrics(SM_CXSCREEN));
    const auto height = static_cast<std::uint64_t>(::GetSystemMetrics(SM_CYSCREEN));
    const std::uint64_t fileBytes = 54 + ((width * 3 + 3) & ~std::uint64_t{3}) * height;
    const std::uint64_t fits = available.QuadPart / fileBytes;
    ASSERT_LT(fits, 4u) << "the disk is too large to fill";

    StartRun(4, 1000);
    ASSERT_TRUE(PumpUntil([&] { return !ModeOn(); }, std::chrono::seconds(20)));
    // The pictures that fitted are whole; the others left nothing behind,
    // not even a partial file, and the program carried on.
    std::vector<std::wstring> expected;
    for (std::uint64_t n = 1; n <= fits; ++n) expected.push_back(L"Automatic" + std::to_wstring(n) + L".bmp");
    ASSERT_EQ(FilesIn(folder), expected);
    for (const auto& name : expected) EXPECT_TRUE(IsScreenPicture(folder + L"\\" + name)) << name.size();
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
    EXPECT_EQ(FindMessageBox(), nullptr);
}

}  // namespace
}  // namespace snapora::test
