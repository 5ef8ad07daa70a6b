// Snapora.exe driven from a script: each command run as its own process,
// with and without a copy already running, its answer read from the
// redirected standard handles.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/Decoding.h"
#include "support/Files.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/Processes.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kMainClass[] = L"SnaporaMainWindow";
constexpr RECT kPatternArea{80, 60, 520, 400};

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

// A script's view of one command: its exit code and whole lines of text.
ProgramRun Snapora(const std::wstring& arguments) { return RunCapturingOutput(L"Snapora.exe", arguments, 40s); }

int ChildCount(HWND frame) {
    int count = 0;
    const HWND client = ::FindWindowExW(frame, nullptr, L"MDICLIENT", nullptr);
    for (HWND child = ::GetWindow(client, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) ++count;
    return count;
}

void ExpectPatternFile(const std::wstring& path, int left, int top, int width, int height) {
    const LoadedBitmap decoded = DecodeIndependently(path);
    ASSERT_EQ(decoded.width, width) << FileKind(path);
    ASSERT_EQ(decoded.height, height);
    EXPECT_EQ(decoded.pixels, PatternPixels(left, top, width, height));
}

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        pattern_ = std::make_unique<PatternWindow>(kPatternArea);
        ASSERT_TRUE(folder_.Valid());
        PumpFor(100ms);
    }
    std::unique_ptr<PatternWindow> pattern_;
    ScratchFolder folder_{L"snapora-command-line"};
};

TEST_F(CommandLine, AnswersUsageAndBadArgumentsOnTheRedirectedHandles) {
    const ProgramRun usage = Snapora(L"/?");
    EXPECT_EQ(usage.exitCode, 0u);
    EXPECT_NE(usage.output.find("/rect X Y W H"), std::string::npos);
    EXPECT_TRUE(usage.error.empty());

    const ProgramRun bad = Snapora(L"/screen /jpeg");
    EXPECT_EQ(bad.exitCode, 2u);
    EXPECT_EQ(bad.error, "参数错误：未知的参数 /jpeg（/? 显示用法）\r\n");
    EXPECT_TRUE(bad.output.empty());
    EXPECT_EQ(Snapora(L"/rect 1 2 3").exitCode, 2u);
    EXPECT_EQ(::FindWindowW(kMainClass, nullptr), nullptr);
}

TEST_F(CommandLine, WithoutARunningCopyCapturesEndsAndKeepsNoWindow) {
    const std::wstring png = folder_.File(L"rect.png");
    const ProgramRun rect = Snapora(L"/rect 100 90 120 80 /delay 50 /out " + Quoted(png));
    EXPECT_EQ(rect.exitCode, 0u) << rect.error;
    EXPECT_TRUE(rect.output.empty() && rect.error.empty());
    EXPECT_EQ(FileKind(png), "PNG");
    ExpectPatternFile(png, 100, 90, 120, 80);

    // The picture stays on the clipboard, in both forms, after the program ended.
    EXPECT_EQ(Snapora(L"/rect 200 100 30 20 /clipboard").exitCode, 0u);
    const auto bitmap = ReadClipboardBitmapFromPeer();
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->pixels, PatternPixels(200, 100, 30, 20));
    const std::wstring pasted = folder_.File(L"pasted.png");
    ASSERT_TRUE(WriteWholeFile(pasted, PasteFromX("image/png")));
    ExpectPatternFile(pasted, 200, 100, 30, 20);

    const ProgramRun outside = Snapora(L"/rect 1000 700 100 100 /out " + Quoted(folder_.File(L"outside.bmp")));
    EXPECT_EQ(outside.exitCode, 4u);
    EXPECT_EQ(outside.error, "矩形不全在桌面上：1000 700 100 100\r\n");
    const std::wstring unwritable = folder_.File(L"no such folder\\shot.bmp");
    const ProgramRun write = Snapora(L"/screen /out " + Quoted(unwritable));
    EXPECT_EQ(write.exitCode, 3u);
    EXPECT_NE(write.error.find("无法写入文件："), std::string::npos);
    EXPECT_EQ(folder_.Names(), (std::vector<std::wstring>{L"pasted.png", L"rect.png"}));
    EXPECT_EQ(::FindWindowW(kMainClass, nullptr), nullptr);
}

TEST_F(CommandLine, WithoutARunningCopyADocumentKeepsTheProgramOpen) {
    ChildProcess app(L"Snapora.exe", L"/screen");
    HWND frame = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        frame = FindProcessWindow(app.Id(), kMainClass);
        return frame && ::IsWindowVisible(frame) && ChildCount(frame) == 1;
    }, 30s));
    EXPECT_FALSE(app.Wait(300ms));
    app.Kill();
}

class WithRunningCopy : public CommandLine {
protected:
    void SetUp() override {
        CommandLine::SetUp();
        ASSERT_TRUE(running_.Started());
        ASSERT_TRUE(PumpUntil([&] {
            frame_ = FindProcessWindow(running_.Id(), kMainClass);
            return frame_ && ::IsWindowVisible(frame_);
        }, 30s));
        // Beside the pattern, which it must not cover.
        ::SetWindowPos(frame_, nullptr, 560, 420, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        PumpFor(200ms);
    }
    void TearDown() override { running_.Kill(); }

    // Drags out (left, top)-(right, bottom) on the running copy's overlay.
    void DragOnOverlay(int left, int top, int right, int bottom) {
        ASSERT_TRUE(PumpUntil([&] { return FindProcessWindow(running_.Id(), L"SnaporaRectangleOverlay") != nullptr; }, 20s));
        PumpFor(300ms);
        MoveMouse(left, top);
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, left, top);
        for (int step = 1; step <= 3; ++step) MoveMouse(left + (right - left) * step / 3, top + (bottom - top) * step / 3);
        // The other process sees the last move before the release.
        ASSERT_TRUE(PumpUntil([&] { return KeepPointerAt(right, bottom) && InputQueueEmpty(); }));
        PumpFor(300ms);
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, right, bottom);
    }

    ChildProcess running_{L"Snapora.exe", L""};
    HWND frame_ = nullptr;
};

TEST_F(WithRunningCopy, TheRunningCopyCapturesAndTheCallerEndsWithItsResult) {
    EXPECT_EQ(Snapora(L"/rect 300 200 40 30 /clipboard").exitCode, 0u);
    const auto bitmap = ReadClipboardBitmapFromPeer();
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->pixels, PatternPixels(300, 200, 40, 30));

    const ProgramRun outside = Snapora(L"/rect -5 0 10 10");
    EXPECT_EQ(outside.exitCode, 4u);
    EXPECT_EQ(outside.error, "矩形不全在桌面上：-5 0 10 10\r\n");

    // No destination: a new document in the running copy, shown again.
    EXPECT_EQ(Snapora(L"/screen").exitCode, 0u);
    EXPECT_EQ(ChildCount(frame_), 1);
    EXPECT_TRUE(::IsWindowVisible(frame_));
    EXPECT_FALSE(running_.Wait(0ms));
}

TEST_F(WithRunningCopy, ARegionIsDraggedOutOrEndedWithEsc) {
    const std::wstring file = folder_.File(L"region.bmp");
    {
        ChildProcess region(L"Snapora.exe", L"/region /out " + Quoted(file));
        DragOnOverlay(120, 100, 220, 160);
        EXPECT_EQ(region.Wait(20s), 0u);
    }
    ExpectPatternFile(file, 120, 100, 101, 61);
    EXPECT_TRUE(::IsWindowVisible(frame_));
    EXPECT_EQ(ChildCount(frame_), 0);

    ChildProcess cancelled(L"Snapora.exe", L"/region /clipboard");
    ASSERT_TRUE(PumpUntil([&] { return FindProcessWindow(running_.Id(), L"SnaporaRectangleOverlay") != nullptr; }, 20s));
    // Meanwhile a second command is refused, not queued.
    EXPECT_EQ(Snapora(L"/screen").exitCode, 7u);
    PumpFor(300ms);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(cancelled.Wait(20s), 5u);
    EXPECT_TRUE(::IsWindowVisible(frame_));
}

}  // namespace
}  // namespace snapora::test
