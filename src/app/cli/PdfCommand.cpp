// SPDX-License-Identifier: GPL-3.0-or-later
// "pdf": a printed list (the month, the period totals, the paid-leave ledger or the agreement year's limits)
// laid out on A4 as the print settings say, dated today, and written as PDF.
#include "app/cli/CliCommand.h"
#include "app/cli/CliHelp.h"
#include "app/cli/CliSupport.h"
#include "engine/calendar/Clock.h"
#include "engine/limits/AgreementYear.h"
#include "engine/print/PrintLists.h"
#include "engine/session/Session.h"
#include "engine/text/Cp932.h"
#include "engine/text/Texts.h"
#include "engine/totals/PeriodTotals.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>

namespace mitoran {

namespace {

struct PdfWords {
    std::vector<std::string> words; // the list's year and month (or range), then the file
    bool totals = false;
    bool leave = false;
    bool limits = false;
};

std::optional<YearMonth> MonthOf(const std::vector<std::string>& words) {
    const std::optional<int> year = ParseNumber(words[0], 1, 9999);
    const std::optional<int> month = ParseNumber(words[1], 1, 12);
    return year && month ? std::optional<YearMonth>(YearMonth{*year, *month}) : std::nullopt;
}

// The words before the file fit the list asked for.
bool WordsFit(const PdfWords& pdf) {
    const std::vector<std::string>& words = pdf.words;
    if (pdf.leave)
        return words.size() == 1;
    if (pdf.totals)
        return words.size() == 5 && AreRangeNumbers({words.begin(), words.end() - 1});
    // The agreement years of the limits are those the window shows.
    if (pdf.limits)
        return words.size() == 3 && MonthOf(words) && ParseNumber(words[0], kPeriodFirstYear, kPeriodLastYear);
    return words.size() == 3 && MonthOf(words);
}

std::optional<PrintList> ListOf(const PdfWords& pdf, Session& session, std::ostream& err) {
    const std::vector<std::string>& words = pdf.words;
    if (pdf.leave) {
        session.ledger.LoadLedger();
        return LedgerPrintList(session.ledger, session.settings);
    }
    if (pdf.totals) {
        const PeriodRange range = ClampedRange(words[0], words[1], words[2], words[3]);
        if (!IsOrdered(range)) {
            err << Cp932ToUtf8(text::kPeriodRangeRefused) << '\n';
            return std::nullopt;
        }
        return PeriodPrintList(range, ComputePeriodTotals(range, session.Location(), session.settings),
                               session.settings);
    }
    const YearMonth month = *MonthOf(words);
    if (pdf.limits)
        return LimitPrintList(ReadAgreementYear(session.Location(), session.settings, month), session.settings);
    session.ShowMonth(month.year, month.month, true);
    RecalcMonth(session.sheet, session.settings);
    return MonthPrintList(session.sheet, MonthPeriodText(session.sheet, month.year, month.month), session.settings);
}

int RunPdf(const PdfWords& pdf, CliEnvironment& environment) {
    if (!WordsFit(pdf) || !environment.renderPdf)
        return UsageError(environment.err);
    return InSession(
        environment,
        [&](Session& session) {
            const std::optional<PrintList> list = ListOf(pdf, session, environment.err);
            if (!list)
                return static_cast<int>(kCliUsage);
            const PrintDocument document =
                LayOutPrint(*list, session.settings, PrintPaper{}, PrintDateText(environment.clock));
            WriteOutput(pdf.words.back(), environment.renderPdf(document), environment.out);
            return static_cast<int>(kCliOk);
        },
        true);
}

} // namespace

void AddPdfCommand(CLI::App& app, CliAction& chosen) {
    auto pdf = std::make_shared<PdfWords>();
    CLI::App* command =
        AddCommand(app, "pdf",
                   "pdf 年 月 ファイル\n"
                   "pdf --totals 開始年 開始月 終了年 終了月 ファイル\n"
                   "pdf --leave ファイル\n"
                   "pdf --limits 年 月 ファイル",
                   "月の残業時間一覧表（再計算し、保存はしない）、期間集計、有給休暇一覧、36協定の表を、\n"
                   "印刷の設定どおりに A4 の PDF ファイルへ書く（36協定の表は横向き）");
    AddWords(*command, "words", pdf->words, "... ファイル",
             "一覧の年と月（または期間）と、書く PDF ファイル（- なら標準出力）");
    CLI::Option* totals = command->add_flag("--totals", pdf->totals, "期間集計を書く");
    CLI::Option* leave = command->add_flag("--leave", pdf->leave, "有給休暇一覧を書く");
    CLI::Option* limits = command->add_flag("--limits", pdf->limits, "36協定の表（月を含む協定年度）を書く");
    totals->excludes(leave)->excludes(limits);
    leave->excludes(limits);
    command->callback(
        [&chosen, pdf] { chosen.run = [pdf](CliEnvironment& environment) { return RunPdf(*pdf, environment); }; });
}

} // namespace mitoran
