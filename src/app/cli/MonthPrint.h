// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

// A month (or a span) as the commands print it: a heading, the day rows, the summary and the pay fields.
namespace mitoran {

class Session;
struct MonthSheet;

// "2024年3月  <data folder>  (<user>)".
void PrintHeading(const Session& session, int year, int month, std::ostream& out);
void PrintDays(const MonthSheet& sheet, std::ostream& out);
void PrintSummary(const MonthSheet& sheet, std::ostream& out);
// The pay window's fields as it shows them, one "name<TAB>text" line each.
void PrintPayFields(const Session& session, std::ostream& out);
// The heading, the file saved and the summary.
void PrintRecalcResult(int year, int month, const Session& session, std::ostream& out);
void PrintNotSaved(std::ostream& err);

} // namespace mitoran
