#include "capture/logic/AutomaticProgress.h"

#include <array>
#include <cmath>
#include <limits>

namespace snapora {

int AutomaticRunTotal(double durationSeconds, unsigned periodMs) {
    if (periodMs == 0 || !(durationSeconds > 0)) return 0;
    // The same unrounded quotient that AutomaticRunEnds compares with.
    const double limit = std::floor(durationSeconds * 1000.0 / static_cast<double>(periodMs));
    constexpr double kMost = std::numeric_limits<int>::max();
    return limit >= kMost ? std::numeric_limits<int>::max() : static_cast<int>(limit);
}

long long AutomaticSecondsLeft(int tick, int total, unsigned periodMs) {
    if (tick >= total) return 0;
    const long long ms = static_cast<long long>(total - tick) * periodMs;
    return (ms + 999) / 1000;
}

std::wstring FillPlaceholders(std::wstring_view pattern, std::span<const std::wstring> values) {
    std::wstring text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] >= L'1' && pattern[i + 1] <= L'9') {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - L'1');
            if (index < values.size()) text += values[index];
            ++i;
        } else {
            text.push_back(pattern[i]);
        }
    }
    return text;
}

std::wstring FormatAutomaticProgress(const AutomaticProgressTexts& texts, int written, int total,
                                     long long secondsLeft) {
    if (secondsLeft < 0) secondsLeft = 0;
    // With minutes shown, the seconds take two digits: 2分05秒.
    const long long seconds = secondsLeft % 60;
    const std::array<std::wstring, 2> time{std::to_wstring(secondsLeft / 60),
                                           (seconds < 10 && secondsLeft >= 60 ? L"0" : L"") + std::to_wstring(seconds)};
    const std::wstring left = secondsLeft < 60
                                  ? FillPlaceholders(texts.secondsOnly, std::span(time).subspan(1))
                                  : FillPlaceholders(texts.minutesAndSeconds, time);
    const std::array<std::wstring, 3> values{std::to_wstring(written), std::to_wstring(total), left};
    return FillPlaceholders(texts.progress, values);
}

}  // namespace snapora
