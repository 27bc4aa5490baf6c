// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/limits/LimitTable.h"

#include "engine/month/MonthCsv.h"
#include "engine/settings/LimitSettings.h"
#include "engine/text/Cp932.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <algorithm>

namespace mitoran {

namespace {

const std::string& MonthsWord() {
    static const std::string word = Utf8ToCp932("か月");
    return word;
}

std::string SpanText(int months) {
    return std::to_string(months) + MonthsWord();
}

std::string HighestAverageText(const LimitMonth& month) {
    const int span = month.HighestAverageSpan();
    return LimitTimeText(month.Average(span)) + " (" + SpanText(span) + ")";
}

// a.used / a.limit > b.used / b.limit, without division.
bool NearerItsLimit(const LimitCheck& a, const LimitCheck& b) {
    return static_cast<long long>(a.used) * b.limit > static_cast<long long>(b.used) * a.limit;
}

std::string WithLevel(std::string text, LimitLevel level) {
    if (level != LimitLevel::None)
        text += " " + LimitLevelName(level);
    return text;
}

} // namespace

const std::array<std::string, kLimitColumnCount>& LimitColumnHeaders() {
    static const std::array<std::string, kLimitColumnCount> headers{
        Utf8ToCp932("月"),           Utf8ToCp932("時間外"),   Utf8ToCp932("休日労働"),   Utf8ToCp932("合計"),
        Utf8ToCp932("2〜6か月平均"), Utf8ToCp932("60時間超"), Utf8ToCp932("時間外累計"), Utf8ToCp932("上限超え回数"),
    };
    return headers;
}

std::string LimitMonthLabel(YearMonth month) {
    return PadNumber(month.year, 4, "0") + "/" + PadNumber(month.month, 2, "0");
}

std::string ShortMonthName(YearMonth month) {
    return std::to_string(month.month) + text::kMonthSuffix;
}

std::string LimitCellText(const LimitMonth& month, LimitColumn column) {
    switch (column) {
    case LimitColumn::Month:
        return LimitMonthLabel(month.month);
    case LimitColumn::Overtime:
        return LimitTimeText(month.figures.overtime);
    case LimitColumn::HolidayWork:
        return LimitTimeText(month.figures.holidayWork);
    case LimitColumn::Total:
        return LimitTimeText(month.figures.Total());
    case LimitColumn::Average:
        return HighestAverageText(month);
    case LimitColumn::Over60:
        return LimitTimeText(month.over60);
    case LimitColumn::YearToDate:
        return LimitTimeText(month.yearToDate);
    case LimitColumn::OverCount:
        return std::to_string(month.overCount);
    }
    return {};
}

LimitLevel LimitCellLevel(const LimitMonth& month, LimitColumn column) {
    switch (column) {
    case LimitColumn::Overtime:
        return FigureLevel(month, LimitFigure::Overtime);
    case LimitColumn::Total:
        return FigureLevel(month, LimitFigure::Total);
    case LimitColumn::Average:
        return FigureLevel(month, LimitFigure::Average);
    case LimitColumn::YearToDate:
        return FigureLevel(month, LimitFigure::YearToDate);
    case LimitColumn::Month:
    case LimitColumn::HolidayWork:
    case LimitColumn::Over60:
    case LimitColumn::OverCount:
        break;
    }
    return LimitLevel::None;
}

std::string AverageHint(const LimitMonth& month) {
    static const std::string average = Utf8ToCp932("平均 ");
    static const std::string highest = Utf8ToCp932(" (最高)");
    const int highestSpan = month.HighestAverageSpan();
    std::string hint;
    for (int span = kFirstAverageSpan; span <= kLastAverageSpan; ++span) {
        if (!hint.empty())
            hint += "\n";
        hint += SpanText(span) + average + LimitTimeText(month.Average(span));
        if (span == highestSpan)
            hint += highest;
    }
    return hint;
}

std::string MonthHeadroomText(const LimitMonth& month, YearMonth thisMonth) {
    if (month.month == thisMonth)
        return HeadroomText(month.headroom);
    static const std::string left = Utf8ToCp932(" あと ");
    return YearMonthName(month.month.year, month.month.month) + left + LimitTimeText(month.headroom.minutes) + " (" +
           LimitRuleName(month.headroom.binding.rule) + ")";
}

std::string HeadroomLineText(const LimitMonth& month, YearMonth thisMonth) {
    return WithLevel(MonthHeadroomText(month, thisMonth), HighestLevel(month.checks));
}

std::vector<LimitStatus> LimitStatusesOf(const LimitMonth& month) {
    std::vector<LimitStatus> statuses;
    for (const LimitCheck& check : month.checks) {
        const auto same = std::ranges::find(statuses, check.rule, [](const LimitStatus& s) { return s.check.rule; });
        if (same == statuses.end())
            statuses.push_back({check, LevelOf(check)});
        else if (NearerItsLimit(check, same->check))
            *same = {check, LevelOf(check)};
    }
    return statuses;
}

std::string LimitStatusText(const LimitStatus& status) {
    const LimitCheck& check = status.check;
    std::string text = LimitRuleName(check.rule) + " ";
    if (check.rule == LimitRule::Average) {
        static const std::string average = Utf8ToCp932("平均 ");
        text += SpanText(check.months) + average +
                LimitTimeText(RoundHalfAway(static_cast<double>(check.used) / check.months)) + " / " +
                LimitTimeText(check.limit / check.months);
    } else {
        text += LimitTimeText(check.used) + " / " + LimitTimeText(check.limit);
    }
    return WithLevel(std::move(text), status.level);
}

std::string ForecastText(const Forecast& forecast) {
    static const std::string prefix = Utf8ToCp932("見込み ");
    return prefix + LimitTimeText(forecast.overtime);
}

std::vector<ChartLine> ChartLinesOf(const LimitSettings& limits) {
    std::vector<ChartLine> lines{{LimitRule::Month, limits.Month}};
    if (limits.Special)
        lines.push_back({LimitRule::SpecialMonth, limits.SpecialMonth});
    lines.push_back({LimitRule::Average, kAverageMonthLimit});
    // "Less than 100 hours": the line stands at 100:00 itself.
    lines.push_back({LimitRule::Under100, kUnder100Limit + 1});
    return lines;
}

std::string ChartLineName(const ChartLine& line) {
    static const std::string names[] = {
        Utf8ToCp932("月の上限 "), Utf8ToCp932("年の上限 "),  Utf8ToCp932("特別条項 "),
        Utf8ToCp932("特別条項 "), Utf8ToCp932("月100時間 "), Utf8ToCp932("平均の上限 "),
    };
    return names[static_cast<std::size_t>(line.rule)] + LimitTimeText(line.minutes);
}

std::string AgreementYearName(const AgreementYear& year) {
    const YearMonth last = MonthsAfter(year.start, kAgreementMonths - 1);
    return YearMonthName(year.start.year, year.start.month) + text::kPeriodNameSeparator +
           YearMonthName(last.year, last.month);
}

std::string LimitPdfFileName(const AgreementYear& year, const Settings& settings) {
    static const std::string name = Utf8ToCp932("36協定 ");
    return CsvProposedName(name + AgreementYearName(year) + ".pdf", settings);
}

} // namespace mitoran
