#include "capture/logic/RectangleSelection.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

namespace snapora {
namespace {

TEST(SelectionCorner, IsTheTopLeftPixelInEveryDragDirection) {
    // The same 201 x 151 rectangle (100, 50)-(300, 200) dragged four ways.
    const PixelPoint topLeft{100, 50};
    const PixelPoint topRight{300, 50};
    const PixelPoint bottomLeft{100, 200};
    const PixelPoint bottomRight{300, 200};
    const std::pair<PixelPoint, PixelPoint> drags[] = {
        {topLeft, bottomRight},  // down and right
        {bottomRight, topLeft},  // up and left
        {bottomLeft, topRight},  // up and right
        {topRight, bottomLeft},  // down and left
    };
    for (const auto& [start, last] : drags) {
        SCOPED_TRACE(testing::Message() << start.x << "," << start.y << " -> " << last.x << "," << last.y);
        EXPECT_EQ(SelectionCorner(start, last), topLeft);
        EXPECT_EQ(SpanBetween(start, last), (SelectionSpan{200, 150}));
    }
}

TEST(SelectionCorner, LinesHaveACornerOnlyWhenDraggedDownOrRight) {
    EXPECT_EQ(SelectionCorner({10, 10}, {10, 10}), (PixelPoint{10, 10}));
    EXPECT_EQ(SelectionCorner({10, 10}, {40, 10}), (PixelPoint{10, 10}));
    EXPECT_EQ(SelectionCorner({10, 10}, {10, 40}), (PixelPoint{10, 10}));
    EXPECT_FALSE(SelectionCorner({40, 10}, {10, 10}));
    EXPECT_FALSE(SelectionCorner({10, 40}, {10, 10}));
    EXPECT_EQ(SpanBetween({40, 10}, {10, 10}), (SelectionSpan{30, 0}));
}

TEST(FormatFourDigits, PadsToFourDigitsAndKeepsLongerNumbers) {
    EXPECT_EQ(FormatFourDigits(0), L"0000");
    EXPECT_EQ(FormatFourDigits(7), L"0007");
    EXPECT_EQ(FormatFourDigits(37), L"0037");
    EXPECT_EQ(FormatFourDigits(1024), L"1024");
    EXPECT_EQ(FormatFourDigits(38400), L"38400");
    EXPECT_EQ(FormatFourDigits(-5), L"-0005");
    EXPECT_EQ(FormatFourDigits(LLONG_MIN), L"-9223372036854775808");
}

TEST(PositionLabel, ReadsThePointerAndTheSizeBesideTheBottomRightCorner) {
    EXPECT_EQ(PositionLabelText({100, 50}, {300, 200}),
              L"右下角 X=0300\r\n右下角 Y=0200\r\n区域宽度=0201\r\n区域高度=0151");
    EXPECT_EQ(PositionLabelOrigin({100, 50}, {300, 200}), (PixelPoint{304, 204}));
    // Dragged up and left the lines show the pointer, yet the label stays
    // beside the bottom-right corner, which is now the start point.
    EXPECT_EQ(PositionLabelText({300, 200}, {100, 50}),
              L"右下角 X=0100\r\n右下角 Y=0050\r\n区域宽度=0201\r\n区域高度=0151");
    EXPECT_EQ(PositionLabelOrigin({300, 200}, {100, 50}), (PixelPoint{304, 204}));
    EXPECT_EQ(PositionLabelOrigin({100, 200}, {300, 50}), (PixelPoint{304, 204}));
    EXPECT_EQ(PositionLabelText({3839, 2159}, {0, 0}),
              L"右下角 X=0000\r\n右下角 Y=0000\r\n区域宽度=3840\r\n区域高度=2160");
    EXPECT_EQ(PositionLabelText({0, 0}, {12345, 7}),
              L"右下角 X=12345\r\n右下角 Y=0007\r\n区域宽度=12346\r\n区域高度=0008");
}

// Every pixel of the outline's border, counted once per strip covering it.
std::multiset<std::pair<int, int>> CoveredPixels(const OutlineStrips& outline) {
    std::multiset<std::pair<int, int>> pixels;
    for (int i = 0; i < outline.count; ++i) {
        const PixelRect& r = outline.strips[static_cast<std::size_t>(i)];
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) pixels.insert({x, y});
        }
    }
    return pixels;
}

std::multiset<std::pair<int, int>> BorderPixels(int left, int top, int right, int bottom) {
    std::set<std::pair<int, int>> unique;
    for (int x = left; x <= right; ++x) {
        unique.insert({x, top});
        unique.insert({x, bottom});
    }
    for (int y = top; y <= bottom; ++y) {
        unique.insert({left, y});
        unique.insert({right, y});
    }
    return {unique.begin(), unique.end()};
}

TEST(OutlineBetween, CoversEachBorderPixelExactlyOnce) {
    // Any pixel covered twice would be inverted back and vanish.
    EXPECT_EQ(CoveredPixels(OutlineBetween({100, 50}, {110, 58})), BorderPixels(100, 50, 110, 58));
    EXPECT_EQ(CoveredPixels(OutlineBetween({110, 58}, {100, 50})), BorderPixels(100, 50, 110, 58));
    EXPECT_EQ(CoveredPixels(OutlineBetween({5, 7}, {6, 8})), BorderPixels(5, 7, 6, 8));
    EXPECT_EQ(CoveredPixels(OutlineBetween({5, 7}, {12, 7})), BorderPixels(5, 7, 12, 7));
    EXPECT_EQ(CoveredPixels(OutlineBetween({5, 9}, {5, 2})), BorderPixels(5, 2, 5, 9));
    EXPECT_EQ(CoveredPixels(OutlineBetween({0, 0}, {0, 0})), BorderPixels(0, 0, 0, 0));
}

TEST(RectangleDrag, ErasesThePreviousOutlineOnEachMove) {
    RectangleDrag drag;
    EXPECT_FALSE(drag.MoveTo({5, 5}));  // no button down yet
    ASSERT_TRUE(drag.Press({100, 50}));
    EXPECT_FALSE(drag.Press({1, 1}));  // a second button does not restart it
    auto first = drag.MoveTo({200, 100});
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->eraseOutlineTo);
    EXPECT_EQ(first->drawOutlineTo, (PixelPoint{200, 100}));
    auto second = drag.MoveTo({300, 200});
    ASSERT_TRUE(second);
    EXPECT_EQ(second->eraseOutlineTo, (PixelPoint{200, 100}));
    EXPECT_EQ(drag.Start(), (PixelPoint{100, 50}));

    const auto release = drag.ReleaseAt({300, 200});
    EXPECT_EQ(release.kind, RectangleDrag::ReleaseKind::Capture);
    EXPECT_EQ(release.eraseOutlineTo, (PixelPoint{300, 200}));
    EXPECT_EQ(release.corner, (PixelPoint{100, 50}));
    EXPECT_EQ(release.width, 201);
    EXPECT_EQ(release.height, 151);
    EXPECT_FALSE(drag.Dragging());
    EXPECT_FALSE(drag.OutlineShown());
    EXPECT_EQ(drag.ReleaseAt({300, 200}).kind, RectangleDrag::ReleaseKind::Ignored);
}

TEST(RectangleDrag, AnOutlineEndingAtTheOriginIsStillErased) {
    RectangleDrag drag;
    drag.Press({50, 40});
    drag.MoveTo({0, 0});
    const auto next = drag.MoveTo({20, 10});
    ASSERT_TRUE(next);
    EXPECT_EQ(next->eraseOutlineTo, (PixelPoint{0, 0}));
    drag.MoveTo({0, 0});
    const auto release = drag.ReleaseAt({0, 0});
    EXPECT_EQ(release.kind, RectangleDrag::ReleaseKind::Capture);
    EXPECT_EQ(release.eraseOutlineTo, (PixelPoint{0, 0}));
    EXPECT_EQ(release.corner, (PixelPoint{0, 0}));
    EXPECT_EQ(release.width, 51);
    EXPECT_EQ(release.height, 41);
}

TEST(RectangleDrag, ClicksAndLinesMakeNoPicture) {
    RectangleDrag drag;
    drag.Press({70, 70});
    auto click = drag.ReleaseAt({70, 70});
    EXPECT_EQ(click.kind, RectangleDrag::ReleaseKind::Click);
    EXPECT_FALSE(click.eraseOutlineTo);

    // Away and back to the press point is still a click.
    drag.Press({70, 70});
    drag.MoveTo({90, 95});
    drag.MoveTo({70, 70});
    click = drag.ReleaseAt({70, 70});
    EXPECT_EQ(click.kind, RectangleDrag::ReleaseKind::Click);
    EXPECT_EQ(click.eraseOutlineTo, (PixelPoint{70, 70}));

    drag.Press({100, 50});
    drag.MoveTo({300, 50});
    const auto line = drag.ReleaseAt({300, 50});
    EXPECT_EQ(line.kind, RectangleDrag::ReleaseKind::ZeroSize);
    EXPECT_EQ(line.eraseOutlineTo, (PixelPoint{300, 50}));
    // Dragged up along a column: no direction of the table applies.
    drag.Press({30, 90});
    drag.MoveTo({30, 10});
    EXPECT_EQ(drag.ReleaseAt({30, 10}).kind, RectangleDrag::ReleaseKind::ZeroSize);

    // The next drag begins with nothing on the screen to erase.
    drag.Press({10, 10});
    const auto fresh = drag.MoveTo({20, 20});
    ASSERT_TRUE(fresh);
    EXPECT_FALSE(fresh->eraseOutlineTo);
}

TEST(RectangleDrag, UsesTheReleasePointWhenNoMoveCameBeforeIt) {
    RectangleDrag drag;
    drag.Press({10, 20});
    const auto release = drag.ReleaseAt({4, 2});
    EXPECT_EQ(release.kind, RectangleDrag::ReleaseKind::Capture);
    EXPECT_FALSE(release.eraseOutlineTo);
    EXPECT_EQ(release.corner, (PixelPoint{4, 2}));
    EXPECT_EQ(release.width, 7);
    EXPECT_EQ(release.height, 19);
}

TEST(RectangleDrag, ResetForgetsAnOutlineThatWentWithItsWindow) {
    RectangleDrag drag;
    drag.Press({10, 10});
    drag.MoveTo({40, 40});
    drag.Reset();
    EXPECT_FALSE(drag.Dragging());
    drag.Press({50, 50});
    const auto move = drag.MoveTo({60, 60});
    ASSERT_TRUE(move);
    EXPECT_FALSE(move->eraseOutlineTo);
}

}  // namespace
}  // namespace snapora
