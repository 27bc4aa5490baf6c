// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/totals/PeriodTotals.h"

#include "engine/calendar/DayCategory.h"
#include "engine/month/MonthCsv.h"
#include "engine/month/MonthFile.h"
#include "engine/month/MonthSheet.h"
#include "engine/settings/Settings.h"
#include "engine/text/CsvText.h"
#include "engine/text/ProfileFile.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace mitoran {

namespace {

// The values of columns 1..9 of one row, at index column - 1: W, H, P, S, A (days), O, L, T, K (minutes).
using RowValues = std::array<double, kPeriodColumns - 1>;
enum Column : std::size_t { kW = 1, kH, kP, kS, kA, kO, kL, kT, kK };

double& At(RowValues& values, Column column) {
    return values[column - 1];
}

int Minutes(double value) {
    return static_cast<int>(std::clamp(std::round(value), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

std::string DaysText(double days) {
    return RealToText(6, 1, days);
}

std::string TimeText(double minutes) {
    return MinutesToTimeText(Minutes(minutes), 5, true);
}

// Column 8 of the month, total and average rows: the sum of columns 6 and 7 as they are shown.
void FillSumColumn(std::array<std::string, kPeriodColumns>& cells) {
    cells[kT] = MinutesToTimeText(TimeTextToMinutes(cells[kO]) + TimeTextToMinutes(cells[kL]), 5, true);
}

std::array<std::string, kPeriodColumns> CountedRow(std::string label, RowValues values, bool halfDayCounts) {
    std::array<std::string, kPeriodColumns> cells{std::move(label)};
    cells[kW] = DayCountText(DaysText(At(values, kW)), halfDayCounts);
    for (const Column column : {kH, kP, kS, kA})
        cells[column] = DaysText(At(values, column));
    for (const Column column : {kO, kL, kK})
        cells[column] = TimeText(At(values, column));
    FillSumColumn(cells);
    return cells;
}

std::array<std::string, kPeriodColumns> AverageRow(RowValues sums, int fullMonths) {
    std::array<std::string, kPeriodColumns> cells{text::kPeriodAverageRow};
    const double n = std::max(fullMonths, 1);
    for (const Column column : {kW, kH, kP, kS, kA})
        cells[column] = DaysText(At(sums, column) / n);
    for (const Column column : {kO, kL, kK})
        cells[column] = MinutesToTimeText(RoundHalfAway(At(sums, column) / n), 5, true);
    FillSumColumn(cells);
    return cells;
}

std::array<std::string, kPeriodColumns> ExtremeRow(const std::string& label, RowValues values) {
    std::array<std::string, kPeriodColumns> cells{label};
    for (const Column column : {kW, kH, kP, kS, kA})
        cells[column] = DaysText(At(values, column));
    for (const Column column : {kO, kL, kT, kK})
        cells[column] = TimeText(At(values, column));
    return cells;
}

RowValues ValuesOf(const MonthFigures& figures) {
    return {figures.syukin,
            figures.kyujitu,
            figures.yukyu,
            figures.daikyu,
            figures.kekkin,
            static_cast<double>(figures.zangyo),
            static_cast<double>(figures.shinya),
            0,
            static_cast<double>(figures.kinmu)};
}

std::string MonthLabel(YearMonth month) {
    return PadNumber(month.year, 4, "0") + "/" + PadNumber(month.month, 2, "0");
}

int MonthIndex(YearMonth month) {
    return month.year * 12 + month.month - 1;
}

YearMonth MonthAt(int index) {
    return {index / 12, index % 12 + 1};
}

// The count as the table hands it on: one decimal, read back with the given decimals.
double CountAsShown(double count, int decimals) {
    return TextToReal(RealToText(6, 1, count), decimals, 0);
}

std::vector<MonthFigures> ReadFigures(const std::vector<YearMonth>& months, const MonthLocation& location,
                                      const HalfDayCounts& halfDays) {
    std::vector<MonthFigures> figures;
    figures.reserve(months.size());
    for (const YearMonth month : months)
        figures.push_back(
            ReadMonthFigures(MonthFilePath(location.dataFolder, month.year, month.month, location.user), halfDays));
    return figures;
}

std::string CsvLabel(const PeriodTable& table, std::size_t row) {
    const int monthCount = table.MonthCount();
    if (static_cast<int>(row) < monthCount) {
        const YearMonth month = table.months[row];
        return std::to_string(month.year) + "/" + std::to_string(month.month);
    }
    const std::string* labels[] = {&text::kTotalLabel, &text::kAverageLabel, &text::kMaximumLabel,
                                   &text::kMinimumLabel};
    return *labels[row - static_cast<std::size_t>(monthCount)];
}

std::string CsvLine(const PeriodTable& table, std::size_t row, const Settings& settings) {
    const std::array<std::string, kPeriodColumns>& cells = table.rows[row];
    const bool averageRow = static_cast<int>(row) == table.AverageRow();
    std::string weekdays;
    if (!TrimText(cells[kW]).empty()) {
        weekdays = RealToText(4, 1, TextToReal(cells[kW], 1, 0) - TextToReal(cells[kH], 1, 0));
        if (!averageRow)
            weekdays = DayCountText(weekdays, settings.Hankyu05);
    }
    std::vector<std::string> fields{CsvLabel(table, row), TrimText(weekdays), TrimText(cells[kH]),
                                    TrimText(DayCountText(cells[kW], settings.Hankyu05))};
    for (const Column column : {kP, kS, kA})
        fields.push_back(TrimText(cells[column]));
    for (const Column column : {kO, kL, kT, kK})
        fields.push_back(TrimText(DecimalTimeText(cells[column], settings.PrintTime)));
    return JoinCsvRecord(fields);
}

} // namespace

const std::array<std::string, kPeriodColumns>& PeriodColumnHeaders() {
    static const std::array<std::string, kPeriodColumns> headers{
        Utf8ToCp932(" 年 月 "),  Utf8ToCp932(" 出勤 "),   Utf8ToCp932(" 休出 "),   Utf8ToCp932(" 有給 "),
        Utf8ToCp932(" 代休 "),   Utf8ToCp932(" 欠勤 "),   Utf8ToCp932(" 普  通 "), Utf8ToCp932(" 深  夜 "),
        Utf8ToCp932(" 合  計 "), Utf8ToCp932(" 勤  務 "),
    };
    return headers;
}

HalfDayCounts HalfDayCountsOf(const Settings& settings) {
    return {std::fabs(TextToReal(settings.HanDayAM, 1, 0)), std::fabs(TextToReal(settings.HanDayPM, 1, 0))};
}

MonthFigures ReadMonthFigures(const std::filesystem::path& file, const HalfDayCounts& halfDays) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return {};
    const ProfileFile month(file);
    MonthFigures figures;
    figures.syukin = TextToReal(month.ReadString("System", "SyukinDay", ""), 1, 0);
    if (!(figures.syukin > 0))
        return {};
    figures.hasData = true;
    figures.kyujitu = TextToReal(month.ReadString("System", "KyujituDay", ""), 1, 0);
    figures.zangyo = TimeTextToMinutes(month.ReadString("System", "ZangyoTime", ""));
    figures.shinya = TimeTextToMinutes(month.ReadString("System", "ShinyaTime", ""));
    figures.kinmu = TimeTextToMinutes(month.ReadString("System", "KinmuTime", ""));
    const int lastDay = std::clamp(TextToIntDef(month.ReadString("System", "LastDay", "0"), 0), 0, kMaxDays);
    double yukyu = 0;
    double daikyu = 0;
    double kekkin = 0;
    for (int day = 1; day <= lastDay; ++day) {
        switch (KubunOfMark(CsvField(month.ReadString("DayData", DayDataKey(day), ""), 3)).value_or(Kubun::Normal)) {
        case Kubun::Yukyu:
            yukyu += 1;
            break;
        case Kubun::Gozen:
            yukyu += halfDays.morning;
            break;
        case Kubun::Gogo:
            yukyu += halfDays.afternoon;
            break;
        case Kubun::Daikyu:
            daikyu += 1;
            break;
        case Kubun::Kekkin:
            kekkin += 1;
            break;
        default:
            break;
        }
    }
    figures.yukyu = CountAsShown(yukyu, 1);
    figures.daikyu = CountAsShown(daikyu, 0);
    figures.kekkin = CountAsShown(kekkin, 0);
    return figures;
}

std::vector<YearMonth> MonthsOf(const PeriodRange& range) {
    std::vector<YearMonth> months;
    for (int index = MonthIndex(range.start); index <= MonthIndex(range.end); ++index)
        months.push_back(MonthAt(index));
    return months;
}

PeriodTable BuildPeriodTable(const std::vector<YearMonth>& months, const std::vector<MonthFigures>& figures,
                             bool halfDayCounts) {
    PeriodTable table;
    table.months = months;
    RowValues totals{};
    RowValues averageSums{};
    RowValues maximum{};
    RowValues minimum{};
    int fullMonths = 0;
    for (std::size_t i = 0; i < months.size(); ++i) {
        const MonthFigures& month = figures[i];
        if (!month.hasData) {
            table.rows.push_back({MonthLabel(months[i])});
            table.full.push_back(false);
            continue;
        }
        RowValues values = ValuesOf(month);
        table.rows.push_back(CountedRow(MonthLabel(months[i]), values, halfDayCounts));
        At(values, kT) = TimeTextToMinutes(table.rows.back()[kT]);
        for (std::size_t v = 0; v < values.size(); ++v)
            totals[v] += values[v];
        const bool full = month.syukin + month.kyujitu >= kFullMonthDays;
        table.full.push_back(full);
        if (!full)
            continue;
        if (fullMonths++ == 0)
            maximum = minimum = values;
        for (std::size_t v = 0; v < values.size(); ++v) {
            maximum[v] = std::max(maximum[v], values[v]);
            minimum[v] = std::min(minimum[v], values[v]);
            averageSums[v] += values[v];
        }
    }
    table.rows.push_back(CountedRow(text::kPeriodTotalRow, totals, halfDayCounts));
    table.rows.push_back(AverageRow(averageSums, fullMonths));
    table.rows.push_back(ExtremeRow(text::kPeriodMaximumRow, maximum));
    table.rows.push_back(ExtremeRow(text::kPeriodMinimumRow, minimum));
    return table;
}

PeriodRange ClampedRange(const std::string& startYear, const std::string& startMonth, const std::string& endYear,
                         const std::string& endMonth) {
    return {{ClampYear(startYear), ClampMonth(startMonth)}, {ClampYear(endYear), ClampMonth(endMonth)}};
}

bool IsOrdered(const PeriodRange& range) {
    return MonthIndex(range.start) <= MonthIndex(range.end);
}

PeriodRange TwelveMonthsFrom(YearMonth start) {
    return {start, MonthAt(MonthIndex(start) + 11)};
}

PeriodRange RangeOfToday(YearMonth today, int startMonth) {
    return TwelveMonthsFrom({today.month < startMonth ? today.year - 1 : today.year, startMonth});
}

PeriodRange ShiftedRange(YearMonth start, int months) {
    return TwelveMonthsFrom(MonthAt(MonthIndex(start) + months));
}

PeriodTable ComputePeriodTotals(const PeriodRange& range, const MonthLocation& location, const Settings& settings) {
    const std::vector<YearMonth> months = MonthsOf(range);
    return BuildPeriodTable(months, ReadFigures(months, location, HalfDayCountsOf(settings)), settings.Hankyu05);
}

std::optional<PeriodResult> ComputeAllPeriodTotals(const MonthLocation& location, const Settings& settings) {
    const std::vector<YearMonth> months = MonthsOf({{kPeriodFirstYear, 1}, {kPeriodLastYear, 12}});
    const std::vector<MonthFigures> figures = ReadFigures(months, location, HalfDayCountsOf(settings));
    const auto hasData = [](const MonthFigures& month) { return month.hasData; };
    const auto first = std::ranges::find_if(figures, hasData);
    if (first == figures.end())
        return std::nullopt;
    const auto last = std::ranges::find_if(figures.rbegin(), figures.rend(), hasData).base();
    const auto from = first - figures.begin();
    const auto to = last - figures.begin();
    const std::vector<YearMonth> range(months.begin() + from, months.begin() + to);
    return PeriodResult{{range.front(), range.back()}, BuildPeriodTable(range, {first, last}, settings.Hankyu05)};
}

PeriodCellColor CellColorOf(const PeriodTable& table, int monthRow, int column) {
    const auto row = static_cast<std::size_t>(monthRow);
    const auto value = [column](const std::string& text) {
        return column <= 3 ? TextToReal(text, 1, 0) : static_cast<double>(TimeTextToMinutes(text));
    };
    if (!table.full[row])
        return PeriodCellColor::NotCounted;
    const std::string& average = table.rows[static_cast<std::size_t>(table.AverageRow())][column];
    return value(table.rows[row][column]) > value(average) ? PeriodCellColor::AboveAverage : PeriodCellColor::Normal;
}

bool LineUnderGridRow(int gridRow, int monthCount) {
    return gridRow % 12 == 0 || (gridRow >= monthCount && gridRow <= monthCount + 3);
}

bool LineRightOfColumn(int column) {
    return column == 5 || column == 8;
}

std::string PeriodRangeName(const PeriodRange& range) {
    return YearMonthName(range.start.year, range.start.month) + text::kPeriodNameSeparator +
           YearMonthName(range.end.year, range.end.month);
}

std::string PeriodCsvFileName(const PeriodRange& range, const Settings& settings) {
    return CsvProposedName(PeriodRangeName(range) + ".csv", settings);
}

std::string PeriodCsvText(const PeriodRange& range, const PeriodTable& table, const Settings& settings) {
    std::string csv = CsvPrivateInfoLine(settings);
    if (settings.CSVMonthAdd)
        csv += JoinCsvRecord({std::to_string(range.start.year) + "/" + std::to_string(range.start.month),
                              std::to_string(range.end.year) + "/" + std::to_string(range.end.month)}) +
               std::string(kCsvLineEnd);
    csv += text::kPeriodCsvHeader + std::string(kCsvLineEnd);
    for (std::size_t row = 0; row < table.rows.size(); ++row)
        csv += CsvLine(table, row, settings) + std::string(kCsvLineEnd);
    return csv;
}

} // namespace mitoran
