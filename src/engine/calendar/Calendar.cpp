// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/calendar/Calendar.h"

#include "engine/calendar/DayCategory.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

namespace mitoran {

namespace {

constexpr int kSunday = 0;
constexpr int kMonday = 1;
constexpr int kFirstGregorianDay = 2299161; // 15 October 1582
// The years a table row holds from or until when the law of 1990 or of 2099 holds for it.
constexpr int kEarliest = 1;
constexpr int kLatest = 9999;
// From this year a 振替休日 moves on past further national holidays, and 国民の休日 may fall on a Sunday.
constexpr int kLaw2007 = 2007;
// More days than any run of consecutive national holidays; bounds the walk back to a Sunday holiday.
constexpr int kLongestHolidayRun = 10;

const std::string& DayOffMark() {
    return InfoOf(Kubun::Holiday).mark;
}

long double SinDegrees(long double degrees) {
    return std::sin(degrees / 180.0L * std::numbers::pi_v<long double>);
}

int Trunc(double value) {
    return static_cast<int>(std::trunc(value));
}

enum class DateRule { Fixed, NthMonday, VernalEquinox, AutumnalEquinox };

struct ComputedHoliday {
    const std::string& name;
    bool CalendarRules::*setting; // nullptr: a day off whatever the settings
    int firstYear;
    int lastYear;
    DateRule rule;
    int month;
    int day; // Fixed: the day of the month; NthMonday: which Monday of the month (1 = the first)
};

// The computed national holidays, year by year. Rows whose years overlap never share a date; where they
// would, the later row's name replaces the earlier's.
const auto& ComputedHolidays() {
    using R = CalendarRules;
    using enum DateRule;
    static const std::array<ComputedHoliday, 31> table{{
        {text::kSeijinNoHi, &R::seijinDay, kEarliest, 1999, Fixed, 1, 15},
        {text::kSeijinNoHi, &R::seijinDay, 2000, kLatest, NthMonday, 1, 2},
        {text::kShunbunNoHi, &R::springDay, kEarliest, kLatest, VernalEquinox, 3, 0},
        {text::kShuubunNoHi, &R::autumnDay, kEarliest, kLatest, AutumnalEquinox, 9, 0},
        {text::kTennouTanjoubi, nullptr, kEarliest, 2018, Fixed, 12, 23},
        {text::kTennouTanjoubi, nullptr, 2020, kLatest, Fixed, 2, 23},
        {text::kMidoriNoHi, nullptr, kEarliest, 2006, Fixed, 4, 29},
        {text::kMidoriNoHi, nullptr, 2007, kLatest, Fixed, 5, 4},
        {text::kShouwaNoHi, nullptr, 2007, kLatest, Fixed, 4, 29},
        {text::kUmiNoHi, &R::oceanDay, 1996, 2002, Fixed, 7, 20},
        {text::kUmiNoHi, &R::oceanDay, 2003, 2019, NthMonday, 7, 3},
        {text::kUmiNoHi, &R::oceanDay, 2020, 2020, Fixed, 7, 23},
        {text::kUmiNoHi, &R::oceanDay, 2021, 2021, Fixed, 7, 22},
        {text::kUmiNoHi, &R::oceanDay, 2022, kLatest, NthMonday, 7, 3},
        {text::kYamaNoHi, nullptr, 2016, 2019, Fixed, 8, 11},
        {text::kYamaNoHi, nullptr, 2020, 2020, Fixed, 8, 10},
        {text::kYamaNoHi, nullptr, 2021, 2021, Fixed, 8, 8},
        {text::kYamaNoHi, nullptr, 2022, kLatest, Fixed, 8, 11},
        {text::kKeirouNoHi, &R::oldManDay, kEarliest, 2002, Fixed, 9, 15},
        {text::kKeirouNoHi, &R::oldManDay, 2003, kLatest, NthMonday, 9, 3},
        {text::kTaiikuNoHi, &R::sportDay, kEarliest, 1999, Fixed, 10, 10},
        {text::kTaiikuNoHi, &R::sportDay, 2000, 2019, NthMonday, 10, 2},
        {text::kSportsNoHi, &R::sportDay, 2020, 2020, Fixed, 7, 24},
        {text::kSportsNoHi, &R::sportDay, 2021, 2021, Fixed, 7, 23},
        {text::kSportsNoHi, &R::sportDay, 2022, kLatest, NthMonday, 10, 2},
        {text::kSokuiReiSeidenNoGi, nullptr, 1990, 1990, Fixed, 11, 12},
        {text::kKoutaishiKekkonNoGi, nullptr, 1993, 1993, Fixed, 6, 9},
        {text::kKokuminNoKyujitu, nullptr, 2019, 2019, Fixed, 4, 30},
        {text::kSokuiNoHi, nullptr, 2019, 2019, Fixed, 5, 1},
        {text::kKokuminNoKyujitu, nullptr, 2019, 2019, Fixed, 5, 2},
        {text::kSokuiReiSeidenNoGi, nullptr, 2019, 2019, Fixed, 10, 22},
    }};
    return table;
}

struct EquinoxDates {
    int year = 0; // no date has year 0, so the first question always computes
    CalendarDate vernal;
    CalendarDate autumnal;
};

// The equinox days of the year last asked for: a month's layout asks for one year again and again.
const EquinoxDates& EquinoxesOf(int year) {
    thread_local EquinoxDates cached;
    if (cached.year != year)
        cached = {year, DayNumberToDate(VernalEquinoxDay(year)), DayNumberToDate(AutumnalEquinoxDay(year))};
    return cached;
}

bool SameDayOfYear(const CalendarDate& a, const CalendarDate& b) {
    return a.month == b.month && a.day == b.day;
}

bool Holds(const ComputedHoliday& holiday, const CalendarDate& date) {
    if (date.month != holiday.month || date.year < holiday.firstYear || date.year > holiday.lastYear)
        return false;
    switch (holiday.rule) {
    case DateRule::Fixed:
        return date.day == holiday.day;
    case DateRule::NthMonday:
        return (date.day - 1) / 7 + 1 == holiday.day && WeekdayOf(date) == kMonday;
    case DateRule::VernalEquinox:
        return SameDayOfYear(date, EquinoxesOf(date.year).vernal);
    case DateRule::AutumnalEquinox:
        return SameDayOfYear(date, EquinoxesOf(date.year).autumnal);
    }
    return false;
}

// The national holidays as the settings and the holiday list's fixed rows have them.
class HolidayLaw {
public:
    HolidayLaw(const CalendarRules& rules, FixedHolidayMarks fixedMarked)
        : m_rules(rules), m_fixedMarked(fixedMarked) {}

    struct TableDay {
        const std::string* name = nullptr;
        bool national = false;
    };

    // The name a valid date has from the tables, and whether it is a national holiday.
    TableDay TableDayOf(const CalendarDate& date) const {
        TableDay result;
        const auto& fixed = FixedHolidays();
        for (std::size_t i = 0; i < fixed.size(); ++i) {
            if (m_fixedMarked[i] && fixed[i].month == date.month && fixed[i].day == date.day)
                result = {&fixed[i].name, true};
        }
        for (const ComputedHoliday& holiday : ComputedHolidays()) {
            if (!Holds(holiday, date))
                continue;
            result.name = &holiday.name;
            if (holiday.setting == nullptr || m_rules.*holiday.setting)
                result.national = true;
        }
        return result;
    }

    bool IsNational(const CalendarDate& date) const { return IsValidDate(date) && TableDayOf(date).national; }

    // For a day that is no national holiday itself but follows one: whether it is the first such day after
    // a national holiday on a Sunday (before 2007: whether the day before is that Sunday).
    bool IsSubstitute(const CalendarDate& date) const {
        CalendarDate before = AddDays(date, -1);
        if (date.year < kLaw2007)
            return WeekdayOf(before) == kSunday;
        for (int step = 0; step < kLongestHolidayRun; ++step) {
            if (WeekdayOf(before) == kSunday)
                return true;
            before = AddDays(before, -1);
            if (!IsNational(before))
                return false;
        }
        return false;
    }

    // For a day that is no national holiday itself but follows one: whether another follows it (before
    // 2007 never on a Sunday).
    bool IsBridge(const CalendarDate& date) const {
        if (date.year < kLaw2007 && WeekdayOf(date) == kSunday)
            return false;
        return IsNational(AddDays(date, 1));
    }

private:
    const CalendarRules& m_rules;
    FixedHolidayMarks m_fixedMarked;
};

// Only for valid dates: std::chrono keeps just the low byte of a month or day it is given.
std::chrono::sys_days SysDaysOf(const CalendarDate& date) {
    return std::chrono::sys_days{std::chrono::year{date.year} / static_cast<int>(date.month) /
                                 static_cast<int>(date.day)};
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

} // namespace

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    month = std::clamp(month, 1, 12);
    return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

SheetSpan SheetMonthSpan(int year, int month, int simeDay) {
    month = std::clamp(month, 1, 12);
    if (simeDay < 1 || simeDay > 27)
        return {{year, month, 1}, DaysInMonth(year, month)};
    const CalendarDate first =
        month == 1 ? CalendarDate{year - 1, 12, simeDay + 1} : CalendarDate{year, month - 1, simeDay + 1};
    return {first, DaysInMonth(first.year, first.month)};
}

bool IsValidDate(const CalendarDate& date) {
    return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           date.day <= DaysInMonth(date.year, date.month);
}

namespace {

// The number of 1 to `most` digits, or nothing.
std::optional<int> DigitsValue(std::string_view digits, std::size_t most) {
    if (digits.empty() || digits.size() > most ||
        !std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

} // namespace

std::optional<CalendarDate> ParseTypedDate(std::string_view text) {
    const std::string folded = TrimText(NormalizeWidth(text));
    const std::string_view typed = folded;
    std::array<std::string_view, 3> parts;
    const std::size_t first = typed.find_first_of("/-.");
    if (first == std::string_view::npos) {
        if (typed.size() != 8)
            return std::nullopt;
        parts = {typed.substr(0, 4), typed.substr(4, 2), typed.substr(6, 2)};
    } else {
        const std::size_t second = typed.find(typed[first], first + 1);
        if (second == std::string_view::npos)
            return std::nullopt;
        parts = {typed.substr(0, first), typed.substr(first + 1, second - first - 1), typed.substr(second + 1)};
    }
    const std::optional<int> year = parts[0].size() == 4 ? DigitsValue(parts[0], 4) : std::nullopt;
    const std::optional<int> month = DigitsValue(parts[1], 2);
    const std::optional<int> day = DigitsValue(parts[2], 2);
    if (!year || !month || !day || !IsValidDate({*year, *month, *day}))
        return std::nullopt;
    return CalendarDate{*year, *month, *day};
}

CalendarDate AddDays(CalendarDate date, int days) {
    if (!IsValidDate(date))
        return date;
    const std::chrono::year_month_day moved{SysDaysOf(date) + std::chrono::days{days}};
    return {static_cast<int>(moved.year()), static_cast<int>(static_cast<unsigned>(moved.month())),
            static_cast<int>(static_cast<unsigned>(moved.day()))};
}

int WeekdayOf(const CalendarDate& date) {
    if (!IsValidDate(date))
        return -1;
    return static_cast<int>(std::chrono::weekday{SysDaysOf(date)}.c_encoding());
}

const std::string& WeekdayName(int weekday) {
    static const std::array<const std::string*, 7> names{&text::kSunday,    &text::kMonday,   &text::kTuesday,
                                                         &text::kWednesday, &text::kThursday, &text::kFriday,
                                                         &text::kSaturday};
    return weekday >= 0 && weekday < 7 ? *names[weekday] : text::kUnknownWeekday;
}

// The sums run in extended precision in the order written, so that the rare years whose equinox lies
// near midnight fall on the same day as they always have.
int VernalEquinoxDay(int year) {
    const long double b = year - 2000;
    const long double p = 0.002L * (SinDegrees(321 - 30.37L * b) + SinDegrees(249 + 0.19L * b) +
                                    SinDegrees(202 - 132.57L * b) + SinDegrees(84 - 90.37L * b)) -
                          0.00004871850323926L * b + 0.001L * SinDegrees(132 - 134.81L * b) +
                          0.005L * SinDegrees(239 - 19.34L * b);
    return static_cast<int>(std::trunc(2451624.683L + 365.24229L * b + 0.0000001L * b * b - p));
}

int AutumnalEquinoxDay(int year) {
    const long double b = year - 2000;
    const long double p = 0.002L * (SinDegrees(485 - 30.37L * b) + SinDegrees(249 + 0.19L * b) +
                                    SinDegrees(268.2L - 132.57L * b) + SinDegrees(309.2L - 90.37L * b)) +
                          0.00004871850323926L * b + 0.001L * SinDegrees(244.6L - 134.81L * b) +
                          0.005L * SinDegrees(248.6L - 19.34L * b);
    return static_cast<int>(std::trunc(2451811.096L + 365.24206L * b + 0.0000001L * b * b - p));
}

CalendarDate DayNumberToDate(int dayNumber) {
    const int z = dayNumber;
    int b = z + 1524;
    if (z >= kFirstGregorianDay) {
        const int alpha = Trunc((z - 1867216.25) / 36524.25);
        b = z + alpha - alpha / 4 + 1525;
    }
    const int c = Trunc((b - 122.1) / 365.25);
    const int d = Trunc(365.25 * c);
    const int e = Trunc((b - d) / 30.6001);
    const int day = b - d - Trunc(30.6001 * e);
    const int month = e >= 14 ? e - 13 : e - 1;
    return {month >= 3 ? c - 4716 : c - 4715, month, day};
}

const std::array<FixedHoliday, kFixedHolidayCount>& FixedHolidays() {
    static const std::array<FixedHoliday, kFixedHolidayCount> fixed{{
        {1, 1, text::kGantan},
        {2, 11, text::kKenkokuKinenNoHi},
        {5, 3, text::kKenpouKinenbi},
        {5, 5, text::kKodomoNoHi},
        {11, 3, text::kBunkaNoHi},
        {11, 23, text::kKinrouKanshaNoHi},
    }};
    return fixed;
}

HolidayInfo NationalHolidayOf(const CalendarDate& date, const CalendarRules& rules, FixedHolidayMarks fixedMarked) {
    HolidayInfo holiday;
    if (!IsValidDate(date))
        return holiday;
    const HolidayLaw law(rules, fixedMarked);
    const HolidayLaw::TableDay day = law.TableDayOf(date);
    if (day.name != nullptr)
        holiday.name = *day.name;
    if (day.national) {
        holiday.mark = DayOffMark();
        return holiday;
    }
    // 振替休日 and 国民の休日 both follow a national holiday on the day before. They name the day even where
    // a holiday switched off named it.
    if (!law.IsNational(AddDays(date, -1)))
        return holiday;
    if (law.IsSubstitute(date))
        holiday = {text::kFurikaeKyujitu, DayOffMark()};
    else if (law.IsBridge(date))
        holiday = {text::kKokuminNoKyujitu, DayOffMark()};
    return holiday;
}

} // namespace mitoran
