#pragma once
// What several shapes share: a line of points drawn freehand, and two
// points a drag gives (the ends of a line, the corners of a box).
#include <vector>

#include "editor/logic/Shape.h"

namespace snapora::editor {

// Kind and copying for a concrete shape class.
template <class Derived, ToolKind K, class Base>
class ShapeOf : public Base {
public:
    using Base::Base;
    [[nodiscard]] ToolKind Kind() const noexcept override { return K; }
    [[nodiscard]] std::unique_ptr<Shape> Clone() const override {
        return std::make_unique<Derived>(static_cast<const Derived&>(*this));
    }
    [[nodiscard]] std::size_t Bytes() const override { return sizeof(Derived) + static_cast<const Derived*>(this)->PayloadBytes(); }
};

class Freehand : public Shape {
public:
    Freehand(PixelPoint at, const Style& style) : Shape(style), points_{at} {}

    [[nodiscard]] PixelRect Bounds() const override;
    [[nodiscard]] bool Hit(PixelPoint p, int tolerance) const override;
    void MoveBy(int dx, int dy) override;
    void Extend(PixelPoint to) override;
    PixelRect ExtendChanging(PixelPoint to) override;
    [[nodiscard]] bool SameAs(const Shape& other) const override;
    [[nodiscard]] const std::vector<PixelPoint>& Points() const noexcept { return points_; }

protected:
    [[nodiscard]] std::size_t PayloadBytes() const noexcept { return points_.capacity() * sizeof(PixelPoint); }
    std::vector<PixelPoint> points_;
};

class TwoPoint : public Shape {
public:
    TwoPoint(PixelPoint at, const Style& style) : Shape(style), from_(at), to_(at) {}

    void MoveBy(int dx, int dy) override;
    void Extend(PixelPoint to) override { to_ = to; }
    [[nodiscard]] bool SameAs(const Shape& other) const override;
    [[nodiscard]] PixelPoint From() const noexcept { return from_; }
    [[nodiscard]] PixelPoint To() const noexcept { return to_; }

protected:
    [[nodiscard]] static std::size_t PayloadBytes() noexcept { return 0; }
    PixelPoint from_;
    PixelPoint to_;
};

// A line between the two points: handles at its ends.
class Segment : public TwoPoint {
public:
    using TwoPoint::TwoPoint;
    [[nodiscard]] std::vector<PixelPoint> Handles() const override { return {from_, to_}; }
    void DragHandle(std::size_t handle, PixelPoint to) override { (handle == 0 ? from_ : to_) = to; }
};

// A box with both corners included: handles at its four corners.
class Box : public TwoPoint {
public:
    using TwoPoint::TwoPoint;
    [[nodiscard]] PixelRect Area() const noexcept { return SpanOf(from_, to_); }
    [[nodiscard]] std::vector<PixelPoint> Handles() const override;
    void DragHandle(std::size_t handle, PixelPoint to) override;

protected:
    // Clamps both corners into the picture; false when the box lies outside.
    bool ClampTo(const PixelRect& picture);
};

}  // namespace snapora::editor
