// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The CSV files of the program: the proposed file name and the optional personal-information line that every
// export shares, and the month's own file (one line per day of the sheet, a header and a totals line).
namespace mitoran {

struct MonthSheet;
struct Settings;

inline constexpr std::string_view kCsvLineEnd = "\r\n";

// The name with "CSVFileName" and a blank in front of it when "CSVNameAdd" is on and the prefix is not blank.
std::string CsvProposedName(std::string_view name, const Settings& settings);

// "CSVPrivateInfo" as stored and a line end when "CSVPrivateInfoAdd" is on and the text is not blank; else
// nothing. The text stays one line written as it is: a user may put commas in it on purpose.
std::string CsvPrivateInfoLine(const Settings& settings);

// "%d年%d月", the month as the file names and the printed lists name it.
std::string YearMonthName(int year, int month);

// "%d年%d月.csv" with the prefix rule.
std::string MonthCsvFileName(int year, int month, const Settings& settings);

// The month's file, from the grid texts and summary of a sheet that has just been recalculated: each row's
// date takes its year by the rule of the day grid (a row month later than the sheet's lies in the year before).
std::string MonthCsvText(const MonthSheet& sheet, int year, int month, const Settings& settings);

} // namespace mitoran
