// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"
#include "engine/leave/Ledger.h"
#include "engine/month/Calculation.h"
#include "engine/month/MonthFile.h"
#include "engine/month/MonthSheet.h"
#include "engine/month/MonthSpan.h"
#include "engine/session/OtherWriters.h"
#include "engine/settings/HolidayList.h"
#include "engine/settings/Settings.h"
#include "engine/text/WriterLock.h"

#include <optional>
#include <string>

// One run of the program: whose data is shown, their settings, holiday list, paid-leave ledger and
// the month on display. The desktop program and the command line both work through it.
namespace mitoran {

class Folders;
class Questions;
class SettingsStore;

CalendarRules CalendarRulesOf(const Settings& settings);

// When a first run writes the holiday list it creates: at once, or when WritePendingFiles is called (the
// desktop program writes it once its window is on screen), or never: a run that only looks creates no folder
// and writes neither the holiday list nor the ".SET" file (give it an OverlaySettingsStore to keep the store
// as it is, too).
enum class FirstRunFiles { WriteNow, WriteLater, Never };

class Session {
public:
    // The writer lock keeps other programs' writes of the data folder out of the session's; without one the
    // files are shared with nobody.
    Session(SettingsStore& store, const Folders& folders, std::string startUser, WriterLock* writerLock = nullptr);

    const std::string& StartUser() const { return m_startUser; }
    const std::string& CurrentUser() const { return m_currentUser; }

    // Makes the user current and loads their settings, ledger amounts and holiday list. The user's
    // folder is created when missing. Throws FileWriteError when a first-run file cannot be written, once
    // everything is loaded.
    void LoadUser(std::string user, FirstRunFiles files = FirstRunFiles::WriteNow);
    // Writes the first-run files LoadUser left for later, once. Throws FileWriteError.
    void WritePendingFiles();

    // Holds the data folder's writer lock while the hold lives: a read-modify-write of a data or settings file
    // holds it for the whole of it. The saves below take it themselves (a hold already there is taken again).
    // Throws WriterLockBusy when another program keeps it.
    WriterLockHold HoldWriterLock() const;

    // Shows the sheet month: its file, or a new month from the calendar. Unsaved edits of the month
    // already held stay unless forced. A span shown before is over.
    bool ShowMonth(int year, int month, bool force);
    // Recalculates and writes the month held, then brings the ledger up to date with the days whose
    // category or memo changed since the saved copy, which then equals the sheet. Throws FileWriteError:
    // when the month file cannot be written, the old file, the ledger and the saved copy stay. Does nothing
    // while a span is shown: its days belong to other months' files.
    MonthCalculation SaveShownMonth();
    // The window's save: SaveShownMonth when the month file is still the one loaded; when another program
    // wrote it since, the month is reloaded or the user asked (SaveUnlessChangedElsewhere). Kept, without a
    // question, while a span is shown.
    SaveOutcome SaveShownMonthChecked(Questions& questions);
    // The paid-leave window's save of the ledger, checked the same way.
    SaveOutcome SaveLedgerChecked(Questions& questions);

    // Recalculates the month or span on display for a view of its figures (the pay window): the values computed
    // are no edit of the user's, so a month without edits stays without them.
    void RecalculateForView();

    // Shows a span of 1 to 31 days in place of the month and calculates it. The month shown before is
    // remembered; a span that replaces another keeps the month from before the first. False, and nothing
    // changes, when the span is not 1 to 31 days long.
    bool ShowSpan(const DaySpan& span);
    // Shows the month remembered by ShowSpan again, reloaded from its file; nothing when no span is shown.
    void ReleaseSpan();
    bool SpanShown() const { return m_monthBeforeSpan.has_value(); }

    // The settings as stored again, with the ledger's half-day amounts (the settings dialog's Cancel).
    void ReloadSettings();
    // The settings dialog's OK with the settings its controls hold: the edited holiday list is written, then the
    // settings are saved and written out; both become those in use and the ledger takes the half-day amounts.
    // All or nothing: when the list, the store or the ".SET" file cannot be written, what was written is put back,
    // the settings and the list in use stay, and FileWriteError is thrown.
    void RegisterSettings(const Settings& edited, const HolidayList& editedList);
    // Reads the current user's holiday list for the settings dialog (LoadHolidayList) and remembers the file
    // as read, for RegisterSettingsChecked.
    void ReadHolidayListForEditing(HolidayList& list);
    // The settings dialog's OK when its holiday list may have been written elsewhere since it was read:
    // RegisterSettings when the file is unchanged or the user overwrites it; the settings with the file's
    // list (which then replaces `editedList`) when it is reloaded; nothing at all when kept.
    SaveOutcome RegisterSettingsChecked(const Settings& edited, HolidayList& editedList, Questions& questions);
    // The default user's settings and holiday list, read for "ｶﾚﾝﾄ設定読み込み" without writing anything:
    // the settings replace those held, the list goes to `list`.
    void ReadDefaultUserSettings(HolidayList& list);
    // Deletes the month's file and loads the month anew under the present settings. Throws FileWriteError
    // when the file cannot be deleted.
    void RecreateMonth(int year, int month);
    std::filesystem::path HolidayListPath() const;

    SettingsContext Context() {
        return {m_store, m_folders, m_currentUser, m_startUser, m_files != FirstRunFiles::Never};
    }
    MonthLocation Location() const;

    Settings settings;
    HolidayList holidays;
    Ledger ledger;
    MonthSheet sheet;

private:
    std::filesystem::path HolidayListPathOf(std::string_view user) const;
    void TakeHalfDayAmounts();
    void SaveSettingsAllOrNothing(const Settings& edited);

    SettingsStore& m_store;
    const Folders& m_folders;
    WriterLock* m_writerLock;
    std::string m_startUser;
    std::string m_currentUser;
    bool m_holidayListPending = false;
    FirstRunFiles m_files = FirstRunFiles::WriteNow;
    std::optional<YearMonth> m_monthBeforeSpan;
    HolidayList m_holidaysAsRead;
    FileStamp m_holidaysStamp;
};

} // namespace mitoran
