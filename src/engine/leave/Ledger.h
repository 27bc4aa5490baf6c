// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/text/FileStamp.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace mitoran {

// The six text columns of a ledger row; the grid shows them as columns 1..6, after the row number.
enum class LedgerColumn : std::size_t { Date, Weekday, Category, Days, Remaining, Memo };
inline constexpr std::size_t kLedgerColumnCount = 6;
inline constexpr int kLedgerRowCount = 500;

// The ledger grid's headers (CP932): "No." and the six text columns.
const std::array<std::string, kLedgerColumnCount + 1>& LedgerColumnHeaders();

struct LedgerRow {
    std::array<std::string, kLedgerColumnCount> cells;
    std::int32_t color = 0; // memo colour 0x00BBGGRR; 0 is the grid's normal text colour

    std::string& operator[](LedgerColumn column) { return cells[static_cast<std::size_t>(column)]; }
    const std::string& operator[](LedgerColumn column) const { return cells[static_cast<std::size_t>(column)]; }

    // A row is an entry when its date is not blank.
    bool IsEntry() const;
    void Clear() { *this = LedgerRow{}; }
    bool operator==(const LedgerRow&) const = default;
};

// Leave categories in menu order; the value is the index the category menu uses as its tag.
enum class LeaveCategory { None = 0, Yukyu, Gozen, Gogo, Increase, Decrease, Other };
inline constexpr int kLeaveCategoryCount = 7;

// The text column 3 holds for a category ("    " for None).
const std::string& LeaveCategoryText(LeaveCategory category);
// The category of a text, compared without blanks at both ends; empty is None.
std::optional<LeaveCategory> LeaveCategoryOfText(std::string_view text);
// The category that a day category mark of the month sheet books: 有, 前 and 後 only.
std::optional<LeaveCategory> LeaveCategoryOfKubunMark(std::string_view mark);

struct YmdText {
    std::string text; // yyyy/mm/dd, or empty when the input holds no date
    int year = 0;
    int month = 0;
    int day = 0;
};

// Reads a typed year/month/day and writes it zero-filled; the date is not validated (2024/13/45 stays).
YmdText NormalizeYmdText(std::string_view text);
// The one-character weekday name of a date, or "？" when the date does not exist.
std::string WeekdayText(int year, int month, int day);

// The paid-leave ledger: 500 rows of texts with a running balance over a carry-over balance, kept in
// "Vacation.dat" of the current user. Rows are numbered 1..500 as the grid shows them.
class Ledger {
public:
    Ledger();

    // The folder that holds the data files and the current user (empty for the default user).
    void SetLocation(std::filesystem::path dataFolder, std::string user);
    std::filesystem::path LedgerFilePath() const;

    // Reads the file (a missing or damaged file reads as far as it can) and takes the saved snapshot.
    void LoadLedger();
    // Writes the file; throws FileWriteError when it cannot be written (the snapshot is then not taken).
    void SaveLedger();

    // Normalises the dates, sorts the entries to the top, drops rows without a readable date and
    // computes the remaining days. With scroll, the scroll handler is told the last entry row (0: none).
    void RecalculateLedger(bool scroll);
    void AutoRecalculate(bool autoCalc);

    // Books a day of the month sheet marked 有, 前 or 後; other marks and days before the oldest entry
    // (whose leave may already be folded into the carry-over) are ignored.
    void AddEntryFromDay(std::string_view date, std::string_view kubunMark, std::int32_t color, std::string_view memo);
    // Removes every entry of the day with the category of the mark.
    void RemoveEntryForDay(std::string_view date, std::string_view kubunMark);
    // RemoveEntryForDay and then AddEntryFromDay, except that the day's own entry, were it the oldest,
    // does not make the day look older than the ledger once it is removed.
    void ReplaceEntryForDay(std::string_view date, std::string_view oldMark, std::string_view newMark,
                            std::int32_t color, std::string_view memo);
    void UpdateEntryMemo(std::string_view date, std::string_view categoryText, std::int32_t color,
                         std::string_view memo);

    // Folds the oldest entries into the carry-over balance; the current balance does not change.
    void DeleteOldestEntries(int count);
    void DeleteEntriesUpTo(std::string_view date);

    void SetHalfDayAmounts(float morning, float afternoon);
    // The days a category books by itself; 0.0 means the user types them.
    float DayAmount(LeaveCategory category) const;

    // True when a row, a colour or the carry-over differs from the file as last loaded or saved (a carry-over
    // typed by itself is an edit too, which closing must not drop without asking).
    bool IsChanged() const;
    // The file as last loaded or saved, to notice another program's write before saving.
    const FileStamp& LoadedStamp() const { return m_fileStamp; }

    LedgerRow& Row(int row) { return m_rows.at(static_cast<std::size_t>(row - 1)); }
    const LedgerRow& Row(int row) const { return m_rows.at(static_cast<std::size_t>(row - 1)); }

    const std::string& CarryOverText() const { return m_carryOver; }
    void SetCarryOverText(std::string text) { m_carryOver = std::move(text); }
    const std::string& CurrentBalanceText() const { return m_currentBalance; }
    int EntryCount() const { return m_entryCount; }

    // Called by every recalculation with scroll, with the row of the last entry, so a view can show it.
    void SetScrollHandler(std::function<void(int lastEntryRow)> handler) { m_scrollHandler = std::move(handler); }

private:
    using Rows = std::array<LedgerRow, kLedgerRowCount>;

    void Clear();
    void TakeSnapshot();
    void BookEntry(const YmdText& ymd, std::string_view kubunMark, std::int32_t color, std::string_view memo);
    void FoldIntoCarryOver(int rowCount);
    bool IsBeforeFirstEntry(std::string_view date) const;

    Rows m_rows;
    Rows m_snapshot;
    std::string m_snapshotCarryOver;
    std::string m_carryOver;
    std::string m_currentBalance;
    int m_entryCount = 0;
    float m_morningAmount = -0.5F;
    float m_afternoonAmount = -0.5F;
    std::filesystem::path m_dataFolder;
    std::string m_user;
    std::function<void(int)> m_scrollHandler;
    FileStamp m_fileStamp;
};

} // namespace mitoran
