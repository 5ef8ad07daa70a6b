#pragma once
// The shapes that carry text: 文字, typed lines at a point, and 序号, a
// numbered disc whose number is its place among the discs.
#include <string>

#include "editor/logic/ShapeBases.h"

namespace snapora::editor {

class TextShape final : public ShapeOf<TextShape, ToolKind::Text, Shape> {
public:
    TextShape(PixelPoint at, const Style& style) : ShapeOf(style), origin_(at) {}

    [[nodiscard]] PixelRect Bounds() const override;
    [[nodiscard]] bool Hit(PixelPoint p, int tolerance) const override { return Inflate(Bounds(), tolerance).Contains(p); }
    void Draw(Canvas& canvas, const DrawContext& context) const override;
    void MoveBy(int dx, int dy) override { origin_ = PixelPoint{origin_.x + dx, origin_.y + dy}; }
    void Extend(PixelPoint) override {}
    [[nodiscard]] bool SameAs(const Shape& other) const override;

    [[nodiscard]] PixelPoint Origin() const noexcept { return origin_; }
    [[nodiscard]] const std::wstring& Text() const noexcept { return text_; }
    // The text and the size it takes at its text size, which only the
    // window layer can measure.
    void SetText(std::wstring text, int width, int height);
    void SetExtent(int width, int height) noexcept { extent_ = PixelPoint{width, height}; }

protected:
    friend class ShapeOf<TextShape, ToolKind::Text, Shape>;
    [[nodiscard]] std::size_t PayloadBytes() const noexcept { return text_.capacity() * sizeof(wchar_t); }

private:
    PixelPoint origin_;
    std::wstring text_;
    PixelPoint extent_{};
};

class NumberShape final : public ShapeOf<NumberShape, ToolKind::Number, Shape> {
public:
    NumberShape(PixelPoint at, const Style& style) : ShapeOf(style), centre_(at) {}

    [[nodiscard]] PixelRect Bounds() const override { return Disc(); }
    [[nodiscard]] bool Hit(PixelPoint p, int tolerance) const override { return Inflate(Disc(), tolerance).Contains(p); }
    void Draw(Canvas& canvas, const DrawContext& context) const override;
    void MoveBy(int dx, int dy) override { centre_ = PixelPoint{centre_.x + dx, centre_.y + dy}; }
    void Extend(PixelPoint to) override { centre_ = to; }
    [[nodiscard]] bool SameAs(const Shape& other) const override;
    [[nodiscard]] PixelRect Disc() const noexcept;

protected:
    friend class ShapeOf<NumberShape, ToolKind::Number, Shape>;
    [[nodiscard]] static std::size_t PayloadBytes() noexcept { return 0; }

private:
    PixelPoint centre_;
};

}  // namespace snapora::editor
