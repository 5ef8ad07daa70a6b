#pragma once
// The shapes that are lines and outlines: 画笔, 荧光笔, 直线, 箭头, 矩形, 椭圆.
#include <array>

#include "editor/logic/ShapeBases.h"

namespace snapora::editor {

class PenShape final : public ShapeOf<PenShape, ToolKind::Pen, Freehand> {
public:
    using ShapeOf::ShapeOf;
    void Draw(Canvas& canvas, const DrawContext& context) const override;
};

// A wide translucent line: five times the chosen width.
class MarkerShape final : public ShapeOf<MarkerShape, ToolKind::Marker, Freehand> {
public:
    using ShapeOf::ShapeOf;
    [[nodiscard]] PixelRect Bounds() const override { return BoundsOf(points_, LineWidth() / 2 + 1); }
    [[nodiscard]] bool Hit(PixelPoint p, int tolerance) const override;
    void Draw(Canvas& canvas, const DrawContext& context) const override;
    [[nodiscard]] int LineWidth() const noexcept { return style_.width * 5; }
};

class LineShape final : public ShapeOf<LineShape, ToolKind::Line, Segment> {
public:
    using ShapeOf::ShapeOf;
    [[nodiscard]] PixelRect Bounds() const override;
    [[nodiscard]] bool Hit(PixelPoint p, int tolerance) const override;
    void Draw(Canvas& canvas, const DrawContext& context) const override;
};

// A line whose head is at the end where the drag ended.
class ArrowShape final : public ShapeOf<ArrowShape, ToolKind::Arrow, Segment> {
public:
    using ShapeOf::ShapeOf;
    [[nodiscard]] PixelRect Bounds() const override;
    [[nodiscard]] bool Hit(PixelPoint p, int tolerance) const override;
    void Draw(Canvas& canvas, const DrawContext& context) const override;
    // The head's tip, its two barbs, and where the shaft meets it.
    [[nodiscard]] std::array<PixelPoint, 4> Head() const;
};

class RectangleShape final : public ShapeOf<RectangleShape, ToolKind::Rectangle, Box> {
public:
    using ShapeOf::ShapeOf;
    [[nodiscard]] PixelRect Bounds() const override { return Inflate(Area(), style_.width / 2 + 1); }
    [[nodiscard]] bool Hit(PixelPoint p, int tolerance) const override;
    void Draw(Canvas& canvas, const DrawContext& context) const override;
};

class EllipseShape final : public ShapeOf<EllipseShape, ToolKind::Ellipse, Box> {
public:
    using ShapeOf::ShapeOf;
    [[nodiscard]] PixelRect Bounds() const override { return Inflate(Area(), style_.width / 2 + 1); }
    [[nodiscard]] bool Hit(PixelPoint p, int tolerance) const override;
    void Draw(Canvas& canvas, const DrawContext& context) const override;
};

}  // namespace snapora::editor
