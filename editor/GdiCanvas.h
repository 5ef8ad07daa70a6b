#pragma once
// The editor's shapes drawn with GDI into a 32-bit DIB section, and the
// one routine that draws an edited picture: the window's repaint and the
// flattened picture that leaves the document both come from it, so the
// screen and the file agree pixel for pixel.
#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "editor/logic/Drawing.h"
#include "picture/Picture.h"
#include "win32/Handle.h"

namespace snapora::editor {

class GdiCanvas final : public Canvas {
public:
    // `dc` has the DIB section `bits` (area-sized rows) selected, its
    // origin moved so that picture coordinates draw in place.
    GdiCanvas(HDC dc, std::uint32_t* bits, const PixelRect& area) : dc_(dc), bits_(bits), area_(area) {}

    void Stroke(std::span<const PixelPoint> points, Colour colour, int width) override;
    void Highlight(std::span<const PixelPoint> points, Colour colour, int width) override;
    void FillPolygon(std::span<const PixelPoint> points, Colour colour) override;
    void FrameRect(const PixelRect& rect, Colour colour, int width) override;
    void FrameEllipse(const PixelRect& rect, Colour colour, int width) override;
    void Fill(const PixelRect& rect, Colour colour) override;
    void Text(const PixelRect& box, std::wstring_view text, Colour colour, int size) override;
    void Badge(const PixelRect& disc, int number, Colour colour, int size) override;
    [[nodiscard]] PixelRect Visible() const override { return area_; }

private:
    struct CachedFont {
        int size;
        bool bold;
        win32::UniqueFont font;
    };
    HFONT Font(int size, bool bold);

    HDC dc_;
    std::uint32_t* bits_;
    PixelRect area_;
    std::vector<CachedFont> fonts_;
};

// The text font: the system's message font face at `size` pixels, smoothed
// the same way on the screen, in the file and in the box the user types in.
win32::UniqueFont MakeTextFont(int size, bool bold);

// The text's size in pixels at `size`, as Text draws it.
SIZE MeasureText(std::wstring_view text, int size);

// Draws `area` of the picture with the drawing's shapes and `pending` over
// it into `target`, an area-sized picture made by Picture::CreateBlank.
bool RenderArea(const Picture& picture, const Drawing& drawing, const Shape* pending, const PixelRect& area, Picture& target);

// 0x00RRGGBB as GDI's COLORREF.
constexpr COLORREF ToColorRef(Colour c) { return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

}  // namespace snapora::editor
