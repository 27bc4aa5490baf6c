// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/print/PrintLists.h"

#include "engine/calendar/DayCategory.h"
#include "engine/leave/Ledger.h"
#include "engine/limits/LimitTable.h"
#include "engine/month/MonthCsv.h"
#include "engine/month/MonthSheet.h"
#include "engine/settings/Settings.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"
#include "engine/totals/PeriodTotals.h"

#include <algorithm>
#include <array>

namespace mitoran {

namespace {

// Widths in half-width characters of the columns before the memo; the memo takes "PrintMemo" characters.
constexpr std::array<int, kDayColumnCount - 1> kDayChars{5, 2, 2, 5, 5, 5, 5, 5};
constexpr std::array<PrintAlign, kDayColumnCount - 1> kDayAligns{
    PrintAlign::Left,  PrintAlign::Center, PrintAlign::Center, PrintAlign::Right,
    PrintAlign::Right, PrintAlign::Right,  PrintAlign::Right,  PrintAlign::Right};
constexpr std::array<int, kPeriodColumns> kPeriodChars{7, 6, 6, 6, 6, 6, 8, 8, 8, 8};
constexpr int kFirstPeriodTimeColumn = 6;
constexpr std::array<int, kLedgerColumnCount> kLedgerChars{3, 10, 2, 4, 5, 5};
constexpr int kSummaryChars = 7;
constexpr std::array<int, kLimitColumnCount> kLimitChars{7, 7, 8, 7, 13, 8, 10, 12};
// "PrintMemo" is at least 10 characters.
constexpr int kMinMemoChars = 10;

int MemoChars(const Settings& settings) {
    return std::max(settings.PrintMemo, kMinMemoChars);
}

std::string TimeCell(std::string_view text, const Settings& settings) {
    return TrimText(DecimalTimeText(text, settings.PrintTime));
}

CellFill SummaryFill(const Settings& settings) {
    return settings.PrintForm == 0 ? CellFill::Shade : CellFill::None;
}

PrintColumn MemoColumn(const std::string& header, const Settings& settings) {
    return {TrimText(header), MemoChars(settings) * 2, PrintAlign::Left, true};
}

bool IsDayOff(const DayRecord& day) {
    return KubunOfMark(day[DayColumn::Kubun]) == Kubun::Holiday;
}

PrintRow DayRow(const DayRecord& day, const Settings& settings) {
    PrintRow row;
    for (std::size_t c = 0; c < kDayColumnCount; ++c) {
        const auto column = static_cast<DayColumn>(c);
        const std::string& text = day[column];
        if (column == DayColumn::Zangyo || column == DayColumn::Shinya || column == DayColumn::Kinmu)
            row.cells.push_back(TimeCell(text, settings));
        else if (column == DayColumn::Memo)
            row.cells.push_back(CutToCharacters(TrimText(text), MemoChars(settings)));
        else
            row.cells.push_back(column == DayColumn::Date ? text : TrimText(text));
    }
    row.fill = settings.PrintGary && IsDayOff(day) ? CellFill::Grey : CellFill::None;
    return row;
}

PrintTable DayTable(const MonthSheet& sheet, const Settings& settings) {
    PrintTable table;
    const auto& headers = DayColumnHeaders();
    for (std::size_t c = 0; c < kDayChars.size(); ++c)
        table.columns.push_back({TrimText(headers[c]), kDayChars[c], kDayAligns[c]});
    table.columns.push_back(MemoColumn(headers.back(), settings));
    for (int d = 1; d <= std::clamp(sheet.dayCount, 0, kMaxDays); ++d)
        table.rows.push_back(DayRow(sheet.days[static_cast<std::size_t>(d)], settings));
    return table;
}

PrintTable SummaryTable(const MonthSummary& summary, const Settings& settings) {
    PrintTable table;
    table.keepTogether = true;
    PrintRow values{{}, SummaryFill(settings)};
    for (const SummaryField& field : SummaryFieldsOf(summary)) {
        table.columns.push_back({field.label, kSummaryChars, PrintAlign::Right});
        values.cells.push_back(field.isTime ? TimeCell(field.text, settings) : TrimText(field.text));
    }
    table.rows.push_back(std::move(values));
    return table;
}

std::string DayOfDateText(const DayRecord& day) {
    return TrimText(day[DayColumn::Date]);
}

// "90%以上 (月の上限)": the highest level of the month and the first limit that reached it.
std::string MonthLevelText(const LimitMonth& month) {
    const std::vector<LimitStatus> statuses = LimitStatusesOf(month);
    const auto highest = std::ranges::max_element(statuses, {}, &LimitStatus::level); // the first of equal ones
    if (highest == statuses.end() || highest->level == LimitLevel::None)
        return {};
    return LimitLevelName(highest->level) + " (" + LimitRuleName(highest->check.rule) + ")";
}

PrintTable LimitMonthsTable(const AgreementYear& year) {
    static const std::string levelHeader = Utf8ToCp932("水準");
    PrintTable table;
    const auto& headers = LimitColumnHeaders();
    for (std::size_t c = 0; c < headers.size(); ++c)
        table.columns.push_back({headers[c], kLimitChars[c], c == 0 ? PrintAlign::Left : PrintAlign::Right});
    table.columns.push_back({levelHeader, static_cast<int>(levelHeader.size()), PrintAlign::Left, true});
    for (const LimitMonth& month : year.months) {
        PrintRow row;
        for (int c = 0; c < kLimitColumnCount; ++c)
            row.cells.push_back(LimitCellText(month, static_cast<LimitColumn>(c)));
        row.cells.push_back(MonthLevelText(month));
        table.rows.push_back(std::move(row));
    }
    return table;
}

// The limits the months are held to: a column each, their values in one row.
PrintTable LimitsInForceTable(const LimitSettings& limits, const Settings& settings) {
    std::vector<std::pair<std::string, std::string>> values{
        {LimitRuleName(LimitRule::Month), LimitTimeText(limits.Month)}};
    if (limits.Special) {
        static const std::string times = Utf8ToCp932("特別条項の回数");
        static const std::string timesUnit = Utf8ToCp932("回");
        values.insert(values.end(), {{LimitRuleName(LimitRule::SpecialMonth), LimitTimeText(limits.SpecialMonth)},
                                     {LimitRuleName(LimitRule::SpecialYear), LimitTimeText(limits.SpecialYear)},
                                     {times, std::to_string(limits.SpecialTimes) + timesUnit}});
    } else {
        values.emplace_back(LimitRuleName(LimitRule::Year), LimitTimeText(limits.Year));
    }
    values.emplace_back(LimitRuleName(LimitRule::Under100), LimitTimeText(kUnder100Limit));
    values.emplace_back(LimitRuleName(LimitRule::Average), LimitTimeText(kAverageMonthLimit));
    PrintTable table;
    table.keepTogether = true;
    PrintRow row{{}, SummaryFill(settings)};
    for (auto& [name, value] : values) {
        table.columns.push_back({name, static_cast<int>(name.size()), PrintAlign::Right});
        row.cells.push_back(std::move(value));
    }
    table.rows.push_back(std::move(row));
    return table;
}

} // namespace

std::string MonthPeriodText(const MonthSheet& sheet, int year, int month) {
    std::string text = YearMonthName(year, month);
    if (sheet.dayCount < 1 || sheet.dayCount > kMaxDays)
        return text;
    const DayRecord& first = sheet.days[1];
    const DayRecord& last = sheet.days[static_cast<std::size_t>(sheet.dayCount)];
    if (TextToIntDef(RightChars(TrimText(first[DayColumn::Date]), 2), 1) != 1)
        text += " (" + DayOfDateText(first) + text::kPeriodNameSeparator + DayOfDateText(last) + ")";
    return text;
}

PrintList MonthPrintList(const MonthSheet& sheet, std::string period, const Settings& settings) {
    return {settings.ZangyoTitle,
            std::move(period),
            settings.ZangyoPrintMuki,
            {DayTable(sheet, settings), SummaryTable(sheet.summary, settings)}};
}

PrintList PeriodPrintList(const PeriodRange& range, const PeriodTable& table, const Settings& settings) {
    PrintTable printed;
    const auto& headers = PeriodColumnHeaders();
    for (std::size_t c = 0; c < headers.size(); ++c)
        printed.columns.push_back(
            {TrimText(headers[c]), kPeriodChars[c], c == 0 ? PrintAlign::Left : PrintAlign::Right});
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        PrintRow row;
        for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
            const std::string& text = table.rows[r][c];
            row.cells.push_back(static_cast<int>(c) >= kFirstPeriodTimeColumn ? TimeCell(text, settings)
                                                                              : TrimText(text));
        }
        row.fill = static_cast<int>(r) >= table.MonthCount() ? SummaryFill(settings) : CellFill::None;
        printed.rows.push_back(std::move(row));
    }
    return {settings.YearTitle, PeriodRangeName(range), settings.YearPrintMuki, {std::move(printed)}};
}

PrintList LedgerPrintList(const Ledger& ledger, const Settings& settings) {
    PrintTable entries;
    const auto& headers = LedgerColumnHeaders();
    entries.columns.push_back({TrimText(headers[0]), kLedgerChars[0], PrintAlign::Right});
    for (std::size_t c = 1; c < kLedgerColumnCount; ++c) {
        const auto column = static_cast<LedgerColumn>(c - 1);
        const bool number = column == LedgerColumn::Days || column == LedgerColumn::Remaining;
        entries.columns.push_back(
            {TrimText(headers[c]), kLedgerChars[c], number ? PrintAlign::Right : PrintAlign::Left});
    }
    entries.columns.push_back(MemoColumn(headers.back(), settings));
    for (int r = 1; r <= ledger.EntryCount(); ++r) {
        PrintRow row{{std::to_string(r)}, CellFill::None};
        for (const std::string& cell : ledger.Row(r).cells)
            row.cells.push_back(TrimText(cell));
        row.cells.back() = CutToCharacters(row.cells.back(), MemoChars(settings));
        entries.rows.push_back(std::move(row));
    }

    PrintTable balances;
    balances.keepTogether = true;
    balances.columns = {{text::kKuriZanLabel, kSummaryChars, PrintAlign::Right},
                        {text::kNowZanLabel, kSummaryChars, PrintAlign::Right}};
    balances.rows.push_back(
        {{TrimText(ledger.CarryOverText()), TrimText(ledger.CurrentBalanceText())}, SummaryFill(settings)});

    std::string period;
    if (ledger.EntryCount() > 0)
        period = ledger.Row(1)[LedgerColumn::Date] + text::kPeriodNameSeparator +
                 ledger.Row(ledger.EntryCount())[LedgerColumn::Date];
    return {settings.YukyuTitle, std::move(period), settings.YukyuPrintMuki, {std::move(entries), std::move(balances)}};
}

PrintList LimitPrintList(const AgreementYear& year, const Settings& settings) {
    static const std::string title = Utf8ToCp932("36協定 時間外労働・休日労働");
    static const std::string period = Utf8ToCp932("協定年度 ");
    return {title,
            period + AgreementYearName(year),
            1,
            {LimitMonthsTable(year), LimitsInForceTable(settings.Limits, settings)}};
}

} // namespace mitoran
