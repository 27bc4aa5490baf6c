// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"
#include "engine/limits/AgreementYear.h"

#include <array>
#include <string>
#include <vector>

// The agreement year as the 36協定 window, its chart and its printed list show it: the table's columns and cells,
// the headroom of a month with the state of each of its limits, the forecast, and the lines of the chart.
// Texts are CP932.
namespace mitoran {

struct LimitSettings;
struct Settings;

enum class LimitColumn { Month, Overtime, HolidayWork, Total, Average, Over60, YearToDate, OverCount };
inline constexpr int kLimitColumnCount = 8;

// "月", "時間外", "休日労働", "合計", "2〜6か月平均", "60時間超", "時間外累計", "上限超え回数".
const std::array<std::string, kLimitColumnCount>& LimitColumnHeaders();

// "2024/04".
std::string LimitMonthLabel(YearMonth month);
// "4月", as the chart's axis names a month.
std::string ShortMonthName(YearMonth month);

// A cell of the month's row: times with the hours they need ("0:00", "360:00"), the highest of the five averages
// with its span ("62:30 (3か月)"), the months over the limit as a number.
std::string LimitCellText(const LimitMonth& month, LimitColumn column);
// The level that colours the cell: its figure's limit (None for the columns that have no limit).
LimitLevel LimitCellLevel(const LimitMonth& month, LimitColumn column);
// The hint of the average cell: the five averages, one a line, the highest marked.
std::string AverageHint(const LimitMonth& month);

// "今月あと 12:30 (月の上限)" for the month of today, else "2024年3月 あと 12:30 (月の上限)".
std::string MonthHeadroomText(const LimitMonth& month, YearMonth thisMonth);
// The same with the highest level of the month's limits after it: "今月あと 2:00 (月の上限) 90%以上".
std::string HeadroomLineText(const LimitMonth& month, YearMonth thisMonth);

// The state of one limit of a month: of the five averages, the one nearest its limit.
struct LimitStatus {
    LimitCheck check;
    LimitLevel level = LimitLevel::None;
};
// One for each rule that applies to the month, in tie order.
std::vector<LimitStatus> LimitStatusesOf(const LimitMonth& month);
// "月の上限 32:00 / 45:00", "2〜6か月平均80時間 3か月 62:30 / 80:00"; the level's words follow when it has one.
std::string LimitStatusText(const LimitStatus& status);

// "見込み 38:10".
std::string ForecastText(const Forecast& forecast);

// A level line of the chart: the general monthly limit, the special clause's when it applies, the 80 hours of
// the averages and the 100 hours of a month.
struct ChartLine {
    LimitRule rule = LimitRule::Month;
    int minutes = 0;
};
std::vector<ChartLine> ChartLinesOf(const LimitSettings& limits);
// The legend's short name with the level: "月の上限 45:00", "特別条項 80:00", "平均の上限 80:00", "月100時間 100:00".
std::string ChartLineName(const ChartLine& line);

// "2024年4月～2025年3月", the agreement year as the printed list and the PDF's name give it.
std::string AgreementYearName(const AgreementYear& year);
// "36協定 2024年4月～2025年3月.pdf", with the personal file name in front as the exports have it.
std::string LimitPdfFileName(const AgreementYear& year, const Settings& settings);

} // namespace mitoran
