// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/Session.h"

#include "engine/leave/LedgerSync.h"
#include "engine/settings/Folders.h"
#include "engine/settings/OverlaySettingsStore.h"
#include "engine/settings/SettingsStore.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/ProfileFile.h"
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

namespace {

// A file as it was before a save wrote it, to put back when a later step of the same save is refused.
struct FileBefore {
    std::filesystem::path path;
    bool existed = false;
    std::optional<std::string> bytes; // nothing when the file could not be read
    std::filesystem::file_time_type modified{};
};

FileBefore ReadFileBefore(const std::filesystem::path& path) {
    std::error_code error;
    FileBefore before{path, std::filesystem::exists(path, error), std::nullopt,
                      std::filesystem::last_write_time(path, error)};
    const ProfileFile file(path);
    if (file.Exists())
        before.bytes = file.Text();
    return before;
}

// The old bytes with their old time, so that the file reads as unchanged since it was loaded; a file that was
// not there goes again. A refusal here changes nothing more: the refusal being reported is the earlier one.
void PutBack(const FileBefore& before) {
    std::error_code error;
    try {
        if (before.bytes) {
            WriteFileAtomically(before.path, *before.bytes);
            std::filesystem::last_write_time(before.path, before.modified, error);
        } else if (!before.existed) {
            std::filesystem::remove(before.path, error);
        }
    } catch (const FileWriteError&) {
    }
}

} // namespace

// The edited settings become those in use once the store and the ".SET" file hold them. When either is refused,
// both get back the values stored before (a refused file still holds them) and the refusal passes on.
void Session::SaveSettingsAllOrNothing(const Settings& edited) {
    OverlaySettingsStore untouched(m_store);
    Settings stored;
    LoadSettings(stored, {untouched, m_folders, m_currentUser, m_startUser, false});
    Settings saved = edited;
    try {
        SaveSettings(saved, Context());
        m_store.Flush();
    } catch (const FileWriteError&) {
        try {
            SaveSettings(stored, Context());
            m_store.Flush();
        } catch (const FileWriteError&) {
            // What refused the new values keeps the old ones.
        }
        throw;
    }
    settings = saved;
    TakeHalfDayAmounts();
}

// The holiday list is written first: when it is refused nothing else is; when the settings are refused after it,
// its old file is put back.
void Session::RegisterSettings(const Settings& edited, const HolidayList& editedList) {
    const WriterLockHold held = HoldWriterLock();
    const FileBefore listBefore = ReadFileBefore(HolidayListPath());
    HolidayList written = editedList;
    SaveHolidayList(written, HolidayListPath());
    try {
        SaveSettingsAllOrNothing(edited);
    } catch (const FileWriteError&) {
        PutBack(listBefore);
        throw;
    }
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

SaveOutcome Session::RegisterSettingsChecked(const Settings& edited, HolidayList& editedList, Questions& questions) {
    // The list is read first: a list that cannot be read (or created) leaves the settings unsaved.
    const auto reload = [&] {
        ReadHolidayListForEditing(editedList);
        SaveSettingsAllOrNothing(edited);
        holidays = editedList;
    };
    return SaveUnlessChangedElsewhere(
        HolidayListPath(), m_holidaysStamp, editedList != m_holidaysAsRead, questions,
        [&] { RegisterSettings(edited, editedList); }, reload, [this] { return HoldWriterLock(); });
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

void Session::RecalculateForView() {
    const bool edited = sheet.IsChanged();
    RecalcMonth(sheet, settings);
    if (!edited)
        sheet.MarkSaved();
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
    // A span's days belong to other months' files: none of them is compared, asked about or reloaded, which
    // would also end the span behind the window's back.
    if (SpanShown())
        return SaveOutcome::Kept;
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
