#include "editor/logic/TextShapes.h"

#include <algorithm>

namespace snapora::editor {

PixelRect TextShape::Bounds() const { return PixelRect{origin_.x, origin_.y, origin_.x + extent_.x, origin_.y + extent_.y}; }

void TextShape::Draw(Canvas& canvas, const DrawContext&) const { canvas.Text(Bounds(), text_, style_.colour, style_.textSize); }

bool TextShape::SameAs(const Shape& other) const {
    const auto* same = dynamic_cast<const TextShape*>(&other);
    return same && SameStyle(other) && same->origin_ == origin_ && same->text_ == text_ && same->extent_ == extent_;
}

void TextShape::SetText(std::wstring text, int width, int height) {
    text_ = std::move(text);
    text_.shrink_to_fit();
    // An empty text covers nothing, so it never becomes an object.
    extent_ = text_.empty() ? PixelPoint{} : PixelPoint{std::max(width, 1), std::max(height, 1)};
}

PixelRect NumberShape::Disc() const noexcept {
    const int radius = std::max(10, style_.textSize * 3 / 4);
    return PixelRect{centre_.x - radius, centre_.y - radius, centre_.x + radius + 1, centre_.y + radius + 1};
}

void NumberShape::Draw(Canvas& canvas, const DrawContext& context) const {
    canvas.Badge(Disc(), context.number, style_.colour, style_.textSize);
}

bool NumberShape::SameAs(const Shape& other) const {
    const auto* same = dynamic_cast<const NumberShape*>(&other);
    return same && SameStyle(other) && same->centre_ == centre_;
}

}  // namespace snapora::editor
