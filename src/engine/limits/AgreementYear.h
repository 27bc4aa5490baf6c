// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"
#include "engine/limits/LimitChecks.h"
#include "engine/limits/MonthOvertime.h"

#include <array>
#include <optional>
#include <vector>

// The agreement year of the labour agreement: twelve sheet months from the start month of the settings, each
// with its 時間外 and 休日労働 as saved, the 2..6 month averages (reaching back across the year's start, as
// the law counts them), 60時間超, the year-to-date 時間外, the months over the monthly limit, and the limits of
// the month with their headroom. Reading one year takes at most 17 month files.
namespace mitoran {

struct LimitSettings;
struct MonthLocation;
struct Settings;

inline constexpr int kAgreementMonths = 12;
// The months before the year's start that its first averages reach back to.
inline constexpr int kMonthsBeforeYear = kLastAverageSpan - 1;
inline constexpr int kAgreementFigures = kMonthsBeforeYear + kAgreementMonths;
inline constexpr int kOver60Threshold = 60 * 60;

// The first month of the agreement year holding the month.
YearMonth AgreementYearStart(YearMonth month, int startMonth);
// The month `count` months after (before, when negative) the month; a month outside 1..12 is carried into the
// year, so MonthsAfter(m, 0) gives a valid month.
YearMonth MonthsAfter(YearMonth month, int count);

struct LimitMonth {
    YearMonth month;
    MonthOvertime figures;
    std::array<int, kAverageSpans> averages{}; // 2..6 months at 0..4, minutes rounded half away from zero
    int over60 = 0;                            // 60時間超: 時間外 beyond 60:00
    int yearToDate = 0;                        // 時間外累計 from the year's start to this month
    int overCountBefore = 0;                   // months of the year before this one with 時間外 over "Month"
    int overCount = 0;                         // the same up to and including this month (上限超え回数)
    std::vector<LimitCheck> checks;            // the rules of this month, in tie order
    Headroom headroom;

    int Average(int months) const { return averages[static_cast<std::size_t>(months - kFirstAverageSpan)]; }
    // The span (2..6) of the highest average; the shortest on a tie.
    int HighestAverageSpan() const;
};

// The figures a table cell shows, to colour it by the level of its limit.
enum class LimitFigure { Overtime, HolidayWork, Total, Average, Over60, YearToDate, OverCount };
// The level of the limit a figure is held to: 時間外 by the monthly limits that apply, 合計 by 月100時間未満,
// an average of the span by 80 hours (span 0: the highest of the five), 時間外累計 by the yearly limit that
// applies. The other figures have no level.
LimitLevel FigureLevel(const LimitMonth& month, LimitFigure figure, int span = 0);

struct Forecast {
    YearMonth month;
    int overtime = 0;
};

struct AgreementYear {
    YearMonth start;
    std::array<LimitMonth, kAgreementMonths> months;
    // The month of today, when it lies in this year.
    std::optional<Forecast> forecast;

    // The month's row, or nullptr when it lies outside the year.
    const LimitMonth* Find(YearMonth month) const;
};

// The year from the figures of its 17 months: the five before the start, then the twelve of the year.
AgreementYear BuildAgreementYear(YearMonth start, const std::array<MonthOvertime, kAgreementFigures>& figures,
                                 const LimitSettings& limits);

// Reads the agreement year that holds the month from the current user's month files, the start month of the
// settings held within 1..12. With today given, the
// forecast of today's sheet month is made when that month lies in the year. A month without a file, or with a
// file that cannot be read, counts 0:00.
AgreementYear ReadAgreementYear(const MonthLocation& location, const Settings& settings, YearMonth month,
                                std::optional<CalendarDate> today = std::nullopt);

// The one month (as the window's warning needs before and after a save), read the same way.
LimitMonth ReadLimitMonth(const MonthLocation& location, const Settings& settings, YearMonth month);

} // namespace mitoran
