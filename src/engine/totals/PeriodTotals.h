// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Period totals: each month's days and times read from its file, a table of one row per month of a range
// with the total, average, maximum and minimum rows (the last three over full months only), the range rules of
// the window and the table's CSV file.
namespace mitoran {

struct MonthLocation;
struct Settings;

inline constexpr int kPeriodFirstYear = 1990;
inline constexpr int kPeriodLastYear = 2090;
inline constexpr int kPeriodColumns = 10;
inline constexpr int kPeriodSummaryRows = 4;
// A month counts for the average, maximum and minimum when days worked plus days worked on days off reach this.
inline constexpr double kFullMonthDays = 15.0;

struct PeriodRange {
    YearMonth start;
    YearMonth end;
    bool operator==(const PeriodRange&) const = default;
};

// What the table takes from one month file; a month without data (no file, or no days worked) has none.
struct MonthFigures {
    bool hasData = false;
    double syukin = 0;  // days worked (W)
    double kyujitu = 0; // days worked on days off (H)
    double yukyu = 0;   // paid-leave days (P)
    double daikyu = 0;  // substitute days off (S)
    double kekkin = 0;  // absences (A)
    int zangyo = 0;     // minutes of ordinary overtime (O)
    int shinya = 0;     // late-night overtime (L)
    int kinmu = 0;      // work time (K)
};

// Days counted for a morning and an afternoon off, as the settings say now (not as they were in the month).
struct HalfDayCounts {
    double morning = 0.5;
    double afternoon = 0.5;
};
HalfDayCounts HalfDayCountsOf(const Settings& settings);

// Reads the month's summary and counts its paid-leave, substitute and absence days from its day records,
// over at most 31 days whatever "LastDay" holds.
MonthFigures ReadMonthFigures(const std::filesystem::path& file, const HalfDayCounts& halfDays);

// The table as the window shows it: rows 0..N-1 the months (label "yyyy/mm"), then the total, average,
// maximum and minimum rows; each row's ten cells are the window's column texts.
struct PeriodTable {
    std::vector<std::array<std::string, kPeriodColumns>> rows;
    std::vector<bool> full; // per month row
    std::vector<YearMonth> months;

    int MonthCount() const { return static_cast<int>(months.size()); }
    int AverageRow() const { return MonthCount() + 1; } // index into rows
};

// The column headers of the window's table, blanks included.
const std::array<std::string, kPeriodColumns>& PeriodColumnHeaders();

// Months from start to end inclusive.
std::vector<YearMonth> MonthsOf(const PeriodRange& range);

// The table of the months and their figures (one figure per month), days worked shown with one decimal or
// rounded to whole days by "Hankyu05".
PeriodTable BuildPeriodTable(const std::vector<YearMonth>& months, const std::vector<MonthFigures>& figures,
                             bool halfDayCounts);

// The range of the four typed fields, years clamped to 1990..2090 and months to 1..12.
PeriodRange ClampedRange(const std::string& startYear, const std::string& startMonth, const std::string& endYear,
                         const std::string& endMonth);
// False when the end lies before the start: the window then says "集計期間の設定が異常です。" and stops.
bool IsOrdered(const PeriodRange& range);
// The twelve months from the start.
PeriodRange TwelveMonthsFrom(YearMonth start);
// The twelve months starting with the start month that contain today.
PeriodRange RangeOfToday(YearMonth today, int startMonth);
// The twelve months whose start is `months` away from the start (clamped first).
PeriodRange ShiftedRange(YearMonth start, int months);

// Reads the months of the range, each file once.
PeriodTable ComputePeriodTotals(const PeriodRange& range, const MonthLocation& location, const Settings& settings);
// The range from the first to the last month of 1990..2090 with data, and its table; nullopt when there is no
// month with data. Each file is read once.
struct PeriodResult {
    PeriodRange range;
    PeriodTable table;
};
std::optional<PeriodResult> ComputeAllPeriodTotals(const MonthLocation& location, const Settings& settings);

// How the window draws a month row's cell: red above the average, blue (instead) in a month that is not full.
enum class PeriodCellColor { Normal, AboveAverage, NotCounted };
PeriodCellColor CellColorOf(const PeriodTable& table, int monthRow, int column);
// Whether a black line runs under the grid row (the header is row 0, months from row 1), and right of a column.
bool LineUnderGridRow(int gridRow, int monthCount);
bool LineRightOfColumn(int column);

// "%d年%d月～%d年%d月", the range as the file name and the printed list name it.
std::string PeriodRangeName(const PeriodRange& range);
// "%d年%d月～%d年%d月.csv" with the prefix rule.
std::string PeriodCsvFileName(const PeriodRange& range, const Settings& settings);
// The table's CSV file: optional personal-information and range lines, the header, one line per table row.
std::string PeriodCsvText(const PeriodRange& range, const PeriodTable& table, const Settings& settings);

} // namespace mitoran
