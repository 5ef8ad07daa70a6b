#pragma once
// The picture's size as the properties command reports it.
#include <cstdint>
#include <string>

namespace snapora {

// A picture keeps its size in HIMETRIC (0.01 mm), derived from its pixels
// at the screen's DPI; reported sizes come back through the same DPI.
std::int64_t PixelsToHimetric(std::int64_t pixels, int dpi);
// Rounds to the nearest pixel, a half to the even neighbour. Not limited to
// 16 bits: a wide picture is reported with its true size.
std::int64_t HimetricToPixels(std::int64_t himetric, int dpi);

// "<caption>：\r\n宽度=<width>  高度=<height>（像素）"
std::wstring PropertiesMessage(const std::wstring& caption, std::int64_t width, std::int64_t height);

}  // namespace snapora
