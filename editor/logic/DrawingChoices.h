#pragma once
// What the user has chosen to draw with, for every document: the tool and
// the style. The lists of what can be chosen are here as well.
#include <array>

#include "editor/logic/Shape.h"

namespace snapora {

struct DrawingChoices {
    editor::ToolKind tool = editor::ToolKind::Select;
    editor::Style style;
    // The colour dialog's sixteen custom colours, 0x00BBGGRR.
    std::array<unsigned long, 16> customColours{};
};

namespace editor {

// 0x00RRGGBB, in the order of their names in the string table.
inline constexpr std::array<Colour, 8> kPresetColours{0xE02020, 0xF08000, 0xFFE000, 0x20A040,
                                                      0x2060E0, 0x8030C0, 0x000000, 0xFFFFFF};
inline constexpr std::array<int, 7> kWidths{1, 2, 3, 5, 8, 12, 20};
inline constexpr std::array<int, 6> kTextSizes{12, 16, 20, 28, 36, 48};

}  // namespace editor
}  // namespace snapora
