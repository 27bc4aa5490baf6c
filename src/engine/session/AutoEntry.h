// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"
#include "engine/month/TimeEntry.h"

#include <functional>
#include <optional>
#include <string>

// The automatic arrival and leaving entry at start, close and session end.
namespace mitoran {

struct LocalDateTime;
class Session;

enum class AutoEntryOutcome {
    Off,      // the mode is 0
    Unsaved,  // the month held has unsaved changes: nothing was loaded or entered
    NoRow,    // the sheet month has no row for the date
    Kept,     // a time was already there and stays
    Declined, // the user cancelled the confirmation
    Entered,  // the time was entered and the month saved
    // the time was entered into the month held but its save wrote nothing: it stays there as an edit
    EnteredUnsaved,
};

struct AutoEntryResult {
    AutoEntryOutcome outcome = AutoEntryOutcome::Off;
    YearMonth sheetMonth;        // the sheet month now held (when it was loaded)
    int day = 0;                 // the row of the date
    std::string text;            // the time entered, or the one kept
    bool overwriteAsked = false; // "EndOverWrite" 1 turned an existing leaving time into a question
};

// The sheet month that holds a date: a day past the closing day belongs to the next month, unless the
// closing day gives the calendar month.
YearMonth SheetMonthOf(int year, int month, int day, int simeDay);

// Enters today's arrival (kind Arrival, mode "StartAutoIn") or leaving time (kind Leaving, mode
// "EndAutoIn") into the sheet month that holds the date, loaded afresh, and saves it. A leaving before the
// regular start goes to the day before. An arrival is never overwritten; an existing leaving time is
// replaced, confirmed or kept as "EndOverWrite" says. Unsaved changes of the month held are never
// dropped: the caller runs the leave-month check first. Throws FileWriteError when the save fails.
AutoEntryResult AutoTimeEntry(TimeKind kind, int mode, Session& session, const LocalDateTime& now,
                              TimeConfirm& confirm);

// The command line's stamp performed by the window that shows the date's sheet month, without a question:
// the month is read afresh when it holds no edits, and otherwise the stamp joins them; `save` is the
// window's own save and returns whether it wrote the month. Nothing when another month is shown.
std::optional<AutoEntryResult> AutoTimeEntryInShownMonth(TimeKind kind, Session& session, const LocalDateTime& now,
                                                         const std::function<bool()>& save);

} // namespace mitoran
