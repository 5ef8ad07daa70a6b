#pragma once
// The objects over one document's picture and their undo history: every
// change the user makes goes through here as one undo step.
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "editor/logic/History.h"

namespace snapora::editor {

class Drawing {
public:
    explicit Drawing(PixelStore& pixels, std::size_t budget = History::kDefaultBudget) : pixels_(pixels), history_(budget) {}

    [[nodiscard]] std::size_t Count() const noexcept { return shapes_.size(); }
    [[nodiscard]] const Shape& At(std::size_t index) const { return *shapes_.at(index); }
    [[nodiscard]] PixelRect PictureArea() const { return pixels_.View().Area(); }
    // The topmost shape at `p`, if any.
    [[nodiscard]] std::optional<std::size_t> ShapeAt(PixelPoint p, int tolerance) const;
    // A numbered marker's number: its place among the markers on the
    // picture, from 1.
    [[nodiscard]] int NumberOf(std::size_t index) const;

    // Adds a shape, kept to the picture. False, and nothing added, when
    // nothing of it lies on the picture.
    bool Add(std::unique_ptr<Shape> shape);
    void Remove(std::size_t index);
    // Moves a shape, keeping at least part of it on the picture; the
    // distance it really moved.
    PixelPoint Move(std::size_t index, int dx, int dy);
    // Changes a shape in place without a step (while the pointer drags
    // it); then one of the commits records the change.
    [[nodiscard]] Shape& Edit(std::size_t index) { return *shapes_.at(index); }
    void CommitMove(std::size_t index, int dx, int dy);
    // `before` is the shape as it was; false (and the shape put back) when
    // the change left nothing of it on the picture.
    bool CommitEdit(std::size_t index, std::unique_ptr<Shape> before);
    // Crops the picture to `area` (within it); false when nothing changed.
    bool Crop(const PixelRect& area);

    bool Undo() { return history_.Undo(scene_); }
    bool Redo() { return history_.Redo(scene_); }
    [[nodiscard]] bool CanUndo() const noexcept { return history_.CanUndo(); }
    [[nodiscard]] bool CanRedo() const noexcept { return history_.CanRedo(); }
    [[nodiscard]] const History& GetHistory() const noexcept { return history_; }
    void MarkSaved() noexcept { history_.MarkSaved(); }
    [[nodiscard]] bool AtSaved() const noexcept { return history_.AtSaved(); }
    // A new picture: no shapes and no history.
    void Reset();

    // Draws every shape that touches the canvas's visible part, then
    // `pending` (a shape being drawn), and the redactions over all.
    void Render(Canvas& canvas, const Shape* pending) const;
    [[nodiscard]] std::vector<Redaction> Redactions(const Shape* pending) const;

private:
    [[nodiscard]] bool Counts(const Shape& shape) const;
    // Limits a move so that the shape keeps touching the picture.
    [[nodiscard]] PixelPoint LimitMove(const Shape& shape, int dx, int dy) const;

    PixelStore& pixels_;
    ShapeList shapes_;
    Scene scene_{shapes_, pixels_};
    History history_;
};

}  // namespace snapora::editor
