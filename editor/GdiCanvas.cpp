#include "editor/GdiCanvas.h"

#include <algorithm>
#include <string>
#include <vector>

#include "win32/Handle.h"

namespace snapora::editor {

namespace {

win32::UniquePen MakePen(Colour colour, int width) {
    LOGBRUSH brush{BS_SOLID, ToColorRef(colour), 0};
    return win32::UniquePen(::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                                           static_cast<DWORD>(width), &brush, 0, nullptr));
}


// The line's runs of segments that reach `reach`; the rest is left out, so
// that painting a small area of a long freehand line costs what that area
// holds, not the whole line.
void DrawLines(HDC dc, std::span<const PixelPoint> points, Colour colour, int width, const PixelRect& reach) {
    win32::UniquePen pen = MakePen(colour, width);
    if (!pen) return;
    win32::ScopedSelect selectPen(dc, pen.get());
    if (points.size() == 1) {
        // A click without a drag: a dot as wide as the line.
        win32::UniqueBrush brush(::CreateSolidBrush(ToColorRef(colour)));
        win32::ScopedSelect selectBrush(dc, brush.get());
        const int r = width / 2;
        ::Ellipse(dc, points[0].x - r, points[0].y - r, points[0].x + r + 1, points[0].y + r + 1);
        return;
    }
    const PixelRect reached = Inflate(reach, width / 2 + 2);
    std::vector<POINT> run;
    const auto flush = [&] {
        if (run.size() >= 2) ::Polyline(dc, run.data(), static_cast<int>(run.size()));
        run.clear();
    };
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (Intersect(SpanOf(points[i - 1], points[i]), reached).Empty()) {
            flush();
            continue;
        }
        if (run.empty()) run.push_back(POINT{points[i - 1].x, points[i - 1].y});
        run.push_back(POINT{points[i].x, points[i].y});
    }
    flush();
}

}  // namespace

win32::UniqueFont MakeTextFont(int size, bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW font{};
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) font = metrics.lfMessageFont;
    font.lfHeight = -size;
    font.lfWidth = 0;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfQuality = ANTIALIASED_QUALITY;
    return win32::UniqueFont(::CreateFontIndirectW(&font));
}

void GdiCanvas::Stroke(std::span<const PixelPoint> points, Colour colour, int width) {
    DrawLines(dc_, points, colour, width, area_);
}

void GdiCanvas::Highlight(std::span<const PixelPoint> points, Colour colour, int width) {
    // The line is drawn white on black into a mask of the visible part, and
    // every pixel it covers is multiplied by the colour: a marker darkens
    // what is below it and never hides it.
    const PixelRect part = Intersect(BoundsOf(points, width / 2 + 1), area_);
    if (part.Empty()) return;
    Picture mask = Picture::CreateBlank(part.Width(), part.Height());
    win32::UniqueMemoryDc maskDc(::CreateCompatibleDC(dc_));
    if (mask.Empty() || !maskDc) return;
    {
        win32::ScopedSelect select(maskDc.get(), mask.Bitmap());
        ::SetViewportOrgEx(maskDc.get(), -part.left, -part.top, nullptr);
        DrawLines(maskDc.get(), points, 0xFFFFFF, width, part);
    }
    const std::uint32_t* covered = mask.MutablePixels();
    ::GdiFlush();
    const int stride = area_.Width();
    for (int y = part.top; y < part.bottom; ++y) {
        for (int x = part.left; x < part.right; ++x) {
            if ((covered[std::size_t(y - part.top) * part.Width() + (x - part.left)] & 0xFF) == 0) continue;
            std::uint32_t& p = bits_[std::size_t(y - area_.top) * stride + (x - area_.left)];
            const auto mix = [&](int shift) { return ((((p >> shift) & 0xFF) * ((colour >> shift) & 0xFF) + 127) / 255) << shift; };
            p = mix(16) | mix(8) | mix(0);
        }
    }
}

void GdiCanvas::FillPolygon(std::span<const PixelPoint> points, Colour colour) {
    std::vector<POINT> gdi(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) gdi[i] = POINT{points[i].x, points[i].y};
    win32::UniqueBrush brush(::CreateSolidBrush(ToColorRef(colour)));
    win32::UniquePen pen(::CreatePen(PS_SOLID, 1, ToColorRef(colour)));
    win32::ScopedSelect selectBrush(dc_, brush.get());
    win32::ScopedSelect selectPen(dc_, pen.get());
    ::Polygon(dc_, gdi.data(), static_cast<int>(gdi.size()));
}

void GdiCanvas::FrameRect(const PixelRect& rect, Colour colour, int width) {
    win32::UniquePen pen(::CreatePen(PS_SOLID, width, ToColorRef(colour)));
    win32::ScopedSelect selectPen(dc_, pen.get());
    win32::ScopedSelect selectBrush(dc_, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void GdiCanvas::FrameEllipse(const PixelRect& rect, Colour colour, int width) {
    win32::UniquePen pen(::CreatePen(PS_SOLID, width, ToColorRef(colour)));
    win32::ScopedSelect selectPen(dc_, pen.get());
    win32::ScopedSelect selectBrush(dc_, ::GetStockObject(NULL_BRUSH));
    ::Ellipse(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void GdiCanvas::Fill(const PixelRect& rect, Colour colour) {
    // Straight into the pixels: a mosaic is hundreds of fills, and a brush
    // and a call into GDI for each made it the slowest shape to paint.
    const PixelRect part = Intersect(rect, area_);
    if (part.Empty()) return;
    ::GdiFlush();
    const int stride = area_.Width();
    for (int y = part.top; y < part.bottom; ++y) {
        std::uint32_t* row = bits_ + std::size_t(y - area_.top) * stride + (part.left - area_.left);
        std::fill(row, row + part.Width(), colour & 0xFFFFFF);
    }
}

HFONT GdiCanvas::Font(int size, bool bold) {
    // Made once per size for the whole paint: a font is dear to make.
    for (const CachedFont& cached : fonts_) {
        if (cached.size == size && cached.bold == bold) return cached.font.get();
    }
    fonts_.push_back(CachedFont{size, bold, MakeTextFont(size, bold)});
    return fonts_.back().font.get();
}

void GdiCanvas::Text(const PixelRect& box, std::wstring_view text, Colour colour, int size) {
    win32::ScopedSelect selectFont(dc_, Font(size, false));
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextColor(dc_, ToColorRef(colour));
    RECT gdi{box.left, box.top, box.right, box.bottom};
    ::DrawTextW(dc_, text.data(), static_cast<int>(text.size()), &gdi, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_NOCLIP | DT_EXPANDTABS);
}

void GdiCanvas::Badge(const PixelRect& disc, int number, Colour colour, int size) {
    win32::UniqueBrush brush(::CreateSolidBrush(ToColorRef(colour)));
    win32::UniquePen pen(::CreatePen(PS_SOLID, 1, ToColorRef(colour)));
    {
        win32::ScopedSelect selectBrush(dc_, brush.get());
        win32::ScopedSelect selectPen(dc_, pen.get());
        ::Ellipse(dc_, disc.left, disc.top, disc.right, disc.bottom);
    }
    const std::wstring label = std::to_wstring(number);
    win32::ScopedSelect selectFont(dc_, Font(size, true));
    ::SetBkMode(dc_, TRANSPARENT);
    // White on a dark disc, black on a light one.
    const int light = int((colour >> 16) & 0xFF) * 3 + int((colour >> 8) & 0xFF) * 6 + int(colour & 0xFF);
    ::SetTextColor(dc_, light > 1600 ? RGB(0, 0, 0) : RGB(255, 255, 255));
    RECT gdi{disc.left, disc.top, disc.right, disc.bottom};
    ::DrawTextW(dc_, label.c_str(), static_cast<int>(label.size()), &gdi, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

SIZE MeasureText(std::wstring_view text, int size) {
    win32::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    win32::UniqueFont font = MakeTextFont(size, false);
    if (!dc || !font) return SIZE{};
    win32::ScopedSelect selectFont(dc.get(), font.get());
    RECT box{0, 0, 0, 0};
    ::DrawTextW(dc.get(), text.data(), static_cast<int>(text.size()), &box, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_CALCRECT | DT_EXPANDTABS);
    // Smoothed glyphs may reach a pixel past the advance.
    return SIZE{box.right + 2, box.bottom};
}

bool RenderArea(const Picture& picture, const Drawing& drawing, const Shape* pending, const PixelRect& area, Picture& target) {
    std::uint32_t* bits = target.MutablePixels();
    win32::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    win32::UniqueMemoryDc source(::CreateCompatibleDC(nullptr));
    if (!bits || !dc || !source) return false;
    win32::ScopedSelect select(dc.get(), target.Bitmap());
    ::SetViewportOrgEx(dc.get(), -area.left, -area.top, nullptr);
    {
        win32::ScopedSelect selectSource(source.get(), picture.Bitmap());
        const RECT all{area.left, area.top, area.right, area.bottom};
        ::FillRect(dc.get(), &all, ::GetSysColorBrush(COLOR_BTNFACE));
        ::BitBlt(dc.get(), area.left, area.top, area.Width(), area.Height(), source.get(), area.left, area.top, SRCCOPY);
    }
    ::GdiFlush();
    GdiCanvas canvas(dc.get(), bits, area);
    drawing.Render(canvas, pending);
    ::GdiFlush();
    return true;
}

}  // namespace snapora::editor
