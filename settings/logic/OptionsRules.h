#pragma once
// What the options dialog accepts, in what order it complains, and how it
// shows the current values. No windows here, so all of it is unit-tested.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "frame/logic/CaptureSettings.h"

namespace snapora {

// The number a field holds: blanks at either end, an optional sign, digits
// with at most one decimal point ("." only). Exponents, thousands
// separators and anything else make the text not a number, so the test for
// "is numeric" and the value read can never disagree.
std::optional<double> ParseFieldNumber(std::wstring_view text);

// low < value < high with both bounds exclusive, compared as single
// precision like the stored settings.
bool InRange(double value, double low, double high);

bool IsWholeNumber(double value);

// The longest file-name prefix and folder name taken, so the pictures'
// paths stay within what the system accepts.
inline constexpr std::size_t kMaxNameLength = 100;

// A name that makes exactly one folder directly below another folder.
bool IsValidFolderName(std::wstring_view name);

// Up to kMaxNameLength, and every picture it names stays inside the chosen
// folder and is a file of its own: no ".." step (nor one the system reads
// as "..", such as ".. " or "..."), no leading "\" or "/", no ":" (a drive,
// or a stream of another file), and no NUL, control character or any of
// *?<>|" that no file name holds. A prefix such as "day1\shot" names a
// sub-folder inside the folder and is fine.
bool IsValidPrefix(std::wstring_view prefix);

// The duration field holds minutes and the settings keep seconds in single
// precision; these two are the only way between them, so the minutes shown
// always read back as the very seconds they came from.
float DurationSeconds(double minutes);
// The shortest decimal of minutes that DurationSeconds turns back into
// exactly `seconds`.
std::wstring FormatDurationMinutes(float seconds);

// Shortest plain decimal that reads back as the same value: 10, 2.5, 0.5.
std::wstring FormatFieldNumber(double value);
std::wstring FormatFieldNumber(float value);

// The six text fields of the dialog.
struct OptionsTexts {
    std::wstring prefix;
    std::wstring interval;  // seconds
    std::wstring duration;  // minutes
    std::wstring folder;
    std::wstring height;
    std::wstring width;
};

enum class OptionsField { Duration, Interval, Folder, Prefix, Height, Width };

struct OptionsProblem {
    OptionsField field;
    int page;  // 1: automatic capture, 2: pointer-area capture
    std::wstring_view message;
};

struct OptionsValues {
    std::wstring automaticPrefix;
    unsigned intervalMs = 0;
    float automaticDuration = 0;  // seconds
    std::wstring automaticFolder;
    double pointerAreaHeight = 0;
    float pointerAreaWidth = 0;
    PictureFormat automaticFormat = PictureFormat::Bmp;
};

// The texts a fresh dialog shows for these settings and this timer period.
OptionsTexts TextsFromSettings(const CaptureSettings& settings, unsigned intervalMs);

// Whether one field's text passes that field's own check.
bool FieldPasses(OptionsField field, std::wstring_view text);

// The first check that fails, in the order duration, interval, folder,
// prefix, height, width; nothing when all pass.
std::optional<OptionsProblem> FindOptionsProblem(const OptionsTexts& texts);

// The values to apply. Only call it when FindOptionsProblem found nothing.
OptionsValues ValuesFromTexts(const OptionsTexts& texts);

// Writes everything but the interval, which belongs to the timer. The
// format is not a text: the dialog sets it in `values` from its list.
void ApplyValues(const OptionsValues& values, CaptureSettings& settings);

}  // namespace snapora
