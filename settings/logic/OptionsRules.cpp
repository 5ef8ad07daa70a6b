#include "settings/logic/OptionsRules.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace snapora {

namespace {

constexpr std::wstring_view kDurationMessage = L"持续时间应设为正数，且以控制在一个小时之内为宜！";
constexpr std::wstring_view kIntervalMessage = L"时间间隔应设1~60之间的正整数！";
constexpr std::wstring_view kFolderMessage = L"目录名称不合法！";
constexpr std::wstring_view kPrefixMessage = L"截图名称前缀不合法！";
constexpr std::wstring_view kHeightMessage = L"截图高度应设60~480之间的正整数！";
constexpr std::wstring_view kWidthMessage = L"截图宽度应设80~640之间的正整数！";

constexpr std::wstring_view kForbiddenFolderCharacters = L"/\\:*?<>|\"";
// A prefix may name sub-folders, so it keeps the separators; ':' is
// checked on its own.
constexpr std::wstring_view kForbiddenPrefixCharacters = L"*?<>|\"";

bool IsControl(wchar_t c) { return c < 0x20 || c == 0x7F; }

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view TrimBlanks(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

wchar_t AsciiUpper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

// CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 name devices, not files,
// whatever extension follows them; so do COM and LPT with a superscript
// one, two or three.
bool IsDeviceName(std::wstring_view name) {
    std::wstring_view base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.remove_suffix(1);
    std::wstring upper;
    for (wchar_t c : base) upper.push_back(AsciiUpper(c));
    for (std::wstring_view device : {L"CON", L"PRN", L"AUX", L"NUL"}) {
        if (upper == device) return true;
    }
    if (upper.size() == 4 && (upper.compare(0, 3, L"COM") == 0 || upper.compare(0, 3, L"LPT") == 0)) {
        const wchar_t digit = upper[3];
        return (digit >= L'1' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3';
    }
    return false;
}

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "..", and what the system trims to it: dots and blanks with two dots.
bool IsParentStep(std::wstring_view step) {
    if (step.find_first_not_of(L". ") != std::wstring_view::npos) return false;
    return step.find(L'.') != step.rfind(L'.');
}

template <class Number>
std::wstring FormatShortest(Number value) {
    std::array<char, 128> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc{}) return L"0";
    return std::wstring(buffer.data(), result.ptr);
}

}  // namespace

std::optional<double> ParseFieldNumber(std::wstring_view text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan"; a field number starts
    // with a digit or the decimal point.
    if (text.empty() || !(IsDigit(text.front()) || text.front() == L'.')) return std::nullopt;
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text) {
        if (!IsDigit(c) && c != L'.') return std::nullopt;
        narrow.push_back(static_cast<char>(c));
    }
    double value = 0;
    const char* end = narrow.data() + narrow.size();
    const auto result = std::from_chars(narrow.data(), end, value, std::chars_format::fixed);
    if (result.ec != std::errc{} || result.ptr != end) return std::nullopt;
    return negative ? -value : value;
}

bool InRange(double value, double low, double high) {
    const auto v = static_cast<float>(value);
    return static_cast<float>(low) < v && v < static_cast<float>(high);
}

bool IsWholeNumber(double value) { return std::isfinite(value) && value == std::round(value); }

bool IsValidFolderName(std::wstring_view name) {
    for (wchar_t c : name) {
        if (IsControl(c) || kForbiddenFolderCharacters.find(c) != std::wstring_view::npos) return false;
    }
    if (TrimBlanks(name).empty() || name.size() > kMaxNameLength) return false;
    // Windows drops a trailing dot or blank, so such a name would land in
    // another folder than the one typed; "." and ".." are not below at all.
    if (name.back() == L'.' || name.back() == L' ') return false;
    return !IsDeviceName(name);
}

bool IsValidPrefix(std::wstring_view prefix) {
    if (prefix.size() > kMaxNameLength || prefix.find(L':') != std::wstring_view::npos) return false;
    if (!prefix.empty() && IsSeparator(prefix.front())) return false;
    // A NUL would cut the file name short, and the others no file name holds.
    for (wchar_t c : prefix) {
        if (IsControl(c) || kForbiddenPrefixCharacters.find(c) != std::wstring_view::npos) return false;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i <= prefix.size(); ++i) {
        if (i < prefix.size() && !IsSeparator(prefix[i])) continue;
        if (IsParentStep(prefix.substr(start, i - start))) return false;
        start = i + 1;
    }
    return true;
}

float DurationSeconds(double minutes) { return static_cast<float>(minutes * 60.0); }

std::wstring FormatDurationMinutes(float seconds) {
    // Fewest decimals first; the 17 significant digits a double needs
    // always read back, so the search ends.
    const double minutes = static_cast<double>(seconds) / 60.0;
    std::array<char, 128> buffer{};
    for (int decimals = 0; decimals < 80; ++decimals) {
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), minutes,
                                          std::chars_format::fixed, decimals);
        if (result.ec != std::errc{}) break;
        std::wstring text(buffer.data(), result.ptr);
        if (DurationSeconds(ParseFieldNumber(text).value_or(0)) == seconds) return text;
    }
    return FormatFieldNumber(minutes);
}

std::wstring FormatFieldNumber(double value) { return FormatShortest(value); }
std::wstring FormatFieldNumber(float value) { return FormatShortest(value); }

OptionsTexts TextsFromSettings(const CaptureSettings& settings, unsigned intervalMs) {
    OptionsTexts texts;
    texts.prefix = settings.automaticPrefix;
    texts.interval = FormatFieldNumber(static_cast<double>(intervalMs) / 1000.0);
    texts.duration = FormatDurationMinutes(settings.automaticDuration);
    texts.folder = settings.automaticFolder;
    texts.height = FormatFieldNumber(settings.pointerAreaHeight);
    texts.width = FormatFieldNumber(settings.pointerAreaWidth);
    return texts;
}

bool FieldPasses(OptionsField field, std::wstring_view text) {
    if (field == OptionsField::Folder) return IsValidFolderName(text);
    if (field == OptionsField::Prefix) return IsValidPrefix(text);
    const auto value = ParseFieldNumber(text);
    if (!value) return false;
    switch (field) {
        case OptionsField::Duration:
            // Fractions of a minute are allowed. Judged as the seconds kept,
            // so a value just below 61 that is kept as 61 minutes is refused
            // here rather than at the next start.
            return InRange(DurationSeconds(*value), 0, 61 * 60);
        case OptionsField::Interval:
            return IsWholeNumber(*value) && InRange(*value, 0, 61);
        case OptionsField::Height:
            return IsWholeNumber(*value) && InRange(*value, 59, 481);
        case OptionsField::Width:
            return IsWholeNumber(*value) && InRange(*value, 79, 641);
        case OptionsField::Folder:
        case OptionsField::Prefix:
            break;
    }
    return false;
}

std::optional<OptionsProblem> FindOptionsProblem(const OptionsTexts& texts) {
    const std::array<OptionsProblem, 6> checks{{
        {OptionsField::Duration, 1, kDurationMessage},
        {OptionsField::Interval, 1, kIntervalMessage},
        {OptionsField::Folder, 1, kFolderMessage},
        {OptionsField::Prefix, 1, kPrefixMessage},
        {OptionsField::Height, 2, kHeightMessage},
        {OptionsField::Width, 2, kWidthMessage},
    }};
    const std::array<const std::wstring*, 6> fields{&texts.duration, &texts.interval, &texts.folder, &texts.prefix,
                                                    &texts.height,   &texts.width};
    for (std::size_t i = 0; i < checks.size(); ++i) {
        if (!FieldPasses(checks[i].field, *fields[i])) return checks[i];
    }
    return std::nullopt;
}

OptionsValues ValuesFromTexts(const OptionsTexts& texts) {
    OptionsValues values;
    values.automaticPrefix = texts.prefix;
    values.intervalMs = static_cast<unsigned>(std::lround(ParseFieldNumber(texts.interval).value_or(0) * 1000.0));
    values.automaticDuration = DurationSeconds(ParseFieldNumber(texts.duration).value_or(0));
    values.automaticFolder = texts.folder;
    values.pointerAreaHeight = ParseFieldNumber(texts.height).value_or(0);
    values.pointerAreaWidth = static_cast<float>(ParseFieldNumber(texts.width).value_or(0));
    return values;
}

void ApplyValues(const OptionsValues& values, CaptureSettings& settings) {
    settings.automaticPrefix = values.automaticPrefix;
    settings.automaticDuration = values.automaticDuration;
    settings.automaticFolder = values.automaticFolder;
    settings.pointerAreaHeight = values.pointerAreaHeight;
    settings.pointerAreaWidth = values.pointerAreaWidth;
    settings.automaticFormat = values.automaticFormat;
}

}  // namespace snapora
