#pragma once
// The one list of the editor's tools. A tool that draws is one row here and
// one shape class; the window layer derives each tool's command, tooltip
// and tool bar image from the row's place in this list.
#include <memory>
#include <span>

#include "editor/logic/Shape.h"

namespace snapora::editor {

using StartShapeFunction = std::unique_ptr<Shape> (*)(PixelPoint at, const Style& style);

struct ToolRow {
    ToolKind kind;
    // Nullptr for the tools that draw nothing (选择, 裁剪).
    StartShapeFunction start;
};

std::span<const ToolRow> ToolRows();

// The row of a kind (every kind has one).
const ToolRow& ToolRowOf(ToolKind kind);

// The index of the row of `kind` in ToolRows().
int ToolIndex(ToolKind kind);

}  // namespace snapora::editor
