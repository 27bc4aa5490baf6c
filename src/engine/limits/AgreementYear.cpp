// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/limits/AgreementYear.h"

#include "engine/month/MonthFile.h"
#include "engine/month/MonthSheet.h"
#include "engine/month/MonthSpan.h"
#include "engine/settings/Settings.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <chrono>

namespace mitoran {

namespace {

int MonthIndex(YearMonth month) {
    return month.year * 12 + month.month - 1;
}

int DaysFrom(const CalendarDate& from, const CalendarDate& to) {
    using namespace std::chrono;
    const auto daysOf = [](const CalendarDate& date) {
        return sys_days{year_month_day{year{date.year}, month{static_cast<unsigned>(date.month)},
                                       day{static_cast<unsigned>(date.day)}}};
    };
    return static_cast<int>((daysOf(to) - daysOf(from)).count());
}

LimitLevel LevelOfRules(const LimitMonth& month, std::initializer_list<LimitRule> rules) {
    LimitLevel level = LimitLevel::None;
    for (const LimitRule rule : rules)
        level = std::max(level, RuleLevel(month.checks, rule));
    return level;
}

// The forecast of today's sheet month, from its file as saved.
Forecast ForecastOf(const MonthSheet& sheet, YearMonth month, const CalendarDate& today, int simeDay) {
    const SheetSpan span = SheetMonthSpan(month.year, month.month, simeDay);
    const int elapsedDays = DaysFrom(span.first, today) + 1;
    return {month, ForecastOvertime(OvertimeOfSheet(sheet).overtime, CompanyWeekdaysOf(sheet, elapsedDays))};
}

} // namespace

YearMonth AgreementYearStart(YearMonth month, int startMonth) {
    return {month.month < startMonth ? month.year - 1 : month.year, startMonth};
}

YearMonth MonthsAfter(YearMonth month, int count) {
    const int index = MonthIndex(month) + count;
    return {index / 12, index % 12 + 1};
}

int LimitMonth::HighestAverageSpan() const {
    const auto highest = std::ranges::max_element(averages, std::less<>{}); // the first of equal ones
    return kFirstAverageSpan + static_cast<int>(highest - averages.begin());
}

LimitLevel FigureLevel(const LimitMonth& month, LimitFigure figure, int span) {
    switch (figure) {
    case LimitFigure::Overtime:
        return LevelOfRules(month, {LimitRule::Month, LimitRule::SpecialMonth});
    case LimitFigure::Total:
        return RuleLevel(month.checks, LimitRule::Under100);
    case LimitFigure::YearToDate:
        return LevelOfRules(month, {LimitRule::Year, LimitRule::SpecialYear});
    case LimitFigure::Average: {
        if (span == 0)
            return RuleLevel(month.checks, LimitRule::Average);
        const auto check = std::ranges::find_if(
            month.checks, [span](const LimitCheck& c) { return c.rule == LimitRule::Average && c.months == span; });
        return check == month.checks.end() ? LimitLevel::None : LevelOf(*check);
    }
    case LimitFigure::HolidayWork:
    case LimitFigure::Over60:
    case LimitFigure::OverCount:
        break;
    }
    return LimitLevel::None;
}

const LimitMonth* AgreementYear::Find(YearMonth month) const {
    const int offset = MonthIndex(month) - MonthIndex(start);
    if (offset < 0 || offset >= kAgreementMonths)
        return nullptr;
    return &months[static_cast<std::size_t>(offset)];
}

AgreementYear BuildAgreementYear(YearMonth start, const std::array<MonthOvertime, kAgreementFigures>& figures,
                                 const LimitSettings& limits) {
    const auto total = [&figures](int index) { return figures[static_cast<std::size_t>(index)].Total(); };
    AgreementYear year;
    year.start = start;
    int yearToDate = 0;
    int overCount = 0;
    for (int i = 0; i < kAgreementMonths; ++i) {
        const int index = kMonthsBeforeYear + i;
        LimitMonth& month = year.months[static_cast<std::size_t>(i)];
        month.month = MonthsAfter(start, i);
        month.figures = figures[static_cast<std::size_t>(index)];
        const int overtime = month.figures.overtime;

        LimitInputs inputs;
        for (int back = 0; back < kLastAverageSpan; ++back)
            inputs.totals[static_cast<std::size_t>(back)] = total(index - back);
        int sum = inputs.totals[0];
        for (int k = kFirstAverageSpan; k <= kLastAverageSpan; ++k) {
            sum += inputs.totals[static_cast<std::size_t>(k - 1)];
            month.averages[static_cast<std::size_t>(k - kFirstAverageSpan)] =
                RoundHalfAway(static_cast<double>(sum) / k);
        }
        month.over60 = std::max(0, overtime - kOver60Threshold);
        yearToDate += overtime;
        month.yearToDate = yearToDate;
        month.overCountBefore = overCount;
        if (overtime > limits.Month)
            ++overCount;
        month.overCount = overCount;

        inputs.overtime = overtime;
        inputs.yearToDate = yearToDate;
        inputs.overCountBefore = month.overCountBefore;
        month.checks = LimitChecksOf(inputs, limits);
        month.headroom = HeadroomOf(month.checks);
    }
    return year;
}

AgreementYear ReadAgreementYear(const MonthLocation& location, const Settings& settings, YearMonth month,
                                std::optional<CalendarDate> today) {
    const YearMonth start = AgreementYearStart(MonthsAfter(month, 0), HeldStartMonth(settings.Limits.Start));
    const YearMonth todayMonth = today ? SheetMonthOf(*today, settings.SimeDay) : YearMonth{};
    std::array<MonthOvertime, kAgreementFigures> figures;
    std::optional<Forecast> forecast;
    MonthSheet sheet;
    for (int i = 0; i < kAgreementFigures; ++i) {
        const YearMonth sheetMonth = MonthsAfter(start, i - kMonthsBeforeYear);
        ReadSavedMonth(MonthFilePath(location.dataFolder, sheetMonth.year, sheetMonth.month, location.user), sheet);
        figures[static_cast<std::size_t>(i)] = OvertimeOfSheet(sheet);
        if (today && i >= kMonthsBeforeYear && todayMonth == sheetMonth)
            forecast = ForecastOf(sheet, sheetMonth, *today, settings.SimeDay);
    }
    AgreementYear year = BuildAgreementYear(start, figures, settings.Limits);
    year.forecast = forecast;
    return year;
}

LimitMonth ReadLimitMonth(const MonthLocation& location, const Settings& settings, YearMonth month) {
    const YearMonth held = MonthsAfter(month, 0);
    return *ReadAgreementYear(location, settings, held).Find(held);
}

} // namespace mitoran
