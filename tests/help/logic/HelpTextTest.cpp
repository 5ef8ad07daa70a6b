#include "help/logic/HelpText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace snapora {
namespace {

std::vector<std::wstring> SplitCrLf(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find(L"\r\n", start);
        if (end == std::wstring::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(HelpText, EveryLineEndsInCrLfAndThePublisherBlockIsIndented) {
    const std::wstring& text = HelpContentsText();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), L"\r\n");
    // No bare CR or LF anywhere: the text box would show them as boxes.
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') {
            ASSERT_LT(i + 1, text.size());
            EXPECT_EQ(text[i + 1], L'\n') << "at " << i;
        } else if (text[i] == L'\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(text[i - 1], L'\r') << "at " << i;
        }
    }
    const auto lines = SplitCrLf(text);
    ASSERT_GT(lines.size(), 19u) << "the publisher and contact lines follow line 19";
    EXPECT_EQ(lines[18], L"三、软件信息：");
    for (std::size_t i = 19; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].substr(0, 2), L"  ") << "line " << i + 1;
        EXPECT_GT(lines[i].size(), 2u) << "line " << i + 1;
        EXPECT_NE(lines[i][2], L' ') << "line " << i + 1;
    }
}

TEST(InsetWithMargins, KeepsTheMarginOnAllFourSides) {
    const InsetBox box = InsetWithMargins(300, 200, 7, 10);
    EXPECT_EQ(box.left, 7);
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(box.width, 300 - 14);
    EXPECT_EQ(box.height, 200 - 20);
    EXPECT_EQ(300 - (box.left + box.width), 7);
    EXPECT_EQ(200 - (box.top + box.height), 10);
}

TEST(InsetWithMargins, ShrinksToNothingWhenTheAreaIsTooSmall) {
    // A minimised window reports a client area of 0 x 0.
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{0, 0}, {13, 5}, {14, 20}, {1, 400}, {-5, -5}}) {
        const InsetBox box = InsetWithMargins(w, h, 7, 10);
        EXPECT_GE(box.width, 0) << w << "x" << h;
        EXPECT_GE(box.height, 0) << w << "x" << h;
        EXPECT_LE(box.width, w > 14 ? w - 14 : 0);
        EXPECT_LE(box.height, h > 20 ? h - 20 : 0);
    }
    EXPECT_EQ(InsetWithMargins(15, 21, 7, 10).width, 1);
    EXPECT_EQ(InsetWithMargins(15, 21, 7, 10).height, 1);
}

}  // namespace
}  // namespace snapora
