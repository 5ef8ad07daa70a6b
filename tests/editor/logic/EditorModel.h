#pragma once
// A picture in memory, a canvas that paints fills into it and shapes made
// as a drag makes them, for the editor's window-free tests and its fuzzer.
#include <cstdint>
#include <memory>
#include <vector>

#include "editor/logic/Drawing.h"
#include "editor/logic/Tools.h"

namespace snapora::editor::testing {

class MemoryPixels final : public PixelStore {
public:
    MemoryPixels(int width, int height, std::uint32_t seed = 1) : width_(width), height_(height), pixels_(std::size_t(width) * height) {
        for (auto& p : pixels_) p = (seed = seed * 1664525u + 1013904223u) >> 8;
    }
    [[nodiscard]] ImageView View() const override { return ImageView{width_, height_, pixels_.data()}; }
    bool Replace(int width, int height, const std::function<void(std::uint32_t*)>& fill) override {
        std::vector<std::uint32_t> next(std::size_t(width) * height);
        fill(next.data());
        pixels_ = std::move(next);
        width_ = width;
        height_ = height;
        return true;
    }
    [[nodiscard]] const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

// Paints the picture, then fills; records the numbers on badges and
// marks every other primitive by the call.
class FillCanvas final : public Canvas {
public:
    FillCanvas(const ImageView& picture, PixelRect visible) : picture_(picture), visible_(visible), pixels_(picture.pixels, picture.pixels + std::size_t(picture.width) * picture.height) {}
    void Stroke(std::span<const PixelPoint>, Colour, int) override { ++strokes; }
    void Highlight(std::span<const PixelPoint>, Colour, int) override { ++strokes; }
    void FillPolygon(std::span<const PixelPoint>, Colour) override { ++strokes; }
    void FrameRect(const PixelRect&, Colour, int) override { ++strokes; }
    void FrameEllipse(const PixelRect&, Colour, int) override { ++strokes; }
    void Text(const PixelRect&, std::wstring_view, Colour, int) override { ++strokes; }
    void Badge(const PixelRect&, int number, Colour, int) override { numbers.push_back(number); }
    void Fill(const PixelRect& rect, Colour colour) override {
        const PixelRect r = Intersect(Intersect(rect, visible_), picture_.Area());
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) pixels_[std::size_t(y) * picture_.width + x] = colour;
        }
    }
    [[nodiscard]] PixelRect Visible() const override { return visible_; }
    [[nodiscard]] std::uint32_t At(int x, int y) const { return pixels_[std::size_t(y) * picture_.width + x]; }

    int strokes = 0;
    std::vector<int> numbers;

private:
    ImageView picture_;
    PixelRect visible_;
    std::vector<std::uint32_t> pixels_;
};

// Everything on `drawing`, painted over its whole picture.
inline FillCanvas Rendered(const Drawing& drawing, const ImageView& picture) {
    FillCanvas canvas(picture, picture.Area());
    drawing.Render(canvas, nullptr);
    return canvas;
}

// A shape of `kind` as a drag from `from` to `to` leaves it.
inline std::unique_ptr<Shape> Dragged(ToolKind kind, PixelPoint from, PixelPoint to, Style style = {}) {
    auto shape = ToolRowOf(kind).start(from, style);
    shape->Extend(to);
    return shape;
}

}  // namespace snapora::editor::testing
