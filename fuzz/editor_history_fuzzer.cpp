// Random edits, undos, redos and crops on a small picture: the byte count
// of the history is always exact, undoing everything gives back the
// original picture and shapes, redoing everything the edited ones, and the
// numbered markers are always numbered 1..n.
#include <cstdint>
#include <vector>

#include "FuzzInput.h"
#include "editor/logic/Crop.h"
#include "editor/logic/Tools.h"
#include "tests/editor/logic/EditorModel.h"

using snapora::fuzz::Check;

namespace {

using namespace snapora::editor;
using snapora::PixelPoint;

struct Snapshot {
    std::vector<std::uint32_t> pixels;
    std::vector<std::unique_ptr<Shape>> shapes;
};

Snapshot Take(const testing::MemoryPixels& pixels, const Drawing& drawing) {
    Snapshot s{pixels.Pixels(), {}};
    for (std::size_t i = 0; i < drawing.Count(); ++i) s.shapes.push_back(drawing.At(i).Clone());
    return s;
}

bool Same(const Snapshot& s, const testing::MemoryPixels& pixels, const Drawing& drawing) {
    if (s.pixels != pixels.Pixels() || s.shapes.size() != drawing.Count()) return false;
    for (std::size_t i = 0; i < drawing.Count(); ++i) {
        if (!drawing.At(i).SameAs(*s.shapes[i])) return false;
    }
    return true;
}

void CheckNumbers(const testing::MemoryPixels& pixels, const Drawing& drawing) {
    const std::vector<int> numbers = testing::Rendered(drawing, pixels.View()).numbers;
    for (std::size_t i = 0; i < numbers.size(); ++i) Check(numbers[i] == int(i) + 1);
}

void Edit(snapora::fuzz::Input& input, Drawing& drawing, const testing::MemoryPixels& pixels) {
    const int w = pixels.View().width;
    const int h = pixels.View().height;
    auto point = [&] { return PixelPoint{input.TakeInt(-20, w + 20), input.TakeInt(-20, h + 20)}; };
    const int op = input.TakeInt(0, 6);
    if (op <= 2 || drawing.Count() == 0) {
        const auto& row = ToolRows()[std::size_t(input.TakeInt(1, int(ToolRows().size()) - 2))];
        Style style{Colour(input.Take<std::uint32_t>() & 0xFFFFFF), input.TakeInt(1, 20), input.TakeInt(8, 72)};
        auto shape = row.start(point(), style);
        for (int n = input.TakeInt(1, 5); n > 0; --n) shape->Extend(point());
        drawing.Add(std::move(shape));
        return;
    }
    const auto index = std::size_t(input.TakeInt(0, int(drawing.Count()) - 1));
    if (op == 3) {
        drawing.Remove(index);
    } else if (op == 4) {
        drawing.Move(index, input.TakeInt(-50, 50), input.TakeInt(-50, 50));
    } else if (op == 5) {
        auto before = drawing.At(index).Clone();
        Shape& shape = drawing.Edit(index);
        if (!shape.Handles().empty()) shape.DragHandle(std::size_t(input.TakeInt(0, int(shape.Handles().size()) - 1)), point());
        drawing.CommitEdit(index, std::move(before));
    } else {
        drawing.Crop(CropArea(point(), point(), w, h));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    snapora::fuzz::Input input(data, size);
    testing::MemoryPixels pixels(input.TakeInt(1, 64), input.TakeInt(1, 64), input.Take<std::uint32_t>());
    // A small budget in half the runs, so that dropping steps is counted too.
    const bool small = input.TakeInt(0, 1) == 1;
    Drawing drawing(pixels, small ? 4096 : History::kDefaultBudget);
    const Snapshot original = Take(pixels, drawing);
    while (input.Size() > 0) {
        const int action = input.TakeInt(0, 9);
        if (action == 0) {
            drawing.Undo();
        } else if (action == 1) {
            drawing.Redo();
        } else {
            Edit(input, drawing, pixels);
        }
        Check(drawing.GetHistory().Bytes() == drawing.GetHistory().RecountBytes());
        CheckNumbers(pixels, drawing);
    }
    while (drawing.Redo()) {
    }
    const Snapshot edited = Take(pixels, drawing);
    while (drawing.Undo()) {
    }
    if (drawing.GetHistory().DroppedSteps() == 0) Check(Same(original, pixels, drawing));
    while (drawing.Redo()) {
    }
    Check(Same(edited, pixels, drawing));
    return 0;
}
