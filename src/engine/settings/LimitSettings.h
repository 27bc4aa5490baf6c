// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The overtime limits of the labour agreement (36協定), kept in the settings store's group "Limits": the
// agreement year's first month, the general limits, the special clause, and the two flags of the windows.
// Times are held in minutes and stored as time text; every value is held within what the law allows.
namespace mitoran {

class StoreSection;

// The settings store's group (a subkey of the user's key) that holds the limits.
inline constexpr std::string_view kLimitsGroupName = "Limits";

inline constexpr int kLawMonthLimit = 45 * 60;
inline constexpr int kLawYearLimit = 360 * 60;
inline constexpr int kLawSpecialMonthLimit = 99 * 60 + 59; // less than 100 hours
inline constexpr int kLawSpecialYearLimit = 720 * 60;
inline constexpr int kLawSpecialTimes = 6;
inline constexpr int kDefaultSpecialMonthLimit = 80 * 60;
// The general limits under a variable working-hours system of more than three months.
inline constexpr int kVariableHoursMonthLimit = 42 * 60;
inline constexpr int kVariableHoursYearLimit = 320 * 60;

struct LimitSettings {
    int Start = 4; // the agreement year's first month, 1..12
    int Month = kLawMonthLimit;
    int Year = kLawYearLimit;
    bool Special = false; // 特別条項あり
    int SpecialMonth = kDefaultSpecialMonthLimit;
    int SpecialYear = kLawSpecialYearLimit;
    int SpecialTimes = kLawSpecialTimes; // months a year that may go beyond Month
    bool Warning = false;                // "36協定の警告を表示する"
    bool MainDisp = false;               // "メイン画面に残り時間を表示"
    // Not stored: the user has set the limits, that is, the store holds one of the seven limit values. Until
    // then the limits are the law's defaults and the warning is off unless asked for; once they are set, the
    // warning defaults to on.
    bool Set = false;

    bool operator==(const LimitSettings&) const = default;
};

// The four limits that are times.
enum class LimitField { Month, Year, SpecialMonth, SpecialYear };

// A limit as typed or stored, held within 0 and the law's value; text that is no time gives the default.
int HeldLimitMinutes(std::string_view text, LimitField field);
// The agreement year's first month held within 1..12, and the special clause's times within 0..6.
int HeldStartMonth(int month);
int HeldSpecialTimes(int times);

// Reads the group, each value held within the law.
void LoadLimitSettings(LimitSettings& limits, const StoreSection& group);
// Writes the group. The seven limits are written only once set; the warning flag while the limits are not set
// only when it is on, so that it keeps following them. Loading what was saved gives the same settings.
void SaveLimitSettings(const LimitSettings& limits, StoreSection& group);

// The settings page's button: the general limits under a variable working-hours system.
void ApplyVariableHoursLimits(LimitSettings& limits);

// The settings page's values as OK stores them, held within the law. The limits become set when any of the
// seven differs from what the page showed; when that first happens the warning turns on, unless the page
// changed its box too.
void StoreLimitsPage(const LimitSettings& page, LimitSettings& limits);

} // namespace mitoran
