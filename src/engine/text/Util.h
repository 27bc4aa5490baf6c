// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

// Time values, numeric text and small text helpers over CP932 byte text. Every function is free of
// state, returns a new value and never fails: text that is not a number reads as the caller's default.
namespace mitoran {

// Rounding units in minutes, chosen by the index stored in the settings.
inline constexpr std::array<int, 7> RoundingIntervals{5, 6, 10, 15, 20, 30, 60};

// Rounding modes of times.
enum RoundMode : int { kRoundNone = 0, kRoundDown = 1, kRoundNearest = 2, kRoundUp = 3 };

// Removes blanks and control characters (bytes up to 0x20) from both ends, or from the left only.
std::string TrimText(std::string_view text);
std::string TrimLeftText(std::string_view text);

// Folds full-width forms to ASCII and upper-cases a-z, stepping over double-byte characters.
std::string NormalizeWidth(std::string_view text);

int TextToIntDef(std::string_view text, int defaultValue);

// The widest time text the program writes, 99999:59 (the period totals' hour width of 5). Every time text
// reads saturated within ±kMaxTimeMinutes, so that sums of a few read times cannot overflow.
inline constexpr int kMaxTimeMinutes = 99999 * 60 + 59;

int TimeTextToMinutes(std::string_view text);
std::string MinutesToTimeText(int minutes, int hourWidth, bool showZero);
// Any accepted form of a time ("8.5", "830", full-width digits) as time text with zero shown.
std::string NormalTimeText(std::string_view text);
std::string RoundTimeText(std::string_view text, int mode, int unit);
// The rounding of RoundTimeText on a number of minutes, without its two-digit text (so -10:00 keeps its sign).
int RoundTimeMinutes(int minutes, int mode, int unit);
double TimeTextToHours(std::string_view text);
std::string DecimalTimeText(std::string_view text, bool enabled);

std::string RealToText(int width, int decimals, double value);
double TextToReal(std::string_view text, int decimals, double defaultValue);
int RoundHalfAway(double value);
std::string DayCountText(std::string_view text, bool halfDays);

std::string GroupThousands(std::string_view text);
std::string StripThousands(std::string_view text);

std::string PadNumber(long long number, int width, std::string_view pad);
std::string RightChars(std::string_view text, int count);
std::string LeftChars(std::string_view text, int count);
std::string ReplaceAllText(std::string_view text, std::string_view find, std::string_view replacement);
std::string CsvField(std::string_view record, int field);

int ClampYear(std::string_view text);
int ClampMonth(std::string_view text);

// The path itself for the default user (empty name); otherwise the file inside the user's sub-folder.
std::filesystem::path UserFilePath(std::string_view user, const std::filesystem::path& path);

} // namespace mitoran
