// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/MonthCsv.h"

#include "engine/calendar/DayCategory.h"
#include "engine/month/MonthCalendar.h"
#include "engine/month/MonthSheet.h"
#include "engine/settings/Settings.h"
#include "engine/text/CsvText.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <vector>

namespace mitoran {

namespace {

std::string CsvTimeText(std::string_view text, const Settings& settings) {
    return TrimText(DecimalTimeText(text, settings.PrintTime));
}

std::string KubunCsvName(std::string_view mark) {
    const std::optional<Kubun> kubun = KubunOfMark(mark);
    return kubun ? TrimText(InfoOf(*kubun).fullName) : std::string();
}

std::string DayLine(const DayRecord& day, int year, int month, const Settings& settings) {
    const CalendarDate date = RowDate(day[DayColumn::Date], year, month);
    const int sum = TimeTextToMinutes(day[DayColumn::Zangyo]) + TimeTextToMinutes(day[DayColumn::Shinya]);
    return JoinCsvRecord({
        std::to_string(date.year) + "/" + std::to_string(date.month) + "/" + std::to_string(date.day),
        day[DayColumn::Weekday],
        KubunCsvName(day[DayColumn::Kubun]),
        TrimText(day[DayColumn::Arrival]),
        TrimText(day[DayColumn::Leaving]),
        CsvTimeText(day[DayColumn::Zangyo], settings),
        CsvTimeText(day[DayColumn::Shinya], settings),
        CsvTimeText(MinutesToTimeText(sum, 3, false), settings),
        CsvTimeText(day[DayColumn::Kinmu], settings),
        TrimText(day[DayColumn::Memo]),
    });
}

std::string TotalsLine(const MonthSummary& summary, const Settings& settings) {
    return JoinCsvRecord({text::kTotalLabel, "", "", "", "", CsvTimeText(summary.zangyoTime, settings),
                          CsvTimeText(summary.shinyaTime, settings), CsvTimeText(summary.sumTime, settings),
                          CsvTimeText(summary.kinmuTime, settings), ""});
}

} // namespace

std::string CsvProposedName(std::string_view name, const Settings& settings) {
    if (!settings.CSVNameAdd || TrimText(settings.CSVFileName).empty())
        return std::string(name);
    return settings.CSVFileName + " " + std::string(name);
}

std::string CsvPrivateInfoLine(const Settings& settings) {
    if (!settings.CSVPrivateInfoAdd || TrimText(settings.CSVPrivateInfo).empty())
        return {};
    return settings.CSVPrivateInfo + std::string(kCsvLineEnd);
}

std::string YearMonthName(int year, int month) {
    return std::to_string(year) + text::kYearSuffix + std::to_string(month) + text::kMonthSuffix;
}

std::string MonthCsvFileName(int year, int month, const Settings& settings) {
    return CsvProposedName(YearMonthName(year, month) + ".csv", settings);
}

std::string MonthCsvText(const MonthSheet& sheet, int year, int month, const Settings& settings) {
    std::string csv = CsvPrivateInfoLine(settings);
    if (settings.CSVMonthAdd)
        csv += std::to_string(year) + "/" + std::to_string(month) + std::string(kCsvLineEnd);
    csv += text::kMonthCsvHeader + std::string(kCsvLineEnd);
    for (int d = 1; d <= sheet.dayCount; ++d)
        csv += DayLine(sheet.days[static_cast<std::size_t>(d)], year, month, settings) + std::string(kCsvLineEnd);
    csv += TotalsLine(sheet.summary, settings) + std::string(kCsvLineEnd);
    return csv;
}

} // namespace mitoran
