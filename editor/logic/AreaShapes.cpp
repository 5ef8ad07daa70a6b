#include "editor/logic/AreaShapes.h"

#include <algorithm>

namespace snapora::editor {

namespace {

int FloorTo(int value, int step) {
    const int q = value / step;
    return (value % step != 0 && value < 0 ? q - 1 : q) * step;
}

}  // namespace

void RedactShape::Draw(Canvas& canvas, const DrawContext&) const { canvas.Fill(Area(), style_.redactColour); }

int MosaicShape::Block() const noexcept { return std::max(style_.mosaicBlock, kMinimumMosaicBlock); }

PixelRect MosaicShape::Bounds() const { return SnapToGrid(Area(), Block()); }

void MosaicShape::Draw(Canvas& canvas, const DrawContext& context) const {
    const int block = Block();
    const PixelRect whole = Intersect(Bounds(), context.source.Area());
    const PixelRect drawn = Intersect(whole, canvas.Visible());
    if (drawn.Empty()) return;
    const PixelRect blocks = SnapToGrid(drawn, block);
    for (int y = blocks.top; y < blocks.bottom; y += block) {
        for (int x = blocks.left; x < blocks.right; x += block) {
            const PixelRect cell{x, y, x + block, y + block};
            canvas.Fill(Intersect(cell, drawn), BlockMean(context.source, cell, context.redactions));
        }
    }
}

Colour BlockMean(const ImageView& source, const PixelRect& block, std::span<const Redaction> redactions) {
    const PixelRect cell = Intersect(block, source.Area());
    if (cell.Empty() || !source.pixels) return 0;
    std::vector<Redaction> over;
    for (const Redaction& r : redactions) {
        if (!Intersect(r.area, cell).Empty()) over.push_back(r);
    }
    std::uint64_t sum[3] = {0, 0, 0};
    for (int y = cell.top; y < cell.bottom; ++y) {
        const std::uint32_t* row = source.pixels + std::size_t(y) * std::size_t(source.width);
        for (int x = cell.left; x < cell.right; ++x) {
            std::uint32_t pixel = row[x];
            for (auto it = over.rbegin(); it != over.rend(); ++it) {
                if (it->area.Contains(PixelPoint{x, y})) {
                    pixel = it->colour;
                    break;
                }
            }
            sum[0] += (pixel >> 16) & 0xFF;
            sum[1] += (pixel >> 8) & 0xFF;
            sum[2] += pixel & 0xFF;
        }
    }
    const std::uint64_t n = std::uint64_t(cell.Width()) * std::uint64_t(cell.Height());
    auto mean = [n](std::uint64_t s) { return Colour((s + n / 2) / n); };
    return (mean(sum[0]) << 16) | (mean(sum[1]) << 8) | mean(sum[2]);
}

PixelRect SnapToGrid(const PixelRect& area, int block) {
    if (area.Empty() || block <= 0) return PixelRect{};
    return PixelRect{FloorTo(area.left, block), FloorTo(area.top, block), FloorTo(area.right - 1, block) + block,
                FloorTo(area.bottom - 1, block) + block};
}

}  // namespace snapora::editor
