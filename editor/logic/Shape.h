#pragma once
// An object drawn over the captured picture. Each tool that draws makes
// one kind of shape; the shape knows its geometry, how it is hit, moved,
// resized and clipped, what it costs in memory, and how it draws itself on
// a Canvas (which the window layer implements with GDI, for the screen and
// for the flattened picture alike).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "editor/logic/Geometry.h"

namespace snapora::editor {

// The tools, in the order of the tool bar and the menu. The rows of the
// tool list (Tools.h) follow this order.
enum class ToolKind : int { Select, Pen, Marker, Line, Arrow, Rectangle, Ellipse, Text, Number, Redact, Mosaic, Crop };

struct Style {
    Colour colour = 0xE02020;
    int width = 3;          // 1..20 px
    int textSize = 20;      // px
    Colour redactColour = 0x000000;
    int mosaicBlock = 12;   // px, at least kMinimumMosaicBlock
};

inline constexpr int kMinimumMosaicBlock = 8;

// The captured pixels, top-down rows of `width` values.
struct ImageView {
    int width = 0;
    int height = 0;
    const std::uint32_t* pixels = nullptr;
    [[nodiscard]] PixelRect Area() const noexcept { return PixelRect{0, 0, width, height}; }
};

struct Redaction {
    PixelRect area;
    Colour colour;
};

// What a shape needs besides itself while it is drawn.
struct DrawContext {
    int number = 0;                          // a numbered marker's place among them, from 1
    ImageView source;                        // the captured pixels, for mosaic means
    std::span<const Redaction> redactions;   // areas whose pixels no output may carry
};

class Canvas {
public:
    // A line through the points with round ends and joins.
    virtual void Stroke(std::span<const PixelPoint> points, Colour colour, int width) = 0;
    // The same line, multiplied over what is below like a marker pen.
    virtual void Highlight(std::span<const PixelPoint> points, Colour colour, int width) = 0;
    virtual void FillPolygon(std::span<const PixelPoint> points, Colour colour) = 0;
    // Outlines centred on the rectangle's edge (right and bottom excluded).
    virtual void FrameRect(const PixelRect& rect, Colour colour, int width) = 0;
    virtual void FrameEllipse(const PixelRect& rect, Colour colour, int width) = 0;
    virtual void Fill(const PixelRect& rect, Colour colour) = 0;
    // Lines separated by '\n', from the rectangle's top-left corner.
    virtual void Text(const PixelRect& box, std::wstring_view text, Colour colour, int size) = 0;
    // A filled disc with the number centred on it.
    virtual void Badge(const PixelRect& disc, int number, Colour colour, int size) = 0;
    // The picture pixels being drawn now; nothing outside them needs drawing.
    [[nodiscard]] virtual PixelRect Visible() const = 0;

protected:
    ~Canvas() = default;
};

class Shape {
public:
    explicit Shape(const Style& style) : style_(style) {}
    virtual ~Shape() = default;

    [[nodiscard]] virtual ToolKind Kind() const noexcept = 0;
    [[nodiscard]] virtual std::unique_ptr<Shape> Clone() const = 0;
    // Every pixel the shape may touch.
    [[nodiscard]] virtual PixelRect Bounds() const = 0;
    [[nodiscard]] virtual bool Hit(PixelPoint p, int tolerance) const = 0;
    virtual void Draw(Canvas& canvas, const DrawContext& context) const = 0;
    virtual void MoveBy(int dx, int dy) = 0;
    // While the shape is being drawn: the pointer is now at `to`.
    virtual void Extend(PixelPoint to) = 0;
    // The same, giving every pixel that may look different afterwards.
    virtual PixelRect ExtendChanging(PixelPoint to) {
        const PixelRect before = Bounds();
        Extend(to);
        return Union(before, Bounds());
    }
    // The points a selected shape shows handles at, and dragging one.
    [[nodiscard]] virtual std::vector<PixelPoint> Handles() const { return {}; }
    virtual void DragHandle(std::size_t /*handle*/, PixelPoint /*to*/) {}
    // Keeps the shape to the picture; false when nothing of it is left.
    virtual bool FitTo(const PixelRect& picture) { return !Intersect(Bounds(), picture).Empty(); }
    // The memory the shape holds, itself and what it owns.
    [[nodiscard]] virtual std::size_t Bytes() const = 0;
    [[nodiscard]] virtual bool SameAs(const Shape& other) const = 0;

    [[nodiscard]] const Style& GetStyle() const noexcept { return style_; }
    // A new colour, width or text size; shapes keep what they can use.
    virtual void Restyle(const Style& style) { style_ = style; }

protected:
    [[nodiscard]] bool SameStyle(const Shape& other) const noexcept {
        return Kind() == other.Kind() && style_.colour == other.style_.colour && style_.width == other.style_.width &&
               style_.textSize == other.style_.textSize && style_.redactColour == other.style_.redactColour &&
               style_.mosaicBlock == other.style_.mosaicBlock;
    }

    Style style_;
};

// Makes a new shape of one kind where a drag starts.
template <class Derived>
std::unique_ptr<Shape> StartShape(PixelPoint at, const Style& style) {
    return std::make_unique<Derived>(at, style);
}

}  // namespace snapora::editor
