// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/MonthPrint.h"

#include "engine/month/MonthFile.h"
#include "engine/session/Session.h"
#include "engine/text/Cp932.h"
#include "engine/text/Util.h"
#include "engine/totals/PayAmounts.h"

#include <string>

namespace mitoran {

namespace {

// Pads CP932 text with blanks to a width in bytes, which is its width on a terminal as well.
std::string Column(const std::string& cp932, std::size_t width) {
    return cp932.size() >= width ? cp932 : cp932 + std::string(width - cp932.size(), ' ');
}

} // namespace

void PrintHeading(const Session& session, int year, int month, std::ostream& out) {
    out << year << "年" << month << "月  " << session.Location().dataFolder.string();
    if (!session.CurrentUser().empty())
        out << "  (" << Cp932ToUtf8(session.CurrentUser()) << ")";
    out << '\n';
}

void PrintDays(const MonthSheet& sheet, std::ostream& out) {
    static constexpr std::size_t kWidths[] = {6, 3, 3, 6, 6, 6, 6, 6};
    static constexpr DayColumn kColumns[] = {DayColumn::Date,    DayColumn::Weekday, DayColumn::Kubun,
                                             DayColumn::Arrival, DayColumn::Leaving, DayColumn::Zangyo,
                                             DayColumn::Shinya,  DayColumn::Kinmu};
    out << Cp932ToUtf8(Utf8ToCp932("日付  曜 区 出勤  退勤  普通  深夜  勤務  メモ")) << '\n';
    for (int d = 1; d <= sheet.dayCount; ++d) {
        std::string line;
        for (std::size_t c = 0; c < std::size(kColumns); ++c)
            line += Column(sheet.days[d][kColumns[c]], kWidths[c]);
        line += sheet.days[d][DayColumn::Memo];
        line.erase(line.find_last_not_of(' ') + 1);
        out << Cp932ToUtf8(line) << '\n';
    }
}

void PrintSummary(const MonthSheet& sheet, std::ostream& out) {
    for (const SummaryField& field : SummaryFieldsOf(sheet.summary))
        out << Cp932ToUtf8(field.label) << ' ' << Cp932ToUtf8(TrimText(field.text)) << '\n';
}

void PrintPayFields(const Session& session, std::ostream& out) {
    for (const PayField& field : PayFields(CalculatePayView(session.sheet, session.settings)))
        out << field.name << '\t' << Cp932ToUtf8(TrimText(field.text)) << '\n';
}

void PrintRecalcResult(int year, int month, const Session& session, std::ostream& out) {
    PrintHeading(session, year, month, out);
    out << "保存しました: " << MonthFilePath(session.Location().dataFolder, year, month, session.CurrentUser()).string()
        << '\n';
    PrintSummary(session.sheet, out);
}

void PrintNotSaved(std::ostream& err) {
    err << "保存していません（ミトランの画面に未保存のまま残っています）\n";
}

} // namespace mitoran
