#include "output/logic/PictureProperties.h"

namespace snapora {
namespace {

constexpr std::int64_t kHimetricPerInch = 2540;

// numerator / denominator rounded to nearest, ties to even; denominator > 0.
std::int64_t DivideRoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
    const bool negative = numerator < 0;
    const std::int64_t n = negative ? -numerator : numerator;
    std::int64_t quotient = n / denominator;
    const std::int64_t twiceRemainder = (n % denominator) * 2;
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0)) ++quotient;
    return negative ? -quotient : quotient;
}

}  // namespace

std::int64_t PixelsToHimetric(std::int64_t pixels, int dpi) {
    if (dpi <= 0) return 0;
    return DivideRoundHalfEven(pixels * kHimetricPerInch, dpi);
}

std::int64_t HimetricToPixels(std::int64_t himetric, int dpi) {
    if (dpi <= 0) return 0;
    return DivideRoundHalfEven(himetric * dpi, kHimetricPerInch);
}

std::wstring PropertiesMessage(const std::wstring& caption, std::int64_t width, std::int64_t height) {
    std::wstring text = caption;
    text += L"\uFF1A";
    text += L"\r\n";
    text += L"宽度=";
    text += std::to_wstring(width);
    text += L"  高度=";
    text += std::to_wstring(height);
    text += L"（像素）";
    return text;
}

}  // namespace snapora
