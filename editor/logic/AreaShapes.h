#pragma once
// The shapes that hide what is below them: 遮盖, a solid fill in a colour of
// its own, and 马赛克, blocks of their own mean aligned to the picture's grid.
#include "editor/logic/ShapeBases.h"

namespace snapora::editor {

class RedactShape final : public ShapeOf<RedactShape, ToolKind::Redact, Box> {
public:
    using ShapeOf::ShapeOf;
    [[nodiscard]] PixelRect Bounds() const override { return Area(); }
    [[nodiscard]] bool Hit(PixelPoint p, int tolerance) const override { return Inflate(Area(), tolerance).Contains(p); }
    void Draw(Canvas& canvas, const DrawContext& context) const override;
    bool FitTo(const PixelRect& picture) override { return ClampTo(picture); }
    [[nodiscard]] Redaction AsRedaction() const noexcept { return Redaction{Area(), style_.redactColour}; }
};

class MosaicShape final : public ShapeOf<MosaicShape, ToolKind::Mosaic, Box> {
public:
    using ShapeOf::ShapeOf;
    // The dragged area grown to whole blocks of the picture's grid.
    [[nodiscard]] PixelRect Bounds() const override;
    [[nodiscard]] bool Hit(PixelPoint p, int tolerance) const override { return Inflate(Bounds(), tolerance).Contains(p); }
    void Draw(Canvas& canvas, const DrawContext& context) const override;
    bool FitTo(const PixelRect& picture) override { return ClampTo(picture); }
    [[nodiscard]] int Block() const noexcept;
};

// The mean colour of `block` (clipped to the picture), reading every pixel
// inside a redaction as the redaction's colour: a mosaic never carries
// anything of what a redaction hides.
Colour BlockMean(const ImageView& source, const PixelRect& block, std::span<const Redaction> redactions);

// `area` grown outwards to whole blocks of a grid of `block` pixels whose
// origin is the picture's top-left corner.
PixelRect SnapToGrid(const PixelRect& area, int block);

}  // namespace snapora::editor
