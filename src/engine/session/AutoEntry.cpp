// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/AutoEntry.h"

#include "engine/calendar/Clock.h"
#include "engine/month/MonthSheet.h"
#include "engine/session/Navigation.h"
#include "engine/session/Session.h"
#include "engine/settings/Settings.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <functional>

namespace mitoran {

namespace {

constexpr int kLastCalendarClosingDay = 27;
constexpr int kCalendarMonthClosingDay = 31;

} // namespace

YearMonth SheetMonthOf(int year, int month, int day, int simeDay) {
    const bool calendarMonth = simeDay < 1 || simeDay > kLastCalendarClosingDay;
    return WorkingMonth(LocalDateTime{year, month, day}, calendarMonth ? kCalendarMonthClosingDay : simeDay);
}

namespace {

// The date an entry at `now` is for: a leaving before the regular start belongs to the day before.
CalendarDate EntryDate(TimeKind kind, const LocalDateTime& now, const Settings& settings) {
    const CalendarDate date{now.year, now.month, now.day};
    if (kind == TimeKind::Leaving && BeforeRegularStart(now.hour, now.minute, settings))
        return AddDays(date, -1);
    return date;
}

YearMonth EntrySheetMonth(TimeKind kind, const LocalDateTime& now, const Settings& settings) {
    const CalendarDate date = EntryDate(kind, now, settings);
    return SheetMonthOf(date.year, date.month, date.day, settings.SimeDay);
}

// Enters the time into the sheet held (the entry's sheet month) and saves it with `save`, which returns
// false when it wrote nothing.
AutoEntryResult EnterIntoHeldSheet(TimeKind kind, int mode, Session& session, const LocalDateTime& now,
                                   TimeConfirm& confirm, const std::function<bool()>& save) {
    AutoEntryResult result;
    const Settings& settings = session.settings;
    const CalendarDate date = EntryDate(kind, now, settings);
    result.sheetMonth = SheetMonthOf(date.year, date.month, date.day, settings.SimeDay);

    TimeProposal proposal = ProposeTime(kind, now, settings);
    if (kind == TimeKind::Arrival) {
        const std::string& regularStart = settings.Time[kSlotRegular].first;
        const bool early = TimeTextToMinutes(regularStart) >= TimeTextToMinutes(proposal.proposed);
        if (settings.StartTeijiIn == kTeijiInAlways || (settings.StartTeijiIn == kTeijiInWhenEarlier && early))
            proposal.proposed = regularStart;
    }

    MonthSheet& sheet = session.sheet;
    const std::string key = PadNumber(date.month, 2, " ") + "/" + PadNumber(date.day, 2, " ");
    for (int day = 1; day <= std::min(sheet.dayCount, kMaxDays) && result.day == 0; ++day) {
        if (sheet.days[static_cast<std::size_t>(day)][DayColumn::Date] == key)
            result.day = day;
    }
    if (result.day == 0) {
        result.outcome = AutoEntryOutcome::NoRow;
        return result;
    }

    const DayColumn column = kind == TimeKind::Arrival ? DayColumn::Arrival : DayColumn::Leaving;
    std::string& cell = sheet.days[static_cast<std::size_t>(result.day)][column];
    bool keep = !TrimText(cell).empty();
    if (keep && kind == TimeKind::Leaving && settings.EndOverWrite == kEndOverWrite) {
        keep = false;
    } else if (keep && kind == TimeKind::Leaving && settings.EndOverWrite == kEndOverWriteAsk) {
        keep = false;
        mode = kAutoInWindow;
        result.overwriteAsked = true;
    }
    if (keep) {
        result.outcome = AutoEntryOutcome::Kept;
        result.text = cell;
        return result;
    }

    if (mode == kAutoInSilent) {
        result.text = proposal.proposed;
    } else {
        const TimeConfirmRequest request{kind, DayLabel(sheet.days[static_cast<std::size_t>(result.day)], false),
                                         proposal, AdjustStep(kind, settings)};
        const std::optional<std::string> accepted = confirm.ConfirmTime(request);
        if (!accepted) {
            result.outcome = AutoEntryOutcome::Declined;
            result.text = cell;
            return result;
        }
        result.text = *accepted;
    }
    cell = result.text;
    result.outcome = save() ? AutoEntryOutcome::Entered : AutoEntryOutcome::EnteredUnsaved;
    return result;
}

} // namespace

AutoEntryResult AutoTimeEntry(TimeKind kind, int mode, Session& session, const LocalDateTime& now,
                              TimeConfirm& confirm) {
    AutoEntryResult result;
    if (mode != kAutoInSilent && mode != kAutoInWindow)
        return result;
    if (session.sheet.IsChanged()) {
        result.outcome = AutoEntryOutcome::Unsaved;
        return result;
    }
    const YearMonth sheetMonth = EntrySheetMonth(kind, now, session.settings);
    session.ShowMonth(sheetMonth.year, sheetMonth.month, true);
    return EnterIntoHeldSheet(kind, mode, session, now, confirm, [&session] {
        session.SaveShownMonth();
        return true;
    });
}

std::optional<AutoEntryResult> AutoTimeEntryInShownMonth(TimeKind kind, Session& session, const LocalDateTime& now,
                                                         const std::function<bool()>& save) {
    const YearMonth sheetMonth = EntrySheetMonth(kind, now, session.settings);
    if (sheetMonth.year != session.sheet.loadedYear || sheetMonth.month != session.sheet.loadedMonth)
        return std::nullopt;
    if (!session.sheet.IsChanged())
        session.ShowMonth(sheetMonth.year, sheetMonth.month, true);
    RefusingTimeConfirm noQuestion;
    return EnterIntoHeldSheet(kind, kAutoInSilent, session, now, noQuestion, save);
}

} // namespace mitoran
