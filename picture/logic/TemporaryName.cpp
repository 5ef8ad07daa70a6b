#include "picture/logic/TemporaryName.h"

#include <algorithm>

namespace snapora {

namespace {

constexpr std::size_t kLongestName = 12;
constexpr std::wstring_view kDigits = L"0123456789abcdefghijklmnopqrstuvwxyz";

// A well-mixed 64-bit step, so that neighbouring seeds give unrelated names.
std::uint64_t Mix(std::uint64_t value) {
    value += 0x9E3779B97F4A7C15ull;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

}  // namespace

std::wstring TemporarySiblingPath(std::wstring_view targetPath, std::uint64_t seed) {
    const std::size_t slash = targetPath.find_last_of(L"\\/");
    const std::size_t nameStart = slash == std::wstring_view::npos ? 0 : slash + 1;
    const std::wstring_view name = targetPath.substr(nameStart);
    if (name.empty()) return {};
    std::wstring temporary(std::min(name.size(), kLongestName), L'~');
    std::uint64_t bits = Mix(seed);
    // The leading "~" marks the file as ours wherever there is room for it.
    for (std::size_t i = temporary.size() > 1 ? 1 : 0; i < temporary.size(); ++i) {
        if (bits < kDigits.size()) bits = Mix(bits + i);
        temporary[i] = kDigits[bits % kDigits.size()];
        bits /= kDigits.size();
    }
    if (temporary == name) temporary.back() = temporary.back() == L'0' ? L'1' : L'0';
    return std::wstring(targetPath.substr(0, nameStart)) + temporary;
}

}  // namespace snapora
