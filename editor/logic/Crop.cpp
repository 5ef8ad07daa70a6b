#include "editor/logic/Crop.h"

#include <algorithm>

namespace snapora::editor {

PixelRect CropArea(PixelPoint from, PixelPoint to, int width, int height) {
    const PixelRect picture{0, 0, width, height};
    const PixelRect area = Intersect(SpanOf(from, to), picture);
    return area == picture ? PixelRect{} : area;
}

void SplitCrop(const ImageView& image, const PixelRect& area, std::uint32_t* kept, std::vector<std::uint32_t>& removed) {
    removed.clear();
    removed.reserve(std::size_t(image.width) * std::size_t(image.height) - std::size_t(area.Width()) * std::size_t(area.Height()));
    for (int y = 0; y < image.height; ++y) {
        const std::uint32_t* row = image.pixels + std::size_t(y) * std::size_t(image.width);
        if (y < area.top || y >= area.bottom) {
            removed.insert(removed.end(), row, row + image.width);
            continue;
        }
        removed.insert(removed.end(), row, row + area.left);
        std::copy(row + area.left, row + area.right, kept + std::size_t(y - area.top) * std::size_t(area.Width()));
        removed.insert(removed.end(), row + area.right, row + image.width);
    }
}

void JoinCrop(const ImageView& kept, const PixelRect& area, int width, int height, const std::vector<std::uint32_t>& removed,
              std::uint32_t* whole) {
    const std::uint32_t* next = removed.data();
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = whole + std::size_t(y) * std::size_t(width);
        if (y < area.top || y >= area.bottom) {
            std::copy(next, next + width, row);
            next += width;
            continue;
        }
        std::copy(next, next + area.left, row);
        next += area.left;
        const std::uint32_t* source = kept.pixels + std::size_t(y - area.top) * std::size_t(kept.width);
        std::copy(source, source + area.Width(), row + area.left);
        std::copy(next, next + (width - area.right), row + area.right);
        next += width - area.right;
    }
}

}  // namespace snapora::editor
