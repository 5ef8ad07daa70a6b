#pragma once
// The undo history of one document. Each step keeps only its own change (a
// shape added or removed, a move as its distance, the other state of an
// edited shape, the pixels a crop removed), counts its bytes exactly, and
// the history drops its oldest steps beyond a budget.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "editor/logic/Shape.h"

namespace snapora::editor {

// The picture's pixels, which the window layer owns.
class PixelStore {
public:
    [[nodiscard]] virtual ImageView View() const = 0;
    // Makes the pixels a new width x height image that `fill` writes while
    // View() still shows the old one. False, and nothing changed, when
    // there is no memory for it.
    virtual bool Replace(int width, int height, const std::function<void(std::uint32_t*)>& fill) = 0;

protected:
    ~PixelStore() = default;
};

using ShapeList = std::vector<std::unique_ptr<Shape>>;

struct Scene {
    ShapeList& shapes;
    PixelStore& pixels;
};

class Step {
public:
    virtual ~Step() = default;
    // False when the change could not be made (no memory): nothing changed.
    virtual bool Undo(Scene& scene) = 0;
    virtual bool Redo(Scene& scene) = 0;
    [[nodiscard]] virtual std::size_t Bytes() const = 0;
    std::uint64_t id = 0;
};

class History {
public:
    static constexpr std::size_t kDefaultBudget = std::size_t(256) << 20;
    explicit History(std::size_t budget = kDefaultBudget) : budget_(budget) {}

    // Records a change already made; forgets what could be redone.
    void Push(std::unique_ptr<Step> step);
    bool Undo(Scene& scene);
    bool Redo(Scene& scene);
    [[nodiscard]] bool CanUndo() const noexcept { return !undo_.empty(); }
    [[nodiscard]] bool CanRedo() const noexcept { return !redo_.empty(); }
    // Forgets every step: a new picture, with nothing changed on it.
    void Clear();

    void MarkSaved() noexcept { savedId_ = TopId(); }
    [[nodiscard]] bool AtSaved() const noexcept { return TopId() == savedId_; }

    [[nodiscard]] std::size_t Bytes() const noexcept { return bytes_; }
    // The same figure counted again from the steps, for checking.
    [[nodiscard]] std::size_t RecountBytes() const;
    [[nodiscard]] std::size_t Budget() const noexcept { return budget_; }
    // How many of the oldest steps the budget has dropped so far.
    [[nodiscard]] std::size_t DroppedSteps() const noexcept { return dropped_; }
    [[nodiscard]] std::size_t Steps() const noexcept { return undo_.size() + redo_.size(); }

private:
    [[nodiscard]] std::uint64_t TopId() const noexcept { return undo_.empty() ? baseId_ : undo_.back()->id; }
    bool Move(std::unique_ptr<Step>& step, bool undo, Scene& scene);

    std::deque<std::unique_ptr<Step>> undo_;
    std::vector<std::unique_ptr<Step>> redo_;
    std::size_t budget_;
    std::size_t bytes_ = 0;
    std::size_t dropped_ = 0;
    std::uint64_t nextId_ = 1;
    std::uint64_t baseId_ = 0;
    // Nothing changed yet counts as saved: whether the picture itself is
    // saved is the document's business.
    std::uint64_t savedId_ = 0;
};

// The steps the drawing makes.
std::unique_ptr<Step> AddedStep(std::size_t index);
std::unique_ptr<Step> RemovedStep(std::size_t index, std::unique_ptr<Shape> removed);
std::unique_ptr<Step> MovedStep(std::size_t index, int dx, int dy);
std::unique_ptr<Step> EditedStep(std::size_t index, std::unique_ptr<Shape> before);
// Crops the scene to `area` and returns the step, or nullptr (nothing
// changed) when there is no memory for the smaller picture.
std::unique_ptr<Step> Cropped(Scene& scene, const PixelRect& area);

}  // namespace snapora::editor
