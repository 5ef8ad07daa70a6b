#pragma once
// A picture in memory and a canvas that paints fills into it, for the
// editor's window-free tests and its fuzzer.
#include <cstdint>
#include <vector>

#include "editor/logic/Drawing.h"

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
    FillCanvas(const ImageView& picture, Rect visible) : picture_(picture), visible_(visible), pixels_(picture.pixels, picture.pixels + std::size_t(picture.width) * picture.height) {}
    void Stroke(std::span<const Point>, Colour, int) override { ++strokes; }
    void Highlight(std::span<const Point>, Colour, int) override { ++strokes; }
    void FillPolygon(std::span<const Point>, Colour) override { ++strokes; }
    void FrameRect(const Rect&, Colour, int) override { ++strokes; }
    void FrameEllipse(const Rect&, Colour, int) override { ++strokes; }
    void Text(const Rect&, std::wstring_view, Colour, int) override { ++strokes; }
    void Badge(const Rect&, int number, Colour, int) override { numbers.push_back(number); }
    void Fill(const Rect& rect, Colour colour) override {
        const Rect r = Intersect(Intersect(rect, visible_), picture_.Area());
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) pixels_[std::size_t(y) * picture_.width + x] = colour;
        }
    }
    [[nodiscard]] Rect Visible() const override { return visible_; }
    [[nodiscard]] std::uint32_t At(int x, int y) const { return pixels_[std::size_t(y) * picture_.width + x]; }

    int strokes = 0;
    std::vector<int> numbers;

private:
    ImageView picture_;
    Rect visible_;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace snapora::editor::testing
