#include "help/logic/HelpText.h"

#include <gtest/gtest.h>

#include <vector>

namespace snapora {
namespace {

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
