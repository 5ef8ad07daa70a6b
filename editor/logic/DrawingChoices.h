#pragma once
// What the user has chosen to draw with, for every document: the tool, for
// this run, and the style, kept with the settings. The lists of what can be
// chosen are here as well.
#include <array>

#include "editor/logic/Shape.h"
#include "frame/logic/DrawingSettings.h"

namespace snapora {

struct DrawingChoices {
    editor::ToolKind tool = editor::ToolKind::Select;
    // The colour dialog's sixteen custom colours, 0x00BBGGRR.
    std::array<unsigned long, 16> customColours{};
};

namespace editor {

// 0x00RRGGBB, in the order of their names in the string table.
inline constexpr std::array<Colour, 8> kPresetColours{0xE02020, 0xF08000, 0xFFE000, 0x20A040,
                                                      0x2060E0, 0x8030C0, 0x000000, 0xFFFFFF};
inline constexpr std::array<int, 7> kWidths{1, 2, 3, 5, 8, 12, 20};

// The settings' colour, a COLORREF (0x00BBGGRR), as the picture holds it.
constexpr Colour ColourOfColorRef(std::uint32_t colorRef) noexcept {
    return ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}

// The style new shapes take.
constexpr Style StyleOf(const DrawingSettings& settings) noexcept {
    Style style;
    style.colour = ColourOfColorRef(settings.colour);
    style.width = settings.width;
    style.textSize = settings.textSize;
    return style;
}

}  // namespace editor
}  // namespace snapora
