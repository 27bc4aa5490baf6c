// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/limits/LimitExport.h"

#include "engine/limits/LimitTable.h"
#include "engine/month/MonthCsv.h"
#include "engine/text/Cp932.h"
#include "engine/text/CsvText.h"

#include <vector>

namespace mitoran {

const LimitExportCells& LimitExportHeaders() {
    static const LimitExportCells headers{
        Utf8ToCp932("月"),        Utf8ToCp932("時間外"),    Utf8ToCp932("休日労働"),   Utf8ToCp932("合計"),
        Utf8ToCp932("2か月平均"), Utf8ToCp932("3か月平均"), Utf8ToCp932("4か月平均"),  Utf8ToCp932("5か月平均"),
        Utf8ToCp932("6か月平均"), Utf8ToCp932("60時間超"),  Utf8ToCp932("時間外累計"), Utf8ToCp932("上限超え回数"),
    };
    return headers;
}

LimitExportCells LimitExportRow(const LimitMonth& month) {
    LimitExportCells cells{LimitMonthLabel(month.month), LimitTimeText(month.figures.overtime),
                           LimitTimeText(month.figures.holidayWork), LimitTimeText(month.figures.Total())};
    std::size_t column = 4;
    for (int span = kFirstAverageSpan; span <= kLastAverageSpan; ++span)
        cells[column++] = LimitTimeText(month.Average(span));
    cells[column++] = LimitTimeText(month.over60);
    cells[column++] = LimitTimeText(month.yearToDate);
    cells[column] = std::to_string(month.overCount);
    return cells;
}

std::string AgreementYearRangeText(const AgreementYear& year) {
    return LimitMonthLabel(year.start) + "-" + LimitMonthLabel(MonthsAfter(year.start, kAgreementMonths - 1));
}

std::string LimitCsvText(const AgreementYear& year) {
    const auto line = [](const LimitExportCells& cells) {
        return JoinCsvRecord(std::vector<std::string>(cells.begin(), cells.end())) + std::string(kCsvLineEnd);
    };
    std::string csv = line(LimitExportHeaders());
    for (const LimitMonth& month : year.months)
        csv += line(LimitExportRow(month));
    return csv;
}

} // namespace mitoran
