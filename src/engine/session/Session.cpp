// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/Session.h"

#include "engine/leave/LedgerSync.h"
#include "engine/settings/Folders.h"
#include "engine/settings/OverlaySettingsStore.h"
#include "engine/settings/SettingsStore.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/Util.h"

#include <exception>
#include <utility>

namespace mitoran {

CalendarRules CalendarRulesOf(const Settings& settings) {
    CalendarRules rules;
    rules.simeDay = settings.SimeDay;
    rules.weekCheck = settings.WeekCheck;
    rules.seijinDay = settings.SeijinDay;
    rules.springDay = settings.SpringDay;
    rules.autumnDay = settings.AutumnDay;
    rules.sportDay = settings.SportDay;
    rules.oceanDay = settings.OceanDay;
    rules.oldManDay = settings.OldManDay;
    return rules;
}

Session::Session(SettingsStore& store, const Folders& folders, std::string startUser, WriterLock* writerLock)
    : m_store(store), m_folders(folders), m_writerLock(writerLock), m_startUser(std::move(startUser)),
      m_currentUser(m_startUser) {}

WriterLockHold Session::HoldWriterLock() const {
    return WriterLockHold(m_writerLock, m_folders.DataFolder());
}

void Session::LoadUser(std::string user, FirstRunFiles files) {
    m_currentUser = std::move(user);
    m_files = files;
    if (files != FirstRunFiles::Never)
        EnsureUserFolder(m_folders, m_currentUser);
    // A first-run file that cannot be written is reported once the user is loaded whole: the ledger's folder
    // and the holiday list are needed all the same. The first refusal is the one reported.
    std::exception_ptr refused;
    try {
        LoadSettings(settings, Context());
    } catch (const FileWriteError&) {
        refused = std::current_exception();
    }
    TakeHalfDayAmounts();
    ledger.SetLocation(m_folders.DataFolder(), m_currentUser);
    if (files == FirstRunFiles::WriteNow) {
        try {
            LoadHolidayList(holidays, HolidayListPath());
        } catch (const FileWriteError&) {
            if (!refused)
                refused = std::current_exception();
        }
    } else {
        m_holidayListPending = !ReadHolidayList(holidays, HolidayListPath()) && files == FirstRunFiles::WriteLater;
    }
    if (refused)
        std::rethrow_exception(refused);
}

void Session::WritePendingFiles() {
    if (!m_holidayListPending)
        return;
    const WriterLockHold held = HoldWriterLock();
    m_holidayListPending = false;
    SaveHolidayList(holidays, HolidayListPath());
}

void Session::TakeHalfDayAmounts() {
    const auto [morning, afternoon] = HalfDayAmounts(settings);
    ledger.SetHalfDayAmounts(static_cast<float>(morning), static_cast<float>(afternoon));
}

void Session::ReloadSettings() {
    LoadSettings(settings, Context());
    TakeHalfDayAmounts();
}

void Session::SaveSettingsNow() {
    TakeHalfDayAmounts();
    SaveSettings(settings, Context());
    m_store.Flush();
}

void Session::RegisterSettings(const HolidayList& edited) {
    const WriterLockHold held = HoldWriterLock();
    SaveSettingsNow();
    HolidayList written = edited;
    SaveHolidayList(written, HolidayListPath());
    holidays = written;
    m_holidayListPending = false;
    m_holidaysAsRead = written;
    m_holidaysStamp = StampOfFile(HolidayListPath());
}

void Session::ReadHolidayListForEditing(HolidayList& list) {
    // Taken before reading: a write in between then shows as a change, never as the file read.
    m_holidaysStamp = StampOfFile(HolidayListPath());
    try {
        LoadHolidayList(list, HolidayListPath());
    } catch (const FileWriteError&) {
        m_holidaysAsRead = list;
        throw;
    }
    m_holidaysAsRead = list;
    // A list the read just created is the one the dialog stands on, and the first run's write of it is done.
    if (!m_holidaysStamp.exists) {
        m_holidaysStamp = StampOfFile(HolidayListPath());
        m_holidayListPending = false;
    }
}

SaveOutcome Session::RegisterSettingsChecked(HolidayList& edited, Questions& questions) {
    const auto reload = [&] {
        SaveSettingsNow();
        ReadHolidayListForEditing(edited);
        holidays = edited;
    };
    return SaveUnlessChangedElsewhere(
        HolidayListPath(), m_holidaysStamp, edited != m_holidaysAsRead, questions, [&] { RegisterSettings(edited); },
        reload, [this] { return HoldWriterLock(); });
}

void Session::ReadDefaultUserSettings(HolidayList& list) {
    OverlaySettingsStore untouched(m_store);
    LoadSettings(settings, {untouched, m_folders, "", m_startUser, false});
    ReadHolidayList(list, HolidayListPathOf(""));
}

void Session::RecreateMonth(int year, int month) {
    const WriterLockHold held = HoldWriterLock();
    const std::filesystem::path file = MonthFilePath(m_folders.DataFolder(), year, month, m_currentUser);
    std::error_code error;
    if (std::filesystem::exists(file, error) && !std::filesystem::remove(file, error))
        throw FileWriteError(file);
    ShowMonth(year, month, true);
}

std::filesystem::path Session::HolidayListPath() const {
    return HolidayListPathOf(m_currentUser);
}

std::filesystem::path Session::HolidayListPathOf(std::string_view user) const {
    return UserFilePath(user, m_folders.DataFolder() / "Holiday.dat");
}

bool Session::ShowMonth(int year, int month, bool force) {
    m_monthBeforeSpan.reset();
    return LoadMonth(sheet, year, month, force, Location(), CalendarRulesOf(settings), holidays);
}

bool Session::ShowSpan(const DaySpan& span) {
    const YearMonth shown{sheet.loadedYear, sheet.loadedMonth};
    if (!LoadSpan(sheet, span, settings.SimeDay, Location()))
        return false;
    if (!m_monthBeforeSpan)
        m_monthBeforeSpan = shown;
    RecalcMonth(sheet, settings);
    return true;
}

void Session::ReleaseSpan() {
    if (const std::optional<YearMonth> month = m_monthBeforeSpan)
        ShowMonth(month->year, month->month, true);
}

MonthCalculation Session::SaveShownMonth() {
    if (SpanShown())
        return {};
    const WriterLockHold held = HoldWriterLock();
    MonthCalculation calculation = SaveMonth(sheet, sheet.loadedYear, sheet.loadedMonth, Location(), settings);
    UpdateLedgerFromMonth(sheet, sheet.loadedYear, ledger);
    return calculation;
}

SaveOutcome Session::SaveShownMonthChecked(Questions& questions) {
    const std::filesystem::path path =
        MonthFilePath(m_folders.DataFolder(), sheet.loadedYear, sheet.loadedMonth, m_currentUser);
    return SaveUnlessChangedElsewhere(
        path, sheet.fileStamp, sheet.IsChanged(), questions, [this] { SaveShownMonth(); },
        [this] { ShowMonth(sheet.loadedYear, sheet.loadedMonth, true); }, [this] { return HoldWriterLock(); });
}

SaveOutcome Session::SaveLedgerChecked(Questions& questions) {
    return SaveUnlessChangedElsewhere(
        ledger.LedgerFilePath(), ledger.LoadedStamp(), ledger.IsChanged(), questions, [this] { ledger.SaveLedger(); },
        [this] { ledger.LoadLedger(); }, [this] { return HoldWriterLock(); });
}

MonthLocation Session::Location() const {
    return {m_folders.DataFolder(), m_currentUser};
}

} // namespace mitoran
