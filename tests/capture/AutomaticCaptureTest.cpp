// Automatic capture: numbered BMP or PNG files of the whole screen below
// the program's folder, written at the timer's period until the duration
// ends, with the run's progress in the status bar meanwhile.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/resource.h"
#include "capture/CaptureCommands.h"
#include "capture/ScreenGrab.h"
#include "support/Decoding.h"
#include "support/Dialogs.h"
#include "support/Files.h"
#include "support/Pixels.h"
#include "support/Processes.h"
#include "support/UiTest.h"
#include "win32/Screen.h"

namespace snapora::test {
namespace {

std::wstring BelowProgram(const std::wstring& name) { return ProgramFolderForTests() + L"\\" + name; }

constexpr RECT kPatternRect{0, 0, 300, 200};

// How many pixels of the pattern's corner differ in a whole-screen picture.
int CornerMismatches(const std::vector<std::uint32_t>& screen, int width) {
    return PatternMismatches(Crop(screen, width, kPatternRect), kPatternRect.left, kPatternRect.top,
                             kPatternRect.right - kPatternRect.left);
}

// A valid BMP of the whole screen whose top-left corner holds the pattern.
::testing::AssertionResult IsScreenPicture(const std::wstring& path) {
    const LoadedBitmap picture = LoadBitmapFile(path);
    if (ReadWholeFile(path).rfind("BM", 0) != 0 || picture.pixels.empty()) {
        return ::testing::AssertionFailure() << "no readable BMP";
    }
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    if (picture.width != width || picture.height != height) {
        return ::testing::AssertionFailure() << "size " << picture.width << "x" << picture.height;
    }
    if (const int wrong = CornerMismatches(picture.pixels, width)) {
        return ::testing::AssertionFailure() << wrong << " pixels differ";
    }
    return ::testing::AssertionSuccess();
}

// The same as a PNG, decoded by another program.
::testing::AssertionResult IsScreenPng(const std::wstring& path) {
    if (FileKind(path) != "PNG") return ::testing::AssertionFailure() << "not a PNG";
    const LoadedBitmap picture = DecodeIndependently(path);
    if (picture.width != ::GetSystemMetrics(SM_CXSCREEN) || picture.height != ::GetSystemMetrics(SM_CYSCREEN)) {
        return ::testing::AssertionFailure() << "size " << picture.width << "x" << picture.height;
    }
    if (const int wrong = CornerMismatches(picture.pixels, picture.width)) {
        return ::testing::AssertionFailure() << wrong << " pixels differ";
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
    void Tick() { ::SendMessageW(Main().Handle(), WM_TIMER, static_cast<WPARAM>(CaptureTimer::Automatic), 0); }
    void StartRun(double durationSeconds, unsigned periodMs) {
        Main().Settings().automaticDuration = static_cast<float>(durationSeconds);
        Main().Settings().automaticIntervalMs = periodMs;
        Main().Execute(ID_CAPTURE_AUTOMATIC);
    }

    static inline const std::vector<std::wstring> kFolders = {L"CapPicture", L"AutoOther", L"AutoTooShort", L"AutoSub"};
    std::unique_ptr<PatternWindow> pattern_;
};

TEST_F(AutomaticCapture, ARunWritesOnePictureAPeriodThenStopsByItself) {
    const std::wstring folder = BelowProgram(L"CapPicture");
    Main().Settings().automaticDuration = 0.05f * 60;
    Main().Settings().automaticIntervalMs = 1000;
    Main().Execute(ID_CAPTURE_AUTOMATIC);
    EXPECT_TRUE(ModeOn());
    EXPECT_TRUE(Capture().Timer(CaptureTimer::Automatic).Enabled());
    EXPECT_TRUE(ToolbarPressed(Main().Toolbar(), ID_CAPTURE_AUTOMATIC));

    ASSERT_TRUE(PumpUntil([&] { return !ModeOn(); }, std::chrono::seconds(15)));
    EXPECT_FALSE(Capture().Timer(CaptureTimer::Automatic).Enabled());
    EXPECT_FALSE(ToolbarPressed(Main().Toolbar(), ID_CAPTURE_AUTOMATIC));
    const std::vector<std::wstring> expected = {L"Automatic1.bmp", L"Automatic2.bmp", L"Automatic3.bmp"};
    ASSERT_EQ(FolderEntries(folder), expected);
    for (const auto& name : expected) EXPECT_TRUE(IsScreenPicture(folder + L"\\" + name)) << name.size();
    // The last picture stays on the clipboard, and another program reads
    // exactly the screen from it.
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    const auto clip = ReadClipboardBitmapFromPeer();
    ASSERT_TRUE(clip);
    const SIZE screen = win32::PrimaryScreenSize();
    ASSERT_EQ(clip->width, screen.cx);
    ASSERT_EQ(clip->height, screen.cy);
    EXPECT_EQ(CornerMismatches(clip->pixels, clip->width), 0);
    // Nothing is hidden or changed while it runs.
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
}

TEST_F(AutomaticCapture, APngRunWritesScreenPngsAndShowsItsProgressUntilItEnds) {
    const std::wstring folder = BelowProgram(L"CapPicture");
    const std::wstring version = FirstStatusPanel(Main().StatusBar());
    ASSERT_FALSE(version.empty());
    Main().Settings().automaticFormat = PictureFormat::Png;
    StartRun(3, 1000);
    EXPECT_EQ(FirstStatusPanel(Main().StatusBar()), L"自动截图：已存 0/3 张，剩余 3秒");
    Tick();
    EXPECT_EQ(FirstStatusPanel(Main().StatusBar()), L"自动截图：已存 1/3 张，剩余 2秒");
    ASSERT_TRUE(PumpUntil([&] { return !ModeOn(); }, std::chrono::seconds(15)));
    EXPECT_EQ(FirstStatusPanel(Main().StatusBar()), version);
    const std::vector<std::wstring> expected = {L"Automatic1.png", L"Automatic2.png", L"Automatic3.png"};
    ASSERT_EQ(FolderEntries(folder), expected);
    for (const auto& name : expected) EXPECT_TRUE(IsScreenPng(folder + L"\\" + name)) << name.size();

    // A long run counts in minutes, and stopping it by hand also brings the
    // version back.
    StartRun(600, 10000);
    EXPECT_EQ(FirstStatusPanel(Main().StatusBar()), L"自动截图：已存 0/60 张，剩余 10分00秒");
    Main().Execute(ID_CAPTURE_AUTOMATIC);
    EXPECT_EQ(FirstStatusPanel(Main().StatusBar()), version);
}

TEST_F(AutomaticCapture, EveryRunNumbersFromOneAgainAndReplacesEarlierFiles) {
    const std::wstring folder = BelowProgram(L"CapPicture");
    StartRun(3, 1000);
    Tick();
    Tick();
    Main().Execute(ID_CAPTURE_AUTOMATIC);  // stopped by hand
    EXPECT_FALSE(ModeOn());
    ASSERT_EQ(FolderEntries(folder), (std::vector<std::wstring>{L"Automatic1.bmp", L"Automatic2.bmp"}));
    ASSERT_TRUE(WriteWholeFile(folder + L"\\Automatic1.bmp", "stale"));
    ASSERT_TRUE(WriteWholeFile(folder + L"\\Automatic2.bmp", "stale"));

    Main().Execute(ID_CAPTURE_AUTOMATIC);
    Tick();
    EXPECT_TRUE(IsScreenPicture(folder + L"\\Automatic1.bmp"));
    EXPECT_EQ(ReadWholeFile(folder + L"\\Automatic2.bmp"), "stale");
    Tick();
    Tick();
    Tick();  // the fourth tick of three seconds at one a second ends the run
    EXPECT_FALSE(ModeOn());
    EXPECT_TRUE(IsScreenPicture(folder + L"\\Automatic2.bmp"));
    EXPECT_EQ(FolderEntries(folder).size(), 3u);
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
    // The desktop repaints the uncovered corner in its own time; a slow
    // machine takes far longer than a tenth of a second.
    constexpr int kArea = (kPatternRect.right - kPatternRect.left) * (kPatternRect.bottom - kPatternRect.top);
    // Asked through the program's own grab, which may read the display by
    // another road than the test's screen reads.
    ASSERT_TRUE(PumpUntil([] {
        const auto corner = GrabScreenArea(0, 0, kPatternRect.right, kPatternRect.bottom).ReadPixels();
        return PatternMismatches(corner, 0, 0, kPatternRect.right) > kArea / 2;
    }));
    Tick();
    Main().Execute(ID_CAPTURE_AUTOMATIC);
    EXPECT_TRUE(IsScreenPicture(folder + L"\\Automatic1.bmp"));
    EXPECT_FALSE(IsScreenPicture(folder + L"\\Automatic2.bmp"));
    const auto written = LoadBitmapFile(folder + L"\\Automatic2.bmp").pixels;
    ASSERT_FALSE(written.empty());
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
    EXPECT_EQ(FolderEntries(BelowProgram(L"CapPicture")), (std::vector<std::wstring>{L"1.bmp"}));
    EXPECT_EQ(FolderEntries(BelowProgram(L"AutoOther")), (std::vector<std::wstring>{L"shot2.bmp"}));
    // A folder removed during the run comes back at the next tick.
    RemoveFolder(BelowProgram(L"AutoOther"));
    Tick();
    EXPECT_EQ(FolderEntries(BelowProgram(L"AutoOther")), (std::vector<std::wstring>{L"shot3.bmp"}));
    // A shorter duration ends the run at once; the count goes on.
    Main().Settings().automaticDuration = 3;
    EXPECT_TRUE(ModeOn());
    Tick();
    EXPECT_FALSE(ModeOn());
    EXPECT_EQ(FolderEntries(BelowProgram(L"AutoOther")).size(), 1u);
}

TEST_F(AutomaticCapture, APrefixNamingASubfolderMakesItInsideTheFolder) {
    Main().Settings().automaticFolder = L"AutoSub";
    Main().Settings().automaticPrefix = L"day1\\am/shot";
    StartRun(120, 1000);
    Tick();
    EXPECT_EQ(FolderEntries(BelowProgram(L"AutoSub\\day1\\am")), (std::vector<std::wstring>{L"shot1.bmp"}));
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
    ASSERT_TRUE(WriteWholeFile(blocker, "not a folder"));
    Main().Settings().automaticFolder = L"AutoBlocked";
    StartRun(2, 1000);
    Tick();
    Tick();
    EXPECT_TRUE(ModeOn());
    EXPECT_EQ(ReadWholeFile(blocker), "not a folder");
    EXPECT_FALSE(IsFolder(blocker));
    EXPECT_EQ(FindMessageBox(), nullptr);
    Tick();
    EXPECT_FALSE(ModeOn());
}

TEST_F(AutomaticCapture, ABusyClipboardKeepsItsContentAndTheFileStillHoldsTheScreen) {
    ASSERT_TRUE(PutClipboardText(L"the user's text", Main().Handle()));
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
    ASSERT_EQ(FolderEntries(folder), expected);
    for (const auto& name : expected) EXPECT_TRUE(IsScreenPicture(folder + L"\\" + name)) << name.size();
    EXPECT_TRUE(::IsWindowVisible(Main().Handle()));
    EXPECT_EQ(FindMessageBox(), nullptr);
}

}  // namespace
}  // namespace snapora::test
