// The workspace's scroll ranges and where a scroll request leaves the view.
#include "win32/logic/WorkspaceScroll.h"

#include <climits>

#include <gtest/gtest.h>

namespace snapora {
namespace {

TEST(WorkspaceScroll, BarsAreNeededOnlyWhenADocumentReachesPastAnEdge) {
    EXPECT_FALSE(MeasureWorkspaceAxis(400, false, 0, 0).Needed());
    // Touching both edges exactly still fits.
    EXPECT_FALSE(MeasureWorkspaceAxis(400, true, 0, 400).Needed());
    EXPECT_FALSE(MeasureWorkspaceAxis(400, true, 10, 200).Needed());

    const WorkspaceAxis right = MeasureWorkspaceAxis(400, true, 350, 470);
    EXPECT_TRUE(right.Needed());
    EXPECT_EQ(right.minimum, 0);
    EXPECT_EQ(right.maximum, 469);
    EXPECT_EQ(right.page, 400);
    EXPECT_EQ(right.LastPosition(), 70);

    const WorkspaceAxis left = MeasureWorkspaceAxis(400, true, -30, 100);
    EXPECT_TRUE(left.Needed());
    EXPECT_EQ(left.minimum, -30);
    EXPECT_EQ(left.maximum, 399);
    EXPECT_EQ(left.LastPosition(), 0);

    // One pixel beyond is enough.
    EXPECT_TRUE(MeasureWorkspaceAxis(400, true, 0, 401).Needed());
    EXPECT_TRUE(MeasureWorkspaceAxis(400, true, -1, 10).Needed());
}

TEST(WorkspaceScroll, ADegenerateClientOrExtentStaysSane) {
    // A minimised frame leaves a client of no size: everything lies outside.
    const WorkspaceAxis none = MeasureWorkspaceAxis(0, true, 5, 50);
    EXPECT_TRUE(none.Needed());
    EXPECT_LE(none.minimum, none.maximum);
    EXPECT_FALSE(MeasureWorkspaceAxis(0, false, 0, 0).Needed());
    EXPECT_FALSE(MeasureWorkspaceAxis(-5, false, 0, 0).Needed());
    // An empty or inverted extent counts as no document.
    EXPECT_FALSE(MeasureWorkspaceAxis(400, true, 500, 500).Needed());
    EXPECT_FALSE(MeasureWorkspaceAxis(400, true, 900, -900).Needed());
    // Extreme coordinates neither overflow nor wrap.
    const WorkspaceAxis huge = MeasureWorkspaceAxis(400, true, INT_MIN, INT_MAX);
    EXPECT_EQ(huge.minimum, INT_MIN);
    EXPECT_EQ(huge.maximum, INT_MAX - 1);
    EXPECT_TRUE(huge.Needed());
    EXPECT_EQ(WorkspaceScrollTarget(huge, WorkspaceScrollRequest::ToStart, 16, 0), INT_MIN);
    EXPECT_EQ(WorkspaceScrollTarget(huge, WorkspaceScrollRequest::ToEnd, 16, 0), INT_MAX - 400);
}

TEST(WorkspaceScroll, RequestsMoveTheViewWithinTheRange) {
    // Documents reach 70 pixels past the right edge and 30 before the left.
    const WorkspaceAxis axis = MeasureWorkspaceAxis(400, true, -30, 470);
    using R = WorkspaceScrollRequest;
    EXPECT_EQ(WorkspaceScrollTarget(axis, R::LineForward, 16, 0), 16);
    EXPECT_EQ(WorkspaceScrollTarget(axis, R::LineBack, 16, 0), -16);
    EXPECT_EQ(WorkspaceScrollTarget(axis, R::LineBack, 50, 0), -30);
    EXPECT_EQ(WorkspaceScrollTarget(axis, R::PageForward, 16, 0), 70);
    EXPECT_EQ(WorkspaceScrollTarget(axis, R::PageBack, 16, 0), -30);
    EXPECT_EQ(WorkspaceScrollTarget(axis, R::ToStart, 16, 0), -30);
    EXPECT_EQ(WorkspaceScrollTarget(axis, R::ToEnd, 16, 0), 70);
    EXPECT_EQ(WorkspaceScrollTarget(axis, R::ToPosition, 16, 25), 25);
    EXPECT_EQ(WorkspaceScrollTarget(axis, R::ToPosition, 16, 1000), 70);
    EXPECT_EQ(WorkspaceScrollTarget(axis, R::ToPosition, 16, -1000), -30);
    // With everything in view nothing moves.
    const WorkspaceAxis fits = MeasureWorkspaceAxis(400, true, 0, 300);
    for (R request : {R::LineForward, R::LineBack, R::PageForward, R::PageBack, R::ToStart, R::ToEnd}) {
        EXPECT_EQ(WorkspaceScrollTarget(fits, request, 16, 0), 0);
    }
}

}  // namespace
}  // namespace snapora
