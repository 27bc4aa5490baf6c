// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/Util.h"

#include "engine/text/Cp932.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>

namespace mitoran {
namespace {

struct WideForm {
    unsigned code;
    char ascii;
};

// Full-width signs that fold to ASCII; digits and letters are folded by range in FoldWideChar.
constexpr std::array<WideForm, 36> kWideForms{{
    {0x8140, ' '},  {0x8143, ','},  {0x8144, '.'}, {0x8146, ':'}, {0x8147, ';'}, {0x8148, '?'},
    {0x8149, '!'},  {0x814F, '^'},  {0x815E, '/'}, {0x8160, '~'}, {0x8162, '|'}, {0x8165, '\''},
    {0x8166, '\''}, {0x818C, '\''}, {0x8167, '"'}, {0x8168, '"'}, {0x818D, '"'}, {0x8169, '('},
    {0x816A, ')'},  {0x816D, '['},  {0x816E, ']'}, {0x816F, '{'}, {0x8170, '}'}, {0x817B, '+'},
    {0x817C, '-'},  {0x8181, '='},  {0x81AC, '='}, {0x8183, '<'}, {0x8184, '>'}, {0x818F, '\\'},
    {0x8190, '$'},  {0x8193, '%'},  {0x8194, '#'}, {0x8195, '&'}, {0x8196, '*'}, {0x8197, '@'},
}};

// The ASCII character for a double-byte code, or 0 when it stays as it is.
char FoldWideChar(unsigned code) {
    if (code >= 0x824F && code <= 0x8258) {
        return static_cast<char>('0' + (code - 0x824F));
    }
    if (code >= 0x8260 && code <= 0x8279) {
        return static_cast<char>('A' + (code - 0x8260));
    }
    if (code >= 0x8281 && code <= 0x829A) {
        return static_cast<char>('A' + (code - 0x8281));
    }
    const auto* form =
        std::find_if(kWideForms.begin(), kWideForms.end(), [code](const WideForm& f) { return f.code == code; });
    return form != kWideForms.end() ? form->ascii : '\0';
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string_view TrimView(std::string_view text) {
    while (!text.empty() && IsBlankOrControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlankOrControl(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Working room for the text functions: time and number texts are short and fit on the stack, so the
// month calculation reads and writes them without touching the heap; longer text goes to the heap.
class Scratch {
public:
    explicit Scratch(std::size_t size) {
        if (size > m_local.size()) {
            m_heap.resize(size);
        }
    }
    char* Data() { return m_heap.empty() ? m_local.data() : m_heap.data(); }

private:
    std::array<char, 64> m_local;
    std::string m_heap;
};

// NormalizeWidth written to out, which has room for text.size() bytes: folding never lengthens text.
std::string_view FoldWidthInto(std::string_view text, char* out) {
    std::size_t size = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (CharLength(text, i) == 2) {
            const char ascii = FoldWideChar(byte << 8 | static_cast<unsigned char>(text[i + 1]));
            if (ascii != '\0') {
                out[size++] = ascii;
            } else {
                out[size++] = text[i];
                out[size++] = text[i + 1];
            }
            i += 2;
        } else {
            out[size++] = byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : text[i];
            ++i;
        }
    }
    return {out, size};
}

// Writes the last out.size() decimal digits of number right-aligned in out, pad in front.
void WriteDigits(std::span<char> out, unsigned long long number, char pad) {
    for (auto place = out.rbegin(); place != out.rend(); ++place) {
        *place = number > 0 || place == out.rbegin() ? static_cast<char>('0' + number % 10) : pad;
        number /= 10;
    }
}

std::optional<int> DecimalValue(std::string_view text) {
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-')) {
            return std::nullopt;
        }
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Up to eight hex digits, read as 32 bits so that "$80000005" gives the negative value colours need.
std::optional<int> HexValue(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc{} || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

long long AbsIntDef(std::string_view text) {
    return std::llabs(static_cast<long long>(TextToIntDef(text, 0)));
}

// Minutes from hours and minutes that may come from absurd text, saturated to the program's range.
int ClampMinutes(long long minutes) {
    return static_cast<int>(std::clamp<long long>(minutes, -kMaxTimeMinutes, kMaxTimeMinutes));
}

// Decimal hours of the parts of a time text, saturated like the minutes of TimeTextToMinutes.
double SaturatedHours(std::string_view hours, std::string_view minutes) {
    const double value = static_cast<double>(AbsIntDef(hours)) + static_cast<double>(AbsIntDef(minutes)) / 60.0;
    return std::min(value, kMaxTimeMinutes / 60.0);
}

bool HasMinus(std::string_view text) {
    return text.find('-') != std::string_view::npos;
}

// The value of a short run of ASCII digits; none when another character is among them.
std::optional<int> DigitsValue(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// Up to nine ASCII digits, perhaps after a minus: the common case of TextToIntDef, read without folding
// the text first. Nine digits always fit an int.
std::optional<int> PlainInteger(std::string_view trimmed) {
    const bool negative = trimmed.starts_with('-');
    const std::string_view digits = trimmed.substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > 9) {
        return std::nullopt;
    }
    const auto value = DigitsValue(digits);
    if (!value) {
        return std::nullopt;
    }
    return negative ? -*value : *value;
}

// Reads blank text and the form the program itself writes (" 8:05", "-1:30", "123:45") directly. The
// general reading gives the same minutes for these, but folds, copies and splits the text to get there.
std::optional<int> PlainTimeMinutes(std::string_view trimmed) {
    if (trimmed.empty()) {
        return 0;
    }
    const bool negative = trimmed.starts_with('-');
    const std::string_view time = trimmed.substr(negative ? 1 : 0);
    const auto colon = time.find(':');
    if (colon == 0 || colon > 4 || time.size() - colon < 2 || time.size() - colon > 3) {
        return std::nullopt;
    }
    const auto hours = DigitsValue(time.substr(0, colon));
    const auto minutes = DigitsValue(time.substr(colon + 1));
    if (!hours || !minutes) {
        return std::nullopt;
    }
    const int value = ClampMinutes(*hours * 60LL + *minutes);
    return negative ? -value : value;
}

struct TimeParts {
    std::string_view hours;
    std::string_view minutes;
};

// Splits at the first ":"; text without a colon is all hours.
TimeParts SplitAtColon(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        return {text, {}};
    }
    return {text.substr(0, colon), text.substr(colon + 1)};
}

long long RoundToStep(long long minutes, long long step, int mode) {
    const long long below = minutes - minutes % step;
    if (below == minutes) {
        return minutes;
    }
    const long long above = below + step;
    switch (mode) {
    case kRoundDown:
        return below;
    case kRoundUp:
        return above;
    default:
        return minutes - below < above - minutes ? below : above;
    }
}

// Rounds the minutes of the hour of a time's size to the unit; for a negative time down and up swap, so
// that each keeps its meaning for the value. Modes outside 0..3 and units below 1 leave the time as it is.
int RoundTimeSize(long long hours, long long minutesOfHour, bool negative, int mode, int unit) {
    if (mode < kRoundNone || mode > kRoundUp) {
        mode = kRoundNone;
    }
    if (negative && mode != kRoundNone && mode != kRoundNearest) {
        mode = kRoundDown + kRoundUp - mode;
    }
    const long long step = mode == kRoundNone || unit < 1 ? 1 : unit;
    const int size = ClampMinutes(hours * 60 + RoundToStep(minutesOfHour, step, mode));
    return negative ? -size : size;
}

// Rounds half away from zero as the value reads in decimal: the scaled value is first taken to 15
// significant digits, so 0.15 or 2.675 round up although their binary forms lie just below.
double RoundToDecimals(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 1e15) {
        return value;
    }
    std::array<char, 32> buffer{};
    const auto written =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), scaled, std::chars_format::general, 15);
    double decimal = scaled;
    std::from_chars(buffer.data(), written.ptr, decimal);
    return std::round(decimal) / scale;
}

// The value in units of its last decimal when that is a whole or half number below 10^14, as day counts
// (31.0, 15.5) are. Such a number holds all its digits exactly, so rounding it half away from zero gives
// the digits that RoundToDecimals and std::to_chars would write, without the slow decimal formatting.
// 10^22 is the largest power of ten that a double holds exactly.
std::optional<long long> ExactDecimalSteps(double value, int decimals) {
    if (decimals > 22) {
        return std::nullopt;
    }
    const double scaled = value * std::pow(10.0, decimals);
    if (!(std::fabs(scaled) < 1e14) || scaled * 2 != std::trunc(scaled * 2)) {
        return std::nullopt;
    }
    return static_cast<long long>(std::round(scaled));
}

// Steps of the last decimal in fixed notation: their digits with the point before the last decimals.
std::string StepsText(long long steps, int decimals) {
    std::string text = std::to_string(std::llabs(steps));
    const auto places = static_cast<std::size_t>(decimals);
    if (text.size() <= places) {
        text.insert(0, places + 1 - text.size(), '0');
    }
    if (places > 0) {
        text.insert(text.size() - places, 1, '.');
    }
    if (steps < 0) {
        text.insert(0, 1, '-');
    }
    return text;
}

// Empty only when std::to_chars fails.
std::string FixedText(double value, int decimals) {
    // Room for the 309 integer digits of the largest double, the sign, the point and the decimals.
    std::array<char, 400> buffer;
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                            RoundToDecimals(value, decimals), std::chars_format::fixed, decimals);
    if (error != std::errc{}) {
        return {};
    }
    std::string text(buffer.data(), end);
    if (text.starts_with('-') && text.find_first_of("123456789") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::optional<double> ParseReal(std::string_view text) {
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-')) {
            return std::nullopt;
        }
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string TrimText(std::string_view text) {
    return std::string(TrimView(text));
}

std::string TrimLeftText(std::string_view text) {
    return std::string(std::find_if_not(text.begin(), text.end(), IsBlankOrControl), text.end());
}

std::string NormalizeWidth(std::string_view text) {
    std::string result(text.size(), '\0');
    result.resize(FoldWidthInto(text, result.data()).size());
    return result;
}

int TextToIntDef(std::string_view text, int defaultValue) {
    const std::string_view trimmed = TrimView(text);
    if (const auto plain = PlainInteger(trimmed)) {
        return *plain;
    }
    Scratch scratch(trimmed.size());
    std::string_view number = FoldWidthInto(trimmed, scratch.Data());
    number.remove_prefix(std::min(number.find_first_not_of(' '), number.size()));
    const auto value = number.starts_with('$') ? HexValue(number.substr(1)) : DecimalValue(number);
    return value.value_or(defaultValue);
}

int TimeTextToMinutes(std::string_view text) {
    const std::string_view trimmed = TrimView(text);
    if (const auto plain = PlainTimeMinutes(trimmed)) {
        return *plain;
    }
    Scratch scratch(2 * trimmed.size());
    const std::string_view normal = FoldWidthInto(trimmed, scratch.Data());
    // The text without minus signs, a point read as a colon, written after the normal form.
    char* const work = scratch.Data() + normal.size();
    std::size_t size = 0;
    for (const char c : normal) {
        if (c != '-') {
            work[size++] = c == '.' ? ':' : c;
        }
    }
    const std::string_view digits(work, size);
    long long hours = 0;
    long long minutes = 0;
    if (const auto colon = digits.find(':'); colon != std::string_view::npos) {
        hours = AbsIntDef(digits.substr(0, colon));
        minutes = AbsIntDef(digits.substr(colon + 1, 2));
    } else if (digits.size() < 3) {
        hours = AbsIntDef(digits);
    } else {
        hours = AbsIntDef(digits.substr(0, digits.size() - 2));
        minutes = AbsIntDef(digits.substr(digits.size() - 2));
    }
    const int value = ClampMinutes(hours * 60 + minutes);
    return HasMinus(normal) ? -value : value;
}

std::string MinutesToTimeText(int minutes, int hourWidth, bool showZero) {
    const long long size = std::llabs(static_cast<long long>(minutes));
    if (!showZero && size == 0) {
        return {};
    }
    const std::size_t width = hourWidth > 0 ? static_cast<std::size_t>(hourWidth) : 0;
    std::string text(width + 3, ' ');
    text[width] = ':';
    WriteDigits({text.data(), width}, static_cast<unsigned long long>(size / 60), ' ');
    WriteDigits({text.data() + width + 1, 2}, static_cast<unsigned long long>(size % 60), '0');
    if (minutes < 0) {
        if (const auto blank = text.rfind(' '); blank != std::string::npos) {
            text[blank] = '-';
        }
    }
    return text;
}

std::string NormalTimeText(std::string_view text) {
    return MinutesToTimeText(TimeTextToMinutes(text), 2, true);
}

std::string RoundTimeText(std::string_view text, int mode, int unit) {
    const TimeParts parts = SplitAtColon(text);
    const int rounded =
        RoundTimeSize(AbsIntDef(parts.hours), AbsIntDef(parts.minutes), TimeTextToMinutes(text) < 0, mode, unit);
    return MinutesToTimeText(rounded, 2, false);
}

int RoundTimeMinutes(int minutes, int mode, int unit) {
    const long long size = std::llabs(static_cast<long long>(minutes));
    return RoundTimeSize(size / 60, size % 60, minutes < 0, mode, unit);
}

double TimeTextToHours(std::string_view text) {
    std::string work(text);
    std::replace(work.begin(), work.end(), '.', ':');
    const std::string_view digits = work;
    const TimeParts parts = SplitAtColon(digits);
    const double value = SaturatedHours(parts.hours, parts.minutes.substr(0, 2));
    return HasMinus(text) && value != 0 ? -value : value;
}

std::string DecimalTimeText(std::string_view text, bool enabled) {
    if (!enabled || TrimText(text).empty()) {
        return std::string(text);
    }
    const TimeParts parts = SplitAtColon(text);
    const double value = SaturatedHours(parts.hours, parts.minutes);
    return RealToText(0, 2, HasMinus(text) ? -value : value);
}

std::string RealToText(int width, int decimals, double value) {
    if (!std::isfinite(value)) {
        return {};
    }
    decimals = std::clamp(decimals, 0, 30);
    const auto steps = ExactDecimalSteps(value, decimals);
    std::string text = steps ? StepsText(*steps, decimals) : FixedText(value, decimals);
    if (width > 0 && !text.empty() && text.size() < static_cast<std::size_t>(width)) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    }
    return text;
}

double TextToReal(std::string_view text, int decimals, double defaultValue) {
    Scratch scratch(text.size());
    const auto value = ParseReal(TrimView(FoldWidthInto(text, scratch.Data())));
    if (!value) {
        return defaultValue;
    }
    return ParseReal(RealToText(0, decimals, *value)).value_or(defaultValue);
}

int RoundHalfAway(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    // Not std::round: MinGW-w64's adds 0.5 first, which rounds 0.49999999999999994 up. The fraction
    // value - trunc(value) is exact.
    double rounded = std::trunc(value);
    if (std::fabs(value - rounded) >= 0.5)
        rounded += value < 0 ? -1.0 : 1.0;
    return static_cast<int>(std::clamp(rounded, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

std::string DayCountText(std::string_view text, bool halfDays) {
    if (text.empty()) {
        return {};
    }
    const int width = static_cast<int>(text.size());
    const double days = TextToReal(text, 1, 0);
    return halfDays ? RealToText(width, 1, days) : PadNumber(RoundHalfAway(days), width, " ");
}

std::string GroupThousands(std::string_view text) {
    const long long value = TextToIntDef(TrimText(text), 0);
    const std::string digits = std::to_string(std::llabs(value));
    std::string result = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            result += ',';
        }
        result += digits[i];
    }
    return result;
}

std::string StripThousands(std::string_view text) {
    std::string result = TrimText(text);
    std::erase(result, ',');
    return result;
}

std::string PadNumber(long long number, int width, std::string_view pad) {
    const std::string digits = std::to_string(number);
    const std::size_t size = width > 0 ? static_cast<std::size_t>(width) : 0;
    if (digits.size() >= size) {
        return digits.substr(digits.size() - size);
    }
    return std::string(size - digits.size(), pad.empty() ? ' ' : pad.front()) + digits;
}

std::string RightChars(std::string_view text, int count) {
    const std::size_t size = std::min(text.size(), static_cast<std::size_t>(std::max(count, 0)));
    return std::string(text.substr(text.size() - size));
}

std::string LeftChars(std::string_view text, int count) {
    return std::string(text.substr(0, static_cast<std::size_t>(std::max(count, 0))));
}

std::string ReplaceAllText(std::string_view text, std::string_view find, std::string_view replacement) {
    if (find.empty()) {
        return std::string(text);
    }
    // Matches only where a character starts, so a trail byte (the 0x5C of 表) is never taken for "\".
    std::string result;
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i).starts_with(find)) {
            result += replacement;
            i += find.size();
        } else {
            const std::size_t length = CharLength(text, i);
            result.append(text.substr(i, length));
            i += length;
        }
    }
    return result;
}

std::string CsvField(std::string_view record, int field) {
    for (int i = 1; i < field; ++i) {
        const auto comma = record.find(',');
        if (comma == std::string_view::npos) {
            return {};
        }
        record.remove_prefix(comma + 1);
    }
    return std::string(record.substr(0, record.find(',')));
}

int ClampYear(std::string_view text) {
    return std::clamp(TextToIntDef(text, 0), 1990, 2090);
}

int ClampMonth(std::string_view text) {
    return std::clamp(TextToIntDef(text, 0), 1, 12);
}

std::filesystem::path UserFilePath(std::string_view user, const std::filesystem::path& path) {
    if (user.empty()) {
        return path;
    }
    return path.parent_path() / PathFromCp932(user) / path.filename();
}

} // namespace mitoran
