#include "settings/logic/OptionsRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "settings/logic/StoredSettings.h"

namespace snapora {
namespace {

OptionsTexts Valid() { return {L"Automatic", L"10", L"2", L"CapPicture", L"120", L"160"}; }

std::optional<OptionsField> ProblemWith(OptionsTexts texts) {
    const auto problem = FindOptionsProblem(texts);
    if (!problem) return std::nullopt;
    return problem->field;
}

TEST(ParseFieldNumber, ReadsPlainDecimalsWithBlanksAndSign) {
    EXPECT_EQ(ParseFieldNumber(L"10"), 10.0);
    EXPECT_EQ(ParseFieldNumber(L" 5 "), 5.0);
    EXPECT_EQ(ParseFieldNumber(L"\t60.5\t"), 60.5);
    EXPECT_EQ(ParseFieldNumber(L"+7"), 7.0);
    EXPECT_EQ(ParseFieldNumber(L"-1"), -1.0);
    EXPECT_EQ(ParseFieldNumber(L".5"), 0.5);
    EXPECT_EQ(ParseFieldNumber(L"3."), 3.0);
    EXPECT_EQ(ParseFieldNumber(L"007"), 7.0);
}

TEST(ParseFieldNumber, EverythingElseIsNotANumber) {
    int index = 0;
    for (const wchar_t* text : {L"", L"   ", L"abc", L"1e3", L"1E3", L"1,000", L"1 000", L"0x10", L"inf", L"nan",
                                L"+", L"-", L".", L"1.2.3", L"--1", L"+-1", L"5a", L"a5", L"1,5", L"１２"}) {
        EXPECT_EQ(ParseFieldNumber(text), std::nullopt) << "text #" << index;
        ++index;
    }
}

TEST(InRange, BothBoundsAreExclusiveInSinglePrecision) {
    EXPECT_TRUE(InRange(0.001, 0, 61));
    EXPECT_FALSE(InRange(0, 0, 61));
    EXPECT_FALSE(InRange(61, 0, 61));
    EXPECT_TRUE(InRange(60.99, 0, 61));
    // Indistinguishable from 61 once stored as a single.
    EXPECT_FALSE(InRange(60.999999999, 0, 61));
}

TEST(FormatFieldNumber, ShowsTheShortestPlainDecimal) {
    EXPECT_EQ(FormatFieldNumber(10.0), L"10");
    EXPECT_EQ(FormatFieldNumber(2.5), L"2.5");
    EXPECT_EQ(FormatFieldNumber(0.5f), L"0.5");
    EXPECT_EQ(FormatFieldNumber(120.0), L"120");
    EXPECT_EQ(FormatFieldNumber(0.00001f), L"0.00001");  // never an exponent the parser refuses
    EXPECT_EQ(ParseFieldNumber(FormatFieldNumber(0.7f)), 0.7);
}

TEST(TextsFromSettings, ShowSecondsAndMinutes) {
    CaptureSettings settings;
    EXPECT_EQ(TextsFromSettings(settings, 10000).duration, L"2");
    settings.automaticDuration = 30;
    EXPECT_EQ(TextsFromSettings(settings, 2500).interval, L"2.5");
    EXPECT_EQ(TextsFromSettings(settings, 2500).duration, L"0.5");
}

TEST(FindOptionsProblem, DurationBoundaries) {
    for (const wchar_t* good : {L"60.5", L"0.01", L" 1 "}) {
        auto texts = Valid();
        texts.duration = good;
        EXPECT_EQ(ProblemWith(texts), std::nullopt);
    }
    for (const wchar_t* bad : {L"61", L"0", L"-1", L"abc", L"", L"1e1"}) {
        auto texts = Valid();
        texts.duration = bad;
        EXPECT_EQ(ProblemWith(texts), OptionsField::Duration);
    }
    auto texts = Valid();
    texts.duration = L"60.5";
    EXPECT_EQ(ValuesFromTexts(texts).automaticDuration, 3630.0f);
}

TEST(FindOptionsProblem, IntervalIsAWholeNumberOfSecondsFromOneToSixty) {
    auto texts = Valid();
    texts.interval = L"60";
    EXPECT_EQ(ProblemWith(texts), std::nullopt);
    EXPECT_EQ(ValuesFromTexts(texts).intervalMs, 60000u);
    texts.interval = L" 5 ";
    EXPECT_EQ(ProblemWith(texts), std::nullopt);
    EXPECT_EQ(ValuesFromTexts(texts).intervalMs, 5000u);
    texts.interval = L"1";
    EXPECT_EQ(ProblemWith(texts), std::nullopt);
    for (const wchar_t* bad : {L"0", L"61", L"2.5", L"1e3", L"", L"x"}) {
        texts.interval = bad;
        EXPECT_EQ(ProblemWith(texts), OptionsField::Interval);
    }
}

TEST(FindOptionsProblem, AreaHeightAndWidthBoundaries) {
    auto texts = Valid();
    for (const wchar_t* good : {L"60", L"480"}) {
        texts.height = good;
        EXPECT_EQ(ProblemWith(texts), std::nullopt);
    }
    for (const wchar_t* bad : {L"59", L"481", L"100.5", L""}) {
        texts.height = bad;
        EXPECT_EQ(ProblemWith(texts), OptionsField::Height);
    }
    texts = Valid();
    for (const wchar_t* good : {L"80", L"640"}) {
        texts.width = good;
        EXPECT_EQ(ProblemWith(texts), std::nullopt);
    }
    for (const wchar_t* bad : {L"79", L"641", L"80.5"}) {
        texts.width = bad;
        EXPECT_EQ(ProblemWith(texts), OptionsField::Width);
    }
}

TEST(FindOptionsProblem, FolderNames) {
    EXPECT_TRUE(IsValidFolderName(L"my pics"));
    EXPECT_TRUE(IsValidFolderName(L" lead"));
    EXPECT_TRUE(IsValidFolderName(L"截图"));
    EXPECT_TRUE(IsValidFolderName(L"CONSOLE"));
    EXPECT_TRUE(IsValidFolderName(L"COM0"));
    EXPECT_TRUE(IsValidFolderName(L"a.b"));
    const std::vector<std::wstring> bad = {
        L"a/b", L"a\\b", L"C:", L"a*", L"x?", L"<a", L"a>", L"a|b", L"a\"b", L"", L"   ", L".", L"..", L"a.",
        L"a ", L"CON", L"con", L"Nul.txt", L"AUX", L"PRN", L"COM1", L"com9.log", L"LPT1", L"CON .x",
        L"COM\u00B9", L"com\u00B2.txt", L"LPT\u00B3", L"lpt\u00B9 .x",
        std::wstring(L"a") + L'\t' + L"b", std::wstring(L"a") + wchar_t(1)};
    for (const auto& name : bad) {
        EXPECT_FALSE(IsValidFolderName(name)) << name.size();
        auto texts = Valid();
        texts.folder = name;
        EXPECT_EQ(ProblemWith(texts), OptionsField::Folder);
    }
}

TEST(FindOptionsProblem, APrefixKeepsEveryPictureInsideItsFolder) {
    for (const wchar_t* prefix : {L"", L"  ", L"day1\\shot", L"a/b/", L".\\x", L"a..b", L"..x", L"x..", L"...x"}) {
        auto texts = Valid();
        texts.prefix = prefix;
        EXPECT_EQ(ProblemWith(texts), std::nullopt) << texts.prefix;
        EXPECT_EQ(ValuesFromTexts(texts).automaticPrefix, prefix);
    }
    for (const wchar_t* prefix : {L"..\\..\\x", L"..", L"a\\..\\..\\x", L"a/../../x", L".. \\x", L"...\\x", L"a\\. .",
                                  L"\\x", L"/x", L"\\\\server\\share\\x", L"C:x", L"shot:stream", L"D:\\x",
                                  L"shot*", L"a?b", L"<x>", L"a|b", L"\"x\"", L"tab\tx"}) {
        auto texts = Valid();
        texts.prefix = prefix;
        const auto problem = FindOptionsProblem(texts);
        ASSERT_TRUE(problem) << texts.prefix;
        EXPECT_EQ(problem->field, OptionsField::Prefix);
        EXPECT_EQ(problem->page, 1);
        EXPECT_EQ(problem->message, L"截图名称前缀不合法！");
    }
}

// Every duration the dialog accepts is kept as seconds, stored as the
// minutes shown, read back as the same seconds and shown as the same text,
// which the dialog accepts again.
TEST(FindOptionsProblem, EveryAcceptedDurationSurvivesStoringAndShowing) {
    std::mt19937 random(17);
    std::vector<std::wstring> texts{L"60.999998", L"60.99999", L"60.9999", L"60.999996", L"0.0000001", L"2", L"1.0"};
    for (int i = 0; i < 4000; ++i) {
        const double minutes = std::uniform_real_distribution<double>(0, 61.001)(random);
        const int decimals = std::uniform_int_distribution<int>(0, 9)(random);
        texts.push_back(FormatFieldNumber(std::round(minutes * std::pow(10, decimals)) / std::pow(10, decimals)));
    }
    // Every single-precision number of seconds just below the hour and one minute.
    for (float seconds = 3660; seconds > 3659.5f; seconds = std::nextafter(seconds, 0.0f)) {
        texts.push_back(FormatFieldNumber(static_cast<double>(seconds) / 60.0));
    }
    int accepted = 0;
    for (const std::wstring& text : texts) {
        auto typed = Valid();
        typed.duration = text;
        if (FindOptionsProblem(typed)) continue;
        ++accepted;
        CaptureSettings settings;
        ApplyValues(ValuesFromTexts(typed), settings);
        const StoredValues stored = StoredFromSettings(settings);
        const CaptureSettings loaded = SettingsFromStored(stored);
        ASSERT_EQ(loaded.automaticDuration, settings.automaticDuration) << text;
        auto shown = TextsFromSettings(loaded, loaded.automaticIntervalMs);
        ASSERT_EQ(FindOptionsProblem(shown), std::nullopt) << text << " shown as " << shown.duration;
        ASSERT_EQ(ValuesFromTexts(shown).automaticDuration, settings.automaticDuration) << text;
        ASSERT_EQ(StoredFromSettings(loaded), stored) << text;
    }
    EXPECT_GT(accepted, 4000);
}

TEST(FindOptionsProblem, ChecksRunInTheirOrderAndNameTheirPageAndMessage) {
    OptionsTexts texts{L"", L"0", L"0", L"", L"0", L"0"};
    auto problem = FindOptionsProblem(texts);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->field, OptionsField::Duration);
    EXPECT_EQ(problem->page, 1);
    EXPECT_EQ(problem->message, L"持续时间应设为正数，且以控制在一个小时之内为宜！");
    texts.duration = L"1";
    problem = FindOptionsProblem(texts);
    EXPECT_EQ(problem->field, OptionsField::Interval);
    EXPECT_EQ(problem->message, L"时间间隔应设1~60之间的正整数！");
    texts.interval = L"1";
    problem = FindOptionsProblem(texts);
    EXPECT_EQ(problem->field, OptionsField::Folder);
    EXPECT_EQ(problem->message, L"目录名称不合法！");
    texts.folder = L"f";
    texts.prefix = L"..\\x";
    problem = FindOptionsProblem(texts);
    EXPECT_EQ(problem->field, OptionsField::Prefix);
    EXPECT_EQ(problem->page, 1);
    texts.prefix = L"";
    problem = FindOptionsProblem(texts);
    EXPECT_EQ(problem->field, OptionsField::Height);
    EXPECT_EQ(problem->page, 2);
    EXPECT_EQ(problem->message, L"截图高度应设60~480之间的正整数！");
    texts.height = L"60";
    problem = FindOptionsProblem(texts);
    EXPECT_EQ(problem->field, OptionsField::Width);
    EXPECT_EQ(problem->page, 2);
    EXPECT_EQ(problem->message, L"截图宽度应设80~640之间的正整数！");
    texts.width = L"80";
    EXPECT_FALSE(FindOptionsProblem(texts));
}

TEST(ApplyValues, WritesEverySettingAsTyped) {
    CaptureSettings settings;
    const OptionsTexts fine{L"shot ", L"7", L"0.5", L" my pics", L"61", L"81"};
    ASSERT_EQ(ProblemWith(fine), std::nullopt);
    const OptionsValues values = ValuesFromTexts(fine);
    EXPECT_EQ(values.intervalMs, 7000u);
    ApplyValues(values, settings);
    EXPECT_EQ(settings.automaticPrefix, L"shot ");
    EXPECT_EQ(settings.automaticDuration, 30.0f);
    EXPECT_EQ(settings.automaticFolder, L" my pics");
    EXPECT_EQ(settings.pointerAreaHeight, 61.0);
    EXPECT_EQ(settings.pointerAreaWidth, 81.0f);
    EXPECT_EQ(TextsFromSettings(settings, values.intervalMs).duration, L"0.5");
    EXPECT_EQ(TextsFromSettings(settings, values.intervalMs).interval, L"7");
}

}  // namespace
}  // namespace snapora
