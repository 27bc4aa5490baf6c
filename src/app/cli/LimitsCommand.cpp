// SPDX-License-Identifier: GPL-3.0-or-later
// "limits": the overtime limits of the labour agreement for the agreement year holding a month.
#include "app/cli/CliCommand.h"
#include "app/cli/CliHelp.h"
#include "app/cli/CliSupport.h"
#include "engine/calendar/Clock.h"
#include "engine/limits/LimitExport.h"
#include "engine/month/MonthSpan.h"
#include "engine/session/Session.h"
#include "engine/text/Cp932.h"
#include "engine/totals/PeriodTotals.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace mitoran {

namespace {

struct LimitsWords {
    std::vector<std::string> month; // year and month, or nothing for the month of the day
    std::optional<std::string> at;
    std::optional<std::string> csv;
};

void PrintCells(const LimitExportCells& cells, std::ostream& out) {
    for (std::size_t c = 0; c < cells.size(); ++c)
        out << (c > 0 ? "\t" : "") << Cp932ToUtf8(cells[c]);
    out << '\n';
}

// The agreement year's table, the headroom of the month and, when the month holds the day, its forecast.
void PrintLimitYear(const AgreementYear& year, YearMonth month, std::ostream& out) {
    out << "協定年度\t" << AgreementYearRangeText(year) << '\n';
    PrintCells(LimitExportHeaders(), out);
    for (const LimitMonth& row : year.months)
        PrintCells(LimitExportRow(row), out);
    const Headroom& headroom = year.Find(month)->headroom;
    out << "今月あと\t" << Cp932ToUtf8(LimitTimeText(headroom.minutes)) << '\t'
        << Cp932ToUtf8(LimitRuleName(headroom.binding.rule)) << '\n';
    if (year.forecast && year.forecast->month == month)
        out << "見込み\t" << Cp932ToUtf8(LimitTimeText(year.forecast->overtime)) << '\n';
}

// The years whose agreement years are shown, as the window moves through them: every month of them has a year of
// four digits.
bool IsShownYear(int year) {
    return year >= kPeriodFirstYear && year <= kPeriodLastYear;
}

int YearRefused(std::ostream& err) {
    return UsageError(err, "年は " + std::to_string(kPeriodFirstYear) + "〜" + std::to_string(kPeriodLastYear) +
                               " の範囲で指定してください");
}

// The agreement year holding the month (by default the sheet month of the day), from the month files as saved;
// with --csv only the table, as a CSV file.
int RunLimits(const LimitsWords& words, CliEnvironment& environment) {
    const bool typed = words.month.size() == 2;
    const std::optional<int> year = typed ? ParseNumber(words.month[0], 1, 9999) : std::nullopt;
    const std::optional<int> month = typed ? ParseNumber(words.month[1], 1, 12) : std::nullopt;
    if (!words.month.empty() && (!year || !month))
        return UsageError(environment.err, typed ? "年と月を数字で指定してください (例: 2024 3)" : "");
    const LocalDateTime now = environment.clock.Now();
    const std::optional<CalendarDate> today =
        words.at ? ParseDate(*words.at) : std::optional<CalendarDate>({now.year, now.month, now.day});
    if (!today)
        return UsageError(environment.err, "--at には日付を \"2024-03-21\" の形で指定してください");
    return InSession(
        environment,
        [&](Session& session) {
            const YearMonth chosen = typed ? YearMonth{*year, *month} : SheetMonthOf(*today, session.settings.SimeDay);
            if (!IsShownYear(chosen.year))
                return YearRefused(environment.err);
            const AgreementYear limits = ReadAgreementYear(session.Location(), session.settings, chosen, today);
            if (words.csv)
                WriteOutput(*words.csv, LimitCsvText(limits), environment.out);
            else
                PrintLimitYear(limits, chosen, environment.out);
            return static_cast<int>(kCliOk);
        },
        true);
}

} // namespace

void AddLimitsCommand(CLI::App& app, CliAction& chosen) {
    auto words = std::make_shared<LimitsWords>();
    CLI::App* command =
        AddCommand(app, "limits", "limits [年 月] [--at YYYY-MM-DD] [--csv ファイル]",
                   "36協定の協定年度の12か月（時間外、休日労働、合計、2〜6か月平均、60時間超、\n"
                   "時間外累計、上限超え回数）と、その月の残り時間と決め手の上限をタブ区切りで表示する。\n"
                   "月に今日（--at の日）があれば見込みも表示する。何も書き込まない");
    AddWords(*command, "month", words->month, "年 月", "協定年度を選ぶ月（なければ今日の月）");
    AddValueOption(*command, "--at", words->at, "YYYY-MM-DD", "今日の代わりに使う日");
    AddValueOption(*command, "--csv", words->csv, "ファイル",
                   "表だけを CSV ファイル（CP932）に書き、ほかは何も表示しない（- なら標準出力）");
    command->callback([&chosen, words] {
        chosen.run = [words](CliEnvironment& environment) { return RunLimits(*words, environment); };
    });
}

} // namespace mitoran
