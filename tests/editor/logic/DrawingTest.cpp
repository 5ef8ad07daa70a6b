#include "editor/logic/Drawing.h"

#include <gtest/gtest.h>

#include "editor/logic/AreaShapes.h"
#include "editor/logic/Crop.h"
#include "editor/logic/TextShapes.h"
#include "editor/logic/Tools.h"
#include "tests/editor/logic/EditorModel.h"

namespace snapora::editor {
namespace {

using testing::Dragged;
using testing::FillCanvas;
using testing::MemoryPixels;
using testing::Rendered;

std::vector<int> Numbers(const Drawing& drawing, const ImageView& view) { return Rendered(drawing, view).numbers; }

TEST(EditorDrawing, MarkersAreNumberedByTheirPlaceAndRenumberedWhenOneGoes) {
    MemoryPixels pixels(200, 100);
    Drawing drawing(pixels);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(drawing.Add(Dragged(ToolKind::Number, {20 + 40 * i, 50}, {20 + 40 * i, 50})));
        if (i == 1) drawing.Add(Dragged(ToolKind::Line, {0, 0}, {9, 9}));
    }
    EXPECT_EQ(Numbers(drawing, pixels.View()), (std::vector<int>{1, 2, 3, 4}));
    drawing.Remove(*drawing.ShapeAt({60, 50}, 0));
    EXPECT_EQ(Numbers(drawing, pixels.View()), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(drawing.NumberOf(drawing.Count() - 1), 3);
    drawing.Undo();
    EXPECT_EQ(Numbers(drawing, pixels.View()), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(drawing.NumberOf(*drawing.ShapeAt({60, 50}, 0)), 2);
}

TEST(EditorDrawing, ShapesOutsideThePictureAreRefusedAndMovesKeepThemOnIt) {
    MemoryPixels pixels(100, 100);
    Drawing drawing(pixels);
    EXPECT_FALSE(drawing.Add(Dragged(ToolKind::Rectangle, {200, 200}, {300, 300})));
    EXPECT_FALSE(drawing.CanUndo());
    ASSERT_TRUE(drawing.Add(Dragged(ToolKind::Redact, {90, 90}, {150, 150})));
    EXPECT_EQ(drawing.At(0).Bounds(), (PixelRect{90, 90, 100, 100}));
    EXPECT_EQ(drawing.Move(0, 500, -20), (PixelPoint{9, -20}));
    EXPECT_EQ(drawing.At(0).Bounds(), (PixelRect{99, 70, 109, 80}));
    EXPECT_EQ(drawing.Move(0, 5, 0), (PixelPoint{}));
    EXPECT_EQ(drawing.GetHistory().Steps(), 2u);
}

TEST(EditorDrawing, RedactionsLieOverEverythingDrawnAfterThem) {
    MemoryPixels pixels(60, 60);
    Drawing drawing(pixels);
    drawing.Add(Dragged(ToolKind::Redact, {10, 10}, {29, 29}, Style{0xFF, 3, 20, 0x123456}));
    drawing.Add(Dragged(ToolKind::Mosaic, {0, 0}, {59, 59}));
    const ImageView view = pixels.View();
    const FillCanvas canvas = Rendered(drawing, view);
    for (int y = 10; y < 30; ++y) {
        for (int x = 10; x < 30; ++x) ASSERT_EQ(canvas.At(x, y), 0x123456u);
    }
    // The block that straddles the redaction averages its colour, not what it hides.
    const Redaction hidden[1] = {{{10, 10, 30, 30}, 0x123456}};
    EXPECT_EQ(canvas.At(8, 8), BlockMean(view, {0, 0, 12, 12}, hidden));
}

TEST(EditorHistory, EachStepCountsOnlyItsOwnChangeAndUndoRestoresEverything) {
    MemoryPixels pixels(300, 200);
    const auto original = pixels.Pixels();
    Drawing drawing(pixels);
    auto pen = Dragged(ToolKind::Pen, {0, 0}, {1, 1});
    for (int i = 0; i < 1000; ++i) pen->Extend({i % 300, i / 5});
    const std::size_t penBytes = pen->Bytes();
    drawing.Add(std::move(pen));
    const std::size_t afterAdd = drawing.GetHistory().Bytes();
    EXPECT_LT(afterAdd, 100u);  // the shape lives in the list, not in the step
    drawing.Move(0, 3, 4);
    EXPECT_LT(drawing.GetHistory().Bytes() - afterAdd, 100u);
    ASSERT_TRUE(drawing.Crop(CropArea({10, 20}, {109, 69}, 300, 200)));
    EXPECT_EQ(pixels.View().width, 100);
    EXPECT_EQ(pixels.View().height, 50);
    const std::size_t cropBytes = drawing.GetHistory().Bytes();
    EXPECT_GE(cropBytes, (300u * 200u - 100u * 50u) * 4u);
    EXPECT_LT(cropBytes, (300u * 200u - 100u * 50u) * 4u + 200u);
    drawing.Remove(0);
    EXPECT_GE(drawing.GetHistory().Bytes(), cropBytes + penBytes);
    EXPECT_EQ(drawing.GetHistory().Bytes(), drawing.GetHistory().RecountBytes());
    while (drawing.Undo()) EXPECT_EQ(drawing.GetHistory().Bytes(), drawing.GetHistory().RecountBytes());
    EXPECT_EQ(pixels.Pixels(), original);
    EXPECT_EQ(drawing.Count(), 0u);
    // With the crop undone, its pixels are back in the picture only.
    EXPECT_LT(drawing.GetHistory().Bytes(), penBytes + 400u);
    while (drawing.Redo()) {
    }
    EXPECT_EQ(pixels.View().width, 100);
    EXPECT_EQ(drawing.Count(), 0u);
}

TEST(EditorHistory, UndoAfterCropGivesBackEveryShapeWhereItWas) {
    MemoryPixels pixels(120, 90);
    Drawing drawing(pixels);
    drawing.Add(Dragged(ToolKind::Arrow, {5, 5}, {100, 80}));
    auto before = drawing.At(0).Clone();
    ASSERT_TRUE(drawing.Crop({30, 40, 90, 41}));
    EXPECT_EQ(static_cast<const Segment&>(drawing.At(0)).From(), (PixelPoint{-25, -35}));
    drawing.Undo();
    EXPECT_TRUE(drawing.At(0).SameAs(*before));
    EXPECT_FALSE(drawing.Crop({0, 0, 120, 90}));
    EXPECT_FALSE(drawing.Crop({130, 0, 140, 90}));
    EXPECT_EQ(CropArea({5, 5}, {5, 5}, 10, 10), (PixelRect{5, 5, 6, 6}));
    EXPECT_EQ(CropArea({-5, -5}, {20, 20}, 10, 10), (PixelRect{}));
    EXPECT_EQ(CropArea({9, 0}, {3, 4}, 10, 10), (PixelRect{3, 0, 10, 5}));
}

TEST(EditorHistory, TheBudgetDropsTheOldestStepsAndTheSavedStateIsFoundAgain) {
    MemoryPixels pixels(100, 100);
    Drawing drawing(pixels, 2000);
    EXPECT_TRUE(drawing.AtSaved());  // nothing changed yet
    drawing.Add(Dragged(ToolKind::Line, {0, 0}, {9, 9}));
    drawing.MarkSaved();
    drawing.Move(0, 1, 1);
    EXPECT_FALSE(drawing.AtSaved());
    drawing.Undo();
    EXPECT_TRUE(drawing.AtSaved());
    drawing.Move(0, 2, 2);  // forgets the redo; saved state stays one undo away
    drawing.Undo();
    EXPECT_TRUE(drawing.AtSaved());
    for (int i = 0; i < 200; ++i) drawing.Move(0, i % 2 ? 1 : -1, 0);
    EXPECT_GT(drawing.GetHistory().DroppedSteps(), 0u);
    EXPECT_LE(drawing.GetHistory().Bytes(), 2000u);
    EXPECT_EQ(drawing.GetHistory().Bytes(), drawing.GetHistory().RecountBytes());
    while (drawing.Undo()) {
    }
    EXPECT_FALSE(drawing.AtSaved());
    EXPECT_EQ(drawing.Count(), 1u);
    drawing.Reset();
    EXPECT_TRUE(drawing.AtSaved());
    EXPECT_FALSE(drawing.CanUndo());
    EXPECT_EQ(drawing.GetHistory().Bytes(), 0u);
}

TEST(EditorHistory, AnEditKeepsTheOtherStateAndAnEmptyEditNoStep) {
    MemoryPixels pixels(100, 100);
    Drawing drawing(pixels);
    auto text = Dragged(ToolKind::Text, {10, 10}, {10, 10});
    EXPECT_FALSE(drawing.Add(text->Clone()));  // an empty text is no object
    static_cast<TextShape&>(*text).SetText(L"a", 8, 16);
    ASSERT_TRUE(drawing.Add(std::move(text)));
    auto before = drawing.At(0).Clone();
    static_cast<TextShape&>(drawing.Edit(0)).SetText(L"标注", 40, 20);
    ASSERT_TRUE(drawing.CommitEdit(0, std::move(before)));
    EXPECT_TRUE(drawing.CommitEdit(0, drawing.At(0).Clone()));  // nothing changed: no step
    EXPECT_EQ(drawing.GetHistory().Steps(), 2u);
    drawing.Edit(0).MoveBy(500, 0);
    EXPECT_FALSE(drawing.CommitEdit(0, Dragged(ToolKind::Text, {10, 10}, {10, 10})));
    drawing.Undo();
    EXPECT_EQ(static_cast<const TextShape&>(drawing.At(0)).Text(), L"a");
}

}  // namespace
}  // namespace snapora::editor
