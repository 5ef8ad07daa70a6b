#include "capture/logic/AutomaticProgress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/logic/AutomaticRun.h"

namespace snapora {
namespace {

TEST(AutomaticProgress, TheTotalIsEveryTickTheRunLetsThrough) {
    for (const auto& [seconds, period] : std::vector<std::pair<double, unsigned>>{
             {120, 10000}, {3, 1000}, {0.05f * 60, 1000}, {3600, 1000}, {125, 10000}, {6, 10000}, {0.6, 1000}}) {
        const int total = AutomaticRunTotal(seconds, period);
        EXPECT_FALSE(AutomaticRunEnds(seconds, period, total)) << seconds << " " << period;
        EXPECT_TRUE(AutomaticRunEnds(seconds, period, total + 1)) << seconds << " " << period;
    }
    EXPECT_EQ(AutomaticRunTotal(120, 0), 0);
    EXPECT_EQ(AutomaticRunTotal(-5, 1000), 0);
    EXPECT_EQ(AutomaticSecondsLeft(0, 12, 10000), 120);
    EXPECT_EQ(AutomaticSecondsLeft(11, 12, 10000), 10);
    EXPECT_EQ(AutomaticSecondsLeft(1, 3, 1500), 3);  // 3 s exactly
    EXPECT_EQ(AutomaticSecondsLeft(1, 2, 1500), 2);  // 1.5 s, rounded up
    EXPECT_EQ(AutomaticSecondsLeft(5, 3, 1000), 0);
}

TEST(AutomaticProgress, TheTextFillsTheNumbersIntoTheWords) {
    const AutomaticProgressTexts texts{L"自动截图：已存 %1/%2 张，剩余 %3", L"%1分%2秒", L"%1秒"};
    EXPECT_EQ(FormatAutomaticProgress(texts, 3, 12, 90), L"自动截图：已存 3/12 张，剩余 1分30秒");
    EXPECT_EQ(FormatAutomaticProgress(texts, 0, 3, 59), L"自动截图：已存 0/3 张，剩余 59秒");
    EXPECT_EQ(FormatAutomaticProgress(texts, 0, 3, 65), L"自动截图：已存 0/3 张，剩余 1分05秒");
    EXPECT_EQ(FormatAutomaticProgress(texts, 60, 60, 0), L"自动截图：已存 60/60 张，剩余 0秒");
    EXPECT_EQ(FormatAutomaticProgress(texts, 1, 3660, 3660), L"自动截图：已存 1/3660 张，剩余 61分00秒");
    // Unknown or missing placeholders: nothing is read past the values.
    const std::vector<std::wstring> one{L"x"};
    EXPECT_EQ(FillPlaceholders(L"%1 %2 %0 %% 100%", one), L"x  %0 %% 100%");
}

}  // namespace
}  // namespace snapora
