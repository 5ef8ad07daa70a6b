#pragma once
// What the status bar says while automatic capture runs. The words come
// from the program's string table; this fills in the numbers.
#include <span>
#include <string>
#include <string_view>

namespace snapora {

// The number of pictures a run holds: every tick that AutomaticRunEnds lets
// through. None for a stopped timer.
int AutomaticRunTotal(double durationSeconds, unsigned periodMs);

// Whole seconds, rounded up, until the run's last picture once `tick`
// ticks have passed; never negative.
long long AutomaticSecondsLeft(int tick, int total, unsigned periodMs);

// `pattern` with each "%1" to "%9" replaced by the value of that number
// (missing values by nothing); any other text stays as it is.
std::wstring FillPlaceholders(std::wstring_view pattern, std::span<const std::wstring> values);

struct AutomaticProgressTexts {
    std::wstring_view progress;           // %1 written, %2 total, %3 the time left
    std::wstring_view minutesAndSeconds;  // %1 minutes, %2 seconds (two digits)
    std::wstring_view secondsOnly;        // %1 seconds
};

std::wstring FormatAutomaticProgress(const AutomaticProgressTexts& texts, int written, int total,
                                     long long secondsLeft);

}  // namespace snapora
