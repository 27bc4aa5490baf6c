// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/leave/LedgerSync.h"

#include "engine/leave/Ledger.h"
#include "engine/month/MonthCalendar.h"
#include "engine/month/MonthSheet.h"
#include "engine/text/Util.h"

#include <optional>
#include <string>

namespace mitoran {

namespace {

// The date of the sheet's last day row: the sheet's year with the month and day of its saved date text
// (" 3/20"). The last row always lies in the sheet month itself, whatever the closing day.
std::optional<CalendarDate> LastRowDate(const MonthSheet& sheet, int year) {
    if (sheet.dayCount < 1 || sheet.dayCount > kMaxDays)
        return std::nullopt;
    const CalendarDate date = RowDateInYear(sheet.saved[sheet.dayCount][DayColumn::Date], year);
    if (!IsValidDate(date))
        return std::nullopt;
    return date;
}

std::string SlotDateText(const CalendarDate& lastRowDate, int dayCount, int slot) {
    const CalendarDate date = AddDays(lastRowDate, slot - dayCount);
    return PadNumber(date.year, 4, "0") + "/" + PadNumber(date.month, 2, "0") + "/" + PadNumber(date.day, 2, "0");
}

bool BooksLeave(std::string_view mark) {
    return LeaveCategoryOfKubunMark(mark).has_value();
}

class LedgerUpdate {
public:
    explicit LedgerUpdate(Ledger& ledger) : m_ledger(ledger) {}

    // The ledger is read from its file just before the first change of this save.
    Ledger& Open() {
        if (!m_loaded) {
            m_ledger.LoadLedger();
            m_loaded = true;
        }
        return m_ledger;
    }

    void Close() {
        if (m_loaded && m_ledger.IsChanged())
            m_ledger.SaveLedger();
    }

    void ApplyDay(const std::string& date, const DayRecord& day, const DayRecord& saved) {
        const std::string& mark = day[DayColumn::Kubun];
        const std::string& savedMark = saved[DayColumn::Kubun];
        const bool markChanged = TrimText(mark) != TrimText(savedMark);
        const bool colorChanged = day.memoColor != saved.memoColor;
        const bool memoChanged = day[DayColumn::Memo] != saved[DayColumn::Memo];
        // Marks other than 有, 前 and 後 never touch the ledger, so they need not read it.
        if ((markChanged || colorChanged) && (BooksLeave(mark) || BooksLeave(savedMark))) {
            Open().ReplaceEntryForDay(date, savedMark, mark, day.memoColor, day[DayColumn::Memo]);
        }
        const std::optional<LeaveCategory> category = LeaveCategoryOfKubunMark(mark);
        if ((memoChanged || colorChanged) && category)
            Open().UpdateEntryMemo(date, LeaveCategoryText(*category), day.memoColor, day[DayColumn::Memo]);
    }

private:
    Ledger& m_ledger;
    bool m_loaded = false;
};

} // namespace

void UpdateLedgerFromMonth(MonthSheet& sheet, int year, Ledger& ledger) {
    const auto previousSaved = sheet.saved;
    const std::optional<CalendarDate> lastRowDate = LastRowDate(sheet, year);
    LedgerUpdate update(ledger);
    try {
        for (int slot = 1; slot <= kMaxDays; ++slot) {
            if (lastRowDate)
                update.ApplyDay(SlotDateText(*lastRowDate, sheet.dayCount, slot), sheet.days[slot], sheet.saved[slot]);
            sheet.saved[slot] = sheet.days[slot];
        }
        update.Close();
    } catch (...) {
        sheet.saved = previousSaved;
        throw;
    }
}

} // namespace mitoran
