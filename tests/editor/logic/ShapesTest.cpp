#include <gtest/gtest.h>

#include "editor/logic/AreaShapes.h"
#include "editor/logic/Shapes.h"
#include "editor/logic/TextShapes.h"
#include "editor/logic/Tools.h"
#include "tests/editor/logic/EditorModel.h"

namespace snapora::editor {
namespace {

using testing::Dragged;
using testing::FillCanvas;
using testing::MemoryPixels;

TEST(EditorTools, EveryDrawingToolMakesItsOwnKindWhereTheDragStarts) {
    int drawing = 0;
    for (const ToolRow& row : ToolRows()) {
        EXPECT_EQ(&ToolRowOf(row.kind), &row);
        if (!row.start) continue;
        ++drawing;
        auto shape = Dragged(row.kind, {50, 60}, {90, 80});
        EXPECT_EQ(shape->Kind(), row.kind);
        if (row.kind == ToolKind::Text) static_cast<TextShape&>(*shape).SetText(L"字", 10, 10);
        EXPECT_TRUE(shape->Bounds().Contains({50, 60}) || row.kind == ToolKind::Number) << ToolIndex(row.kind);
        EXPECT_TRUE(shape->Clone()->SameAs(*shape));
        EXPECT_GE(shape->Bytes(), sizeof(Shape));
    }
    EXPECT_EQ(drawing, 10);
    EXPECT_EQ(ToolRows().front().kind, ToolKind::Select);
}

TEST(EditorShapes, LinesAreHitNearThemAndBoxesOnTheirOutline) {
    auto line = Dragged(ToolKind::Line, {10, 10}, {110, 10}, Style{0, 4});
    EXPECT_TRUE(line->Hit({60, 13}, 2));
    EXPECT_FALSE(line->Hit({60, 15}, 2));
    EXPECT_FALSE(line->Hit({115, 10}, 2));
    auto box = Dragged(ToolKind::Rectangle, {100, 100}, {20, 40}, Style{0, 2});
    EXPECT_TRUE(box->Hit({20, 70}, 1));
    EXPECT_TRUE(box->Hit({60, 100}, 1));
    EXPECT_FALSE(box->Hit({60, 70}, 1));
    auto ellipse = Dragged(ToolKind::Ellipse, {0, 0}, {99, 49}, Style{0, 2});
    EXPECT_TRUE(ellipse->Hit({0, 25}, 2));
    EXPECT_FALSE(ellipse->Hit({50, 25}, 2));
    auto redact = Dragged(ToolKind::Redact, {0, 0}, {9, 9});
    EXPECT_TRUE(redact->Hit({5, 5}, 0));
}

TEST(EditorShapes, AnArrowHeadsWhereTheDragEnded) {
    auto arrow = Dragged(ToolKind::Arrow, {200, 50}, {20, 50}, Style{0, 3});
    const auto head = static_cast<ArrowShape&>(*arrow).Head();
    EXPECT_EQ(head[0], (PixelPoint{20, 50}));
    EXPECT_GT(head[3].x, 20);
    EXPECT_LT(head[1].x, 200 / 2);
    // A drag shorter than the head never points backwards.
    auto tiny = Dragged(ToolKind::Arrow, {5, 5}, {7, 5}, Style{0, 10});
    EXPECT_GE(static_cast<ArrowShape&>(*tiny).Head()[3].x, 5);
}

TEST(EditorShapes, HandlesResizeFromTheOppositeCornerAndMovesKeepTheShape) {
    auto box = Dragged(ToolKind::Rectangle, {10, 20}, {40, 60});
    ASSERT_EQ(box->Handles().size(), 4u);
    box->DragHandle(2, {70, 90});
    EXPECT_EQ(static_cast<Box&>(*box).Area(), (PixelRect{10, 20, 71, 91}));
    box->DragHandle(0, {0, 0});
    EXPECT_EQ(static_cast<Box&>(*box).Area(), (PixelRect{0, 0, 71, 91}));
    auto line = Dragged(ToolKind::Line, {1, 2}, {3, 4});
    line->DragHandle(0, {9, 9});
    EXPECT_EQ(line->Handles(), (std::vector<PixelPoint>{{9, 9}, {3, 4}}));
    auto pen = Dragged(ToolKind::Pen, {1, 1}, {5, 5});
    pen->Extend({5, 5});
    pen->MoveBy(10, -1);
    EXPECT_EQ(static_cast<Freehand&>(*pen).Points(), (std::vector<PixelPoint>{{11, 0}, {15, 4}}));
}

TEST(EditorShapes, AreasAreClippedToThePictureAndOthersMustTouchIt) {
    const PixelRect picture{0, 0, 100, 80};
    auto redact = Dragged(ToolKind::Redact, {-20, 50}, {30, 200});
    ASSERT_TRUE(redact->FitTo(picture));
    EXPECT_EQ(redact->Bounds(), (PixelRect{0, 50, 31, 80}));
    EXPECT_FALSE(Dragged(ToolKind::Mosaic, {100, 0}, {150, 10})->FitTo(picture));
    EXPECT_FALSE(Dragged(ToolKind::Line, {-50, -50}, {-10, -20})->FitTo(picture));
    EXPECT_TRUE(Dragged(ToolKind::Line, {-50, -50}, {10, 20})->FitTo(picture));
}

TEST(EditorMosaic, BlocksSitOnThePicturesGridAndHoldTheirMeans) {
    EXPECT_EQ(SnapToGrid({13, 25, 14, 48}, 12), (PixelRect{12, 24, 24, 48}));
    EXPECT_EQ(SnapToGrid({-3, 0, 1, 1}, 8), (PixelRect{-8, 0, 8, 8}));
    MemoryPixels pixels(64, 40);
    const ImageView view = pixels.View();
    for (int shift : {0, 5}) {
        auto mosaic = Dragged(ToolKind::Mosaic, {14 + shift, 3}, {30 + shift, 20});
        mosaic->FitTo(view.Area());
        FillCanvas canvas(view, view.Area());
        mosaic->Draw(canvas, DrawContext{0, view, {}});
        const PixelRect bounds = mosaic->Bounds();
        EXPECT_EQ(bounds.left % 12, 0);
        EXPECT_EQ(bounds.top, 0);
        for (int y = bounds.top; y < std::min(bounds.bottom, 40); ++y) {
            for (int x = bounds.left; x < bounds.right; ++x) {
                const int bx = x / 12 * 12;
                const int by = y / 12 * 12;
                ASSERT_EQ(canvas.At(x, y), BlockMean(view, {bx, by, bx + 12, by + 12}, {})) << x << "," << y;
            }
        }
    }
    // Exact means, and a redaction's pixels count as its colour.
    const std::uint32_t four[4] = {0x000000, 0x0000FF, 0xFF0000, 0x00FF00};
    const ImageView small{2, 2, four};
    EXPECT_EQ(BlockMean(small, {0, 0, 8, 8}, {}), 0x404040u);
    const Redaction hide[1] = {{{1, 0, 2, 2}, 0xFFFFFF}};
    EXPECT_EQ(BlockMean(small, {0, 0, 8, 8}, hide), 0xBF8080u);
}

}  // namespace
}  // namespace snapora::editor
