#include "editor/logic/Tools.h"

#include <array>

#include "editor/logic/AreaShapes.h"
#include "editor/logic/Shapes.h"
#include "editor/logic/TextShapes.h"

namespace snapora::editor {

namespace {

constexpr std::array<ToolRow, 12> kTools{{
    {ToolKind::Select, nullptr},
    {ToolKind::Pen, &StartShape<PenShape>},
    {ToolKind::Marker, &StartShape<MarkerShape>},
    {ToolKind::Line, &StartShape<LineShape>},
    {ToolKind::Arrow, &StartShape<ArrowShape>},
    {ToolKind::Rectangle, &StartShape<RectangleShape>},
    {ToolKind::Ellipse, &StartShape<EllipseShape>},
    {ToolKind::Text, &StartShape<TextShape>},
    {ToolKind::Number, &StartShape<NumberShape>},
    {ToolKind::Redact, &StartShape<RedactShape>},
    {ToolKind::Mosaic, &StartShape<MosaicShape>},
    {ToolKind::Crop, nullptr},
}};

// The rows follow the order of the kinds, so a kind finds its row directly.
constexpr bool RowsInOrder() {
    for (std::size_t i = 0; i < kTools.size(); ++i) {
        if (static_cast<std::size_t>(kTools[i].kind) != i) return false;
    }
    return kTools.back().kind == ToolKind::Crop;
}
static_assert(RowsInOrder(), "one row per tool, in the order of ToolKind");

}  // namespace

std::span<const ToolRow> ToolRows() { return kTools; }

const ToolRow& ToolRowOf(ToolKind kind) { return kTools[static_cast<std::size_t>(kind)]; }

int ToolIndex(ToolKind kind) { return static_cast<int>(kind); }

}  // namespace snapora::editor
