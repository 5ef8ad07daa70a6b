#include "editor/logic/Drawing.h"

#include <algorithm>

#include "editor/logic/AreaShapes.h"

namespace snapora::editor {

bool Drawing::Counts(const Shape& shape) const {
    // A marker a crop left outside the picture is out of the count.
    return shape.Kind() == ToolKind::Number && !Intersect(shape.Bounds(), PictureArea()).Empty();
}

std::optional<std::size_t> Drawing::ShapeAt(PixelPoint p, int tolerance) const {
    for (std::size_t i = shapes_.size(); i-- > 0;) {
        if (shapes_[i]->Hit(p, tolerance)) return i;
    }
    return std::nullopt;
}

int Drawing::NumberOf(std::size_t index) const {
    int number = 0;
    for (std::size_t i = 0; i <= index && i < shapes_.size(); ++i) {
        if (Counts(*shapes_[i])) ++number;
    }
    return number;
}

bool Drawing::Add(std::unique_ptr<Shape> shape) {
    if (!shape || !shape->FitTo(PictureArea())) return false;
    shapes_.push_back(std::move(shape));
    history_.Push(AddedStep(shapes_.size() - 1));
    return true;
}

void Drawing::Remove(std::size_t index) {
    auto removed = std::move(shapes_.at(index));
    shapes_.erase(shapes_.begin() + std::ptrdiff_t(index));
    history_.Push(RemovedStep(index, std::move(removed)));
}

PixelPoint Drawing::LimitMove(const Shape& shape, int dx, int dy) const {
    const PixelRect bounds = shape.Bounds();
    const PixelRect picture = PictureArea();
    dx = std::clamp(dx, picture.left - bounds.right + 1, picture.right - 1 - bounds.left);
    dy = std::clamp(dy, picture.top - bounds.bottom + 1, picture.bottom - 1 - bounds.top);
    return PixelPoint{dx, dy};
}

PixelPoint Drawing::Move(std::size_t index, int dx, int dy) {
    Shape& shape = *shapes_.at(index);
    const PixelPoint moved = LimitMove(shape, dx, dy);
    if (moved == PixelPoint{}) return moved;
    shape.MoveBy(moved.x, moved.y);
    history_.Push(MovedStep(index, moved.x, moved.y));
    return moved;
}

void Drawing::CommitMove(std::size_t index, int dx, int dy) {
    Shape& shape = *shapes_.at(index);
    // The drag may have left the picture: take back what went too far.
    shape.MoveBy(-dx, -dy);
    const PixelPoint moved = LimitMove(shape, dx, dy);
    shape.MoveBy(moved.x, moved.y);
    if (moved != PixelPoint{}) history_.Push(MovedStep(index, moved.x, moved.y));
}

bool Drawing::CommitEdit(std::size_t index, std::unique_ptr<Shape> before) {
    auto& slot = shapes_.at(index);
    if (!slot->FitTo(PictureArea())) {
        slot = std::move(before);
        return false;
    }
    if (!slot->SameAs(*before)) history_.Push(EditedStep(index, std::move(before)));
    return true;
}

bool Drawing::Crop(const PixelRect& area) {
    const PixelRect inside = Intersect(area, PictureArea());
    if (inside.Empty() || inside == PictureArea()) return false;
    auto step = Cropped(scene_, inside);
    if (!step) return false;
    history_.Push(std::move(step));
    return true;
}

void Drawing::Reset() {
    shapes_.clear();
    history_.Clear();
}

std::vector<Redaction> Drawing::Redactions(const Shape* pending) const {
    std::vector<Redaction> redactions;
    for (const auto& shape : shapes_) {
        if (shape->Kind() == ToolKind::Redact) redactions.push_back(static_cast<const RedactShape&>(*shape).AsRedaction());
    }
    if (pending && pending->Kind() == ToolKind::Redact) {
        redactions.push_back(static_cast<const RedactShape&>(*pending).AsRedaction());
    }
    return redactions;
}

void Drawing::Render(Canvas& canvas, const Shape* pending) const {
    const std::vector<Redaction> redactions = Redactions(pending);
    DrawContext context{0, pixels_.View(), redactions};
    const PixelRect visible = canvas.Visible();
    auto draw = [&](const Shape& shape) {
        if (Counts(shape)) ++context.number;
        if (shape.Kind() == ToolKind::Redact || Intersect(shape.Bounds(), visible).Empty()) return;
        shape.Draw(canvas, context);
    };
    for (const auto& shape : shapes_) draw(*shape);
    if (pending) draw(*pending);
    // Redactions lie over everything, so that nothing drawn later shows
    // what they hide.
    for (const Redaction& r : redactions) {
        const PixelRect area = Intersect(r.area, visible);
        if (!area.Empty()) canvas.Fill(area, r.colour);
    }
}

}  // namespace snapora::editor
