#include "editor/logic/History.h"

#include "editor/logic/Crop.h"

namespace snapora::editor {

void History::Push(std::unique_ptr<Step> step) {
    for (const auto& undone : redo_) bytes_ -= undone->Bytes();
    redo_.clear();
    step->id = nextId_++;
    bytes_ += step->Bytes();
    undo_.push_back(std::move(step));
    while (bytes_ > budget_ && undo_.size() > 1) {
        bytes_ -= undo_.front()->Bytes();
        baseId_ = undo_.front()->id;
        undo_.pop_front();
        ++dropped_;
    }
}

bool History::Move(std::unique_ptr<Step>& step, bool undo, Scene& scene) {
    const std::size_t before = step->Bytes();
    if (!(undo ? step->Undo(scene) : step->Redo(scene))) return false;
    bytes_ = bytes_ - before + step->Bytes();
    return true;
}

bool History::Undo(Scene& scene) {
    if (undo_.empty() || !Move(undo_.back(), true, scene)) return false;
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
    return true;
}

bool History::Redo(Scene& scene) {
    if (redo_.empty() || !Move(redo_.back(), false, scene)) return false;
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
    return true;
}

void History::Clear() {
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
    baseId_ = nextId_++;
    savedId_ = baseId_;
}

std::size_t History::RecountBytes() const {
    std::size_t total = 0;
    for (const auto& step : undo_) total += step->Bytes();
    for (const auto& step : redo_) total += step->Bytes();
    return total;
}

namespace {

// A shape that is in the list in one state and held by the step in the other.
class ShapeInOut final : public Step {
public:
    ShapeInOut(std::size_t index, std::unique_ptr<Shape> held, bool addedByStep)
        : index_(index), held_(std::move(held)), added_(addedByStep) {}
    bool Undo(Scene& scene) override { return added_ ? TakeOut(scene) : PutBack(scene); }
    bool Redo(Scene& scene) override { return added_ ? PutBack(scene) : TakeOut(scene); }
    [[nodiscard]] std::size_t Bytes() const override { return sizeof(*this) + (held_ ? held_->Bytes() : 0); }

private:
    bool TakeOut(Scene& scene) {
        held_ = std::move(scene.shapes[index_]);
        scene.shapes.erase(scene.shapes.begin() + std::ptrdiff_t(index_));
        return true;
    }
    bool PutBack(Scene& scene) {
        scene.shapes.insert(scene.shapes.begin() + std::ptrdiff_t(index_), std::move(held_));
        return true;
    }
    std::size_t index_;
    std::unique_ptr<Shape> held_;
    bool added_;
};

class Moved final : public Step {
public:
    Moved(std::size_t index, int dx, int dy) : index_(index), dx_(dx), dy_(dy) {}
    bool Undo(Scene& scene) override {
        scene.shapes[index_]->MoveBy(-dx_, -dy_);
        return true;
    }
    bool Redo(Scene& scene) override {
        scene.shapes[index_]->MoveBy(dx_, dy_);
        return true;
    }
    [[nodiscard]] std::size_t Bytes() const override { return sizeof(*this); }

private:
    std::size_t index_;
    int dx_;
    int dy_;
};

// The shape's other state, swapped in and out.
class Edited final : public Step {
public:
    Edited(std::size_t index, std::unique_ptr<Shape> other) : index_(index), other_(std::move(other)) {}
    bool Undo(Scene& scene) override { return Swap(scene); }
    bool Redo(Scene& scene) override { return Swap(scene); }
    [[nodiscard]] std::size_t Bytes() const override { return sizeof(*this) + other_->Bytes(); }

private:
    bool Swap(Scene& scene) {
        scene.shapes[index_].swap(other_);
        return true;
    }
    std::size_t index_;
    std::unique_ptr<Shape> other_;
};

// Holds the removed pixels only while the crop is in effect; after an undo
// they are back in the picture and the step holds nothing.
class CropStep final : public Step {
public:
    CropStep(const PixelRect& area, int width, int height) : area_(area), width_(width), height_(height) {}
    bool Undo(Scene& scene) override;
    bool Redo(Scene& scene) override;
    [[nodiscard]] std::size_t Bytes() const override { return sizeof(*this) + removed_.capacity() * sizeof(std::uint32_t); }

private:
    PixelRect area_;
    int width_;
    int height_;
    std::vector<std::uint32_t> removed_;
};

bool CropStep::Redo(Scene& scene) {
    const ImageView whole = scene.pixels.View();
    std::vector<std::uint32_t> removed;
    if (!scene.pixels.Replace(area_.Width(), area_.Height(), [&](std::uint32_t* kept) { SplitCrop(whole, area_, kept, removed); })) {
        return false;
    }
    removed_ = std::move(removed);
    for (auto& shape : scene.shapes) shape->MoveBy(-area_.left, -area_.top);
    return true;
}

bool CropStep::Undo(Scene& scene) {
    const ImageView kept = scene.pixels.View();
    if (!scene.pixels.Replace(width_, height_, [&](std::uint32_t* whole) { JoinCrop(kept, area_, width_, height_, removed_, whole); })) {
        return false;
    }
    std::vector<std::uint32_t>().swap(removed_);
    for (auto& shape : scene.shapes) shape->MoveBy(area_.left, area_.top);
    return true;
}

}  // namespace

std::unique_ptr<Step> AddedStep(std::size_t index) { return std::make_unique<ShapeInOut>(index, nullptr, true); }

std::unique_ptr<Step> RemovedStep(std::size_t index, std::unique_ptr<Shape> removed) {
    return std::make_unique<ShapeInOut>(index, std::move(removed), false);
}

std::unique_ptr<Step> MovedStep(std::size_t index, int dx, int dy) { return std::make_unique<Moved>(index, dx, dy); }

std::unique_ptr<Step> EditedStep(std::size_t index, std::unique_ptr<Shape> before) {
    return std::make_unique<Edited>(index, std::move(before));
}

std::unique_ptr<Step> Cropped(Scene& scene, const PixelRect& area) {
    const ImageView whole = scene.pixels.View();
    auto step = std::make_unique<CropStep>(area, whole.width, whole.height);
    if (!step->Redo(scene)) return nullptr;
    return step;
}

}  // namespace snapora::editor
