// SPDX-License-Identifier: GPL-3.0-or-later
// "totals": the period totals of a range of months, or of every month with data.
#include "app/cli/CliCommand.h"
#include "app/cli/CliHelp.h"
#include "app/cli/CliSupport.h"
#include "engine/session/Session.h"
#include "engine/text/Cp932.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"
#include "engine/totals/PeriodTotals.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace mitoran {

namespace {

struct TotalsWords {
    std::vector<std::string> range; // start year, start month, end year, end month
    bool all = false;
    std::optional<std::string> csv;
};

void PrintPeriodTable(const PeriodTable& table, std::ostream& out) {
    const auto printRow = [&out](const std::array<std::string, kPeriodColumns>& cells) {
        for (std::size_t c = 0; c < cells.size(); ++c)
            out << (c > 0 ? "\t" : "") << Cp932ToUtf8(TrimText(cells[c]));
        out << '\n';
    };
    printRow(PeriodColumnHeaders());
    for (const auto& row : table.rows)
        printRow(row);
}

int RunTotalsCommand(const std::optional<PeriodRange>& typed, const std::optional<std::string>& csvFile,
                     Session& session, std::ostream& out) {
    std::optional<PeriodResult> result;
    if (typed)
        result = PeriodResult{*typed, ComputePeriodTotals(*typed, session.Location(), session.settings)};
    else
        result = ComputeAllPeriodTotals(session.Location(), session.settings);
    if (!result) {
        out << "データのある月がありません\n";
        return kCliOk;
    }
    if (csvFile)
        WriteOutput(*csvFile, PeriodCsvText(result->range, result->table, session.settings), out);
    if (csvFile != "-")
        PrintPeriodTable(result->table, out);
    return kCliOk;
}

// "totals Y M Y M" as the window's range fields take them (clamped), or "totals --all".
int RunTotals(const TotalsWords& words, CliEnvironment& environment) {
    if (!AreRangeNumbers(words.range) || words.range.size() != (words.all ? 0U : 4U))
        return UsageError(environment.err);
    std::optional<PeriodRange> typed;
    if (!words.all) {
        typed = ClampedRange(words.range[0], words.range[1], words.range[2], words.range[3]);
        if (!IsOrdered(*typed)) {
            environment.err << Cp932ToUtf8(text::kPeriodRangeRefused) << '\n';
            return kCliUsage;
        }
    }
    return InSession(
        environment, [&](Session& session) { return RunTotalsCommand(typed, words.csv, session, environment.out); },
        true);
}

} // namespace

void AddTotalsCommand(CLI::App& app, CliAction& chosen) {
    auto words = std::make_shared<TotalsWords>();
    CLI::App* command = AddCommand(app, "totals",
                                   "totals 開始年 開始月 終了年 終了月 [--csv ファイル]\n"
                                   "totals --all [--csv ファイル]",
                                   "期間集計（--all ならデータのあるすべての月）をタブ区切りで表示する");
    AddWords(*command, "range", words->range, "開始年 開始月 終了年 終了月", "集計する期間の最初と最後の月");
    command->add_flag("--all", words->all, "データのあるすべての月を集計する");
    AddValueOption(*command, "--csv", words->csv, "ファイル",
                   "期間集計の CSV ファイルも書く（- なら標準出力へ CSV だけを書く）");
    command->callback([&chosen, words] {
        chosen.run = [words](CliEnvironment& environment) { return RunTotals(*words, environment); };
    });
}

} // namespace mitoran
