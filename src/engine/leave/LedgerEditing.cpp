// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/leave/LedgerEditing.h"

#include "engine/calendar/DayCategory.h"
#include "engine/settings/Settings.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/CsvText.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <vector>

namespace mitoran {

namespace {

constexpr int kSaturdaySlot = 6;
constexpr int kSundaySlot = 7;
constexpr int kCategorySlotCount = 6;
constexpr int kOrdinaryCategoryCount = kLeaveCategoryCount - 1;

// Writes the normalised date and its weekday; false when the row holds no date.
bool NormalizeRowDate(LedgerRow& row) {
    const YmdText ymd = NormalizeYmdText(row[LedgerColumn::Date]);
    if (ymd.text.empty())
        return false;
    row[LedgerColumn::Date] = ymd.text;
    row[LedgerColumn::Weekday] = WeekdayText(ymd.year, ymd.month, ymd.day);
    return true;
}

void WriteCategory(LedgerRow& row, LeaveCategory category, const Ledger& ledger) {
    row[LedgerColumn::Category] = LeaveCategoryText(category);
    const float amount = ledger.DayAmount(category);
    if (amount != 0.0F)
        row[LedgerColumn::Days] = RealToText(5, 1, amount);
}

// "2024/04/06" as 2024/4/6: each part read as a number.
std::string CsvDate(std::string_view date) {
    const auto part = [date](std::size_t from, std::size_t length) {
        return std::to_string(TextToIntDef(date.substr(std::min(from, date.size()), length), 0));
    };
    return part(0, 4) + "/" + part(5, 2) + "/" + part(8, 2);
}

} // namespace

void FillDateCell(LedgerRow& row, const CalendarDate& today) {
    if (!NormalizeRowDate(row)) {
        row[LedgerColumn::Date] = LedgerDateText(today);
        NormalizeRowDate(row);
    }
}

bool CycleCategory(LedgerRow& row, const Ledger& ledger) {
    if (!NormalizeRowDate(row))
        return false;
    const std::optional<LeaveCategory> current = LeaveCategoryOfText(row[LedgerColumn::Category]);
    if (!current)
        return false;
    WriteCategory(row, static_cast<LeaveCategory>(static_cast<int>(*current) % kOrdinaryCategoryCount + 1), ledger);
    return true;
}

bool ApplyCategory(LedgerRow& row, LeaveCategory category, const Ledger& ledger) {
    if (!NormalizeRowDate(row))
        return false;
    WriteCategory(row, category, ledger);
    return true;
}

bool LeaveYearEndsBelow(std::string_view date, std::string_view nextDate, int yukyuMonth) {
    if (yukyuMonth <= 0)
        return false;
    const YmdText ymd = NormalizeYmdText(date);
    if (ymd.text.empty())
        return false;
    const int boundaryYear = (yukyuMonth == 1 || ymd.month >= yukyuMonth) ? ymd.year + 1 : ymd.year;
    const std::string boundary = PadNumber(boundaryYear, 4, "0") + "/" + PadNumber(yukyuMonth, 2, "0");
    return NormalizeYmdText(nextDate).text.substr(0, 7) >= boundary;
}

LedgerTextColor LedgerCellTextColor(const LedgerRow& row, int column) {
    switch (column) {
    case kLedgerWeekdayColumn:
        if (row[LedgerColumn::Weekday] == text::kSunday)
            return LedgerTextColor::Red;
        return row[LedgerColumn::Weekday] == text::kSaturday ? LedgerTextColor::Blue : LedgerTextColor::Standard;
    case kLedgerDaysColumn:
        return TextToReal(row[LedgerColumn::Days], 1, 0.0) > 0.0 ? LedgerTextColor::Blue : LedgerTextColor::Standard;
    case kLedgerMemoColumn:
        return row.color != 0 ? LedgerTextColor::Memo : LedgerTextColor::Standard;
    default:
        return LedgerTextColor::Standard;
    }
}

std::optional<int> LedgerRowColorSlot(const LedgerRow& row, const Settings& settings) {
    std::optional<int> slot;
    if (settings.CellColorCheck[kSaturdaySlot] && row[LedgerColumn::Weekday] == text::kSaturday)
        slot = kSaturdaySlot;
    if (settings.CellColorCheck[kSundaySlot] && row[LedgerColumn::Weekday] == text::kSunday)
        slot = kSundaySlot;
    for (int k = 0; k < kCategorySlotCount; ++k) {
        // Slot k colours the category 休日, 有給, 午前, 午後, 代休 or 欠勤, the day categories after the ordinary day.
        if (settings.CellColorCheck[static_cast<std::size_t>(k)] &&
            row[LedgerColumn::Category] == InfoOf(static_cast<Kubun>(k + 1)).fullName)
            slot = k;
    }
    return slot;
}

std::optional<LedgerCell> BackTabCell(LedgerCell from) {
    switch (from.column) {
    case kLedgerDateColumn:
        return from.row <= 1 ? LedgerCell{0, 0} : LedgerCell{from.row - 1, kLedgerMemoColumn};
    case kLedgerCategoryColumn:
        return LedgerCell{from.row, kLedgerDateColumn};
    case kLedgerDaysColumn:
        return LedgerCell{from.row, kLedgerCategoryColumn};
    case kLedgerMemoColumn:
        return LedgerCell{from.row, kLedgerDaysColumn};
    default:
        return std::nullopt;
    }
}

bool TabLeavesGrid(LedgerCell from, bool ctrlHeld) {
    return ctrlHeld || (from.row == kLedgerRowCount && from.column == kLedgerMemoColumn);
}

int DeletionCount(std::string_view text) {
    return std::clamp(TextToIntDef(text, 0), 0, kLedgerRowCount);
}

CalendarDate DefaultDeletionDate(int year, int month) {
    const int monthIndex = year * 12 + (month - 1) - 25;
    const int backYear = monthIndex / 12;
    const int backMonth = monthIndex % 12 + 1;
    return {backYear, backMonth, DaysInMonth(backYear, backMonth)};
}

std::string LedgerDateText(const CalendarDate& date) {
    return PadNumber(date.year, 4, "0") + "/" + PadNumber(date.month, 2, "0") + "/" + PadNumber(date.day, 2, "0");
}

std::string LedgerCsvFileName(const Settings& settings) {
    if (settings.CSVNameAdd && !TrimText(settings.CSVFileName).empty())
        return settings.CSVFileName + " " + text::kLedgerCsvName;
    return text::kLedgerCsvName;
}

std::string LedgerCsvText(const Ledger& ledger, const Settings& settings) {
    std::string text;
    if (settings.CSVPrivateInfoAdd && !TrimText(settings.CSVPrivateInfo).empty())
        text += settings.CSVPrivateInfo + "\r\n";
    text += text::kLedgerCsvHeader + "\r\n";
    for (int i = 1; i <= ledger.EntryCount(); ++i) {
        const LedgerRow& row = ledger.Row(i);
        std::vector<std::string> fields{std::to_string(i), CsvDate(row[LedgerColumn::Date])};
        for (const LedgerColumn column : {LedgerColumn::Weekday, LedgerColumn::Category, LedgerColumn::Days,
                                          LedgerColumn::Remaining, LedgerColumn::Memo})
            fields.push_back(TrimText(row[column]));
        text += JoinCsvRecord(fields) + "\r\n";
    }
    return text;
}

void WriteLedgerCsv(const std::filesystem::path& path, const Ledger& ledger, const Settings& settings) {
    WriteExportFile(path, LedgerCsvText(ledger, settings));
}

} // namespace mitoran
