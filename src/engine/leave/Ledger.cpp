// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/leave/Ledger.h"

#include "engine/calendar/Calendar.h"
#include "engine/month/MonthSheet.h"
#include "engine/text/ProfileFile.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numeric>
#include <utility>
#include <vector>

namespace mitoran {

namespace {

const std::string kSystemSection = "System";
const std::string kCarryOverKey = "KuriZan";
const std::string kBalanceKey = "NowZan";
const std::string kEntrySection = "VacationData";
const std::string kFileName = "Vacation.dat";
const std::string kZero = "0.0";
// Sort key of a row without a date: every date text ("yyyy/..." starts with a digit or "-") sorts before it.
const std::string kNoDateKey = "non";

using Rows = std::array<LedgerRow, kLedgerRowCount>;

// Days are single-precision; a number beyond its range is as unreadable as letters.
float ReadDays(std::string_view text) {
    const double days = TextToReal(text, 1, 0.0);
    return std::fabs(days) <= std::numeric_limits<float>::max() ? static_cast<float>(days) : 0.0F;
}

std::string DaysText(float days) {
    return RealToText(5, 1, days);
}

std::string RowKey(int row) {
    return PadNumber(row, 3, " ");
}

// A sort key packed into two big-endian words, so that comparing the words compares the texts byte by byte.
// Keys ("yyyy/mm/dd" with at most four-character parts, or "non") are shorter than 16 bytes and hold no NUL,
// so the zero padding sorts a text before its longer continuations, as std::string does.
struct PackedKey {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    auto operator<=>(const PackedKey&) const = default;
};

PackedKey Pack(std::string_view text) {
    PackedKey key;
    for (std::size_t i = 0; i < 16; ++i) {
        const std::uint64_t byte = i < text.size() ? static_cast<unsigned char>(text[i]) : 0U;
        std::uint64_t& word = i < 8 ? key.high : key.low;
        word = word << 8 | byte;
    }
    return key;
}

const PackedKey kNoDate = Pack(kNoDateKey);

using SortKeys = std::array<PackedKey, kLedgerRowCount>;

// A selection sort, as the grid always sorted: rows with equal dates may change their order. It swaps row
// numbers and moves each row once at the end.
void SortByKeys(Rows& rows, SortKeys& keys) {
    std::array<std::size_t, kLedgerRowCount> order;
    std::iota(order.begin(), order.end(), std::size_t{0});
    bool moved = false;
    for (std::size_t j = 0; j + 1 < rows.size(); ++j) {
        std::size_t smallest = j;
        for (std::size_t k = j + 1; k < rows.size(); ++k) {
            if (keys[k] < keys[smallest])
                smallest = k;
        }
        if (smallest != j) {
            std::swap(keys[j], keys[smallest]);
            std::swap(order[j], order[smallest]);
            moved = true;
        }
    }
    if (!moved)
        return;
    std::vector<LedgerRow> sorted;
    sorted.reserve(rows.size());
    for (const std::size_t from : order)
        sorted.push_back(std::move(rows[from]));
    std::move(sorted.begin(), sorted.end(), rows.begin());
}

std::string ColorText(std::int32_t color) {
    if (color == 0)
        return {};
    char hex[16];
    std::snprintf(hex, sizeof hex, "$%X", static_cast<unsigned>(color));
    return hex;
}

std::string EntryValue(const LedgerRow& row) {
    std::string value;
    for (const std::string& cell : row.cells)
        value += ReplaceAllText(cell, ",", ".") + ",";
    value += ColorText(row.color) + ",";
    return TrimLeftText(value);
}

LedgerRow ParseEntry(std::string_view value) {
    LedgerRow row;
    for (std::string& cell : row.cells) {
        const auto comma = value.find(',');
        if (comma == std::string_view::npos) {
            cell = value;
            return row;
        }
        cell = value.substr(0, comma);
        value.remove_prefix(comma + 1);
    }
    const auto comma = value.find(',');
    if (comma != std::string_view::npos)
        row.color = TextToIntDef(value.substr(0, comma), 0);
    return row;
}

bool SameCategory(std::string_view cell, std::string_view categoryText) {
    return TrimText(cell) == TrimText(categoryText);
}

} // namespace

const std::array<std::string, kLedgerColumnCount + 1>& LedgerColumnHeaders() {
    static const std::array<std::string, kLedgerColumnCount + 1> headers{"No.",
                                                                         Utf8ToCp932("日  付"),
                                                                         Utf8ToCp932("曜"),
                                                                         Utf8ToCp932("区分"),
                                                                         Utf8ToCp932("日 数"),
                                                                         Utf8ToCp932("残 数"),
                                                                         Utf8ToCp932("メ  モ")};
    return headers;
}

bool LedgerRow::IsEntry() const {
    return !TrimText((*this)[LedgerColumn::Date]).empty();
}

const std::string& LeaveCategoryText(LeaveCategory category) {
    static const std::array<std::string, kLeaveCategoryCount> texts{
        InfoOf(Kubun::Normal).fullName,
        InfoOf(Kubun::Yukyu).fullName,
        InfoOf(Kubun::Gozen).fullName,
        InfoOf(Kubun::Gogo).fullName,
        text::kLeaveIncrease,
        text::kLeaveDecrease,
        text::kLeaveOther,
    };
    return texts.at(static_cast<std::size_t>(category));
}

std::optional<LeaveCategory> LeaveCategoryOfText(std::string_view text) {
    for (int index = 0; index < kLeaveCategoryCount; ++index) {
        const auto category = static_cast<LeaveCategory>(index);
        if (SameCategory(text, LeaveCategoryText(category)))
            return category;
    }
    return std::nullopt;
}

std::optional<LeaveCategory> LeaveCategoryOfKubunMark(std::string_view mark) {
    switch (KubunOfMark(mark).value_or(Kubun::Normal)) {
    case Kubun::Yukyu:
        return LeaveCategory::Yukyu;
    case Kubun::Gozen:
        return LeaveCategory::Gozen;
    case Kubun::Gogo:
        return LeaveCategory::Gogo;
    default:
        return std::nullopt;
    }
}

YmdText NormalizeYmdText(std::string_view typed) {
    // Folding first lets full-width digits and slashes read like ASCII ones.
    const std::string text = TrimText(NormalizeWidth(typed));
    const auto firstSlash = text.find('/');
    if (firstSlash == std::string::npos)
        return {};
    const std::string_view rest = std::string_view(text).substr(firstSlash + 1);
    const auto secondSlash = rest.find('/');
    if (secondSlash == std::string_view::npos)
        return {};

    YmdText ymd;
    ymd.year = TextToIntDef(LeftChars(text.substr(0, firstSlash), 4), 0);
    ymd.month = TextToIntDef(LeftChars(rest.substr(0, secondSlash), 2), 0);
    ymd.day = TextToIntDef(LeftChars(rest.substr(secondSlash + 1), 2), 0);
    if (ymd.year == 0 && ymd.month == 0 && ymd.day == 0)
        return {};
    ymd.text = PadNumber(ymd.year, 4, "0") + "/" + PadNumber(ymd.month, 2, "0") + "/" + PadNumber(ymd.day, 2, "0");
    return ymd;
}

std::string WeekdayText(int year, int month, int day) {
    return WeekdayName(WeekdayOf({year, month, day}));
}

Ledger::Ledger() {
    Clear();
    TakeSnapshot();
}

void Ledger::TakeSnapshot() {
    m_snapshot = m_rows;
    m_snapshotCarryOver = m_carryOver;
}

void Ledger::SetLocation(std::filesystem::path dataFolder, std::string user) {
    m_dataFolder = std::move(dataFolder);
    m_user = std::move(user);
}

std::filesystem::path Ledger::LedgerFilePath() const {
    return UserFilePath(m_user, m_dataFolder / kFileName);
}

void Ledger::Clear() {
    for (LedgerRow& row : m_rows)
        row.Clear();
    m_carryOver = kZero;
    m_currentBalance = kZero;
    m_entryCount = 0;
}

void Ledger::LoadLedger() {
    Clear();
    const ProfileFile file(LedgerFilePath());
    m_fileStamp = file.Stamp();
    if (file.Exists()) {
        m_carryOver = file.ReadString(kSystemSection, kCarryOverKey, kZero);
        m_currentBalance = file.ReadString(kSystemSection, kBalanceKey, kZero);
        for (int row = 1; row <= kLedgerRowCount; ++row)
            Row(row) = ParseEntry(file.ReadString(kEntrySection, RowKey(row), ""));
    }
    RecalculateLedger(true);
    TakeSnapshot();
}

void Ledger::SaveLedger() {
    RecalculateLedger(true);
    ProfileFile file(LedgerFilePath());
    file.WriteString(kSystemSection, kCarryOverKey, TrimLeftText(m_carryOver));
    file.WriteString(kSystemSection, kBalanceKey, TrimLeftText(m_currentBalance));
    // Each row's key is deleted and an entry's written anew, in one pass over the file each.
    std::vector<ProfileFile::Entry> entries;
    std::vector<std::string> emptyRows;
    for (int row = 1; row <= kLedgerRowCount; ++row) {
        if (Row(row).IsEntry())
            entries.push_back({RowKey(row), EntryValue(Row(row))});
        else
            emptyRows.push_back(RowKey(row));
    }
    file.DeleteKeys(kEntrySection, emptyRows);
    file.ReplaceKeys(kEntrySection, entries);
    file.Flush();
    m_fileStamp = file.Stamp();
    TakeSnapshot();
}

void Ledger::RecalculateLedger(bool scroll) {
    SortKeys keys;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        LedgerRow& row = m_rows[i];
        const YmdText ymd = NormalizeYmdText(row[LedgerColumn::Date]);
        if (ymd.text.empty()) {
            keys[i] = kNoDate;
            continue;
        }
        keys[i] = Pack(ymd.text);
        row[LedgerColumn::Date] = ymd.text;
        row[LedgerColumn::Weekday] = WeekdayText(ymd.year, ymd.month, ymd.day);
        row[LedgerColumn::Days] = DaysText(ReadDays(row[LedgerColumn::Days]));
    }
    SortByKeys(m_rows, keys);

    const float carryOver = ReadDays(m_carryOver);
    m_carryOver = RealToText(0, 1, carryOver);
    float balance = carryOver;
    int lastEntry = 0;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        LedgerRow& row = m_rows[i];
        if (keys[i] == kNoDate) {
            row.Clear();
            continue;
        }
        balance += ReadDays(row[LedgerColumn::Days]);
        row[LedgerColumn::Remaining] = DaysText(balance);
        lastEntry = static_cast<int>(i) + 1;
    }
    m_currentBalance = RealToText(0, 1, balance);
    m_entryCount = lastEntry;
    if (scroll && m_scrollHandler)
        m_scrollHandler(lastEntry);
}

void Ledger::AutoRecalculate(bool autoCalc) {
    if (autoCalc)
        RecalculateLedger(false);
}

bool Ledger::IsBeforeFirstEntry(std::string_view date) const {
    return date < Row(1)[LedgerColumn::Date];
}

void Ledger::AddEntryFromDay(std::string_view date, std::string_view kubunMark, std::int32_t color,
                             std::string_view memo) {
    const YmdText ymd = NormalizeYmdText(date);
    if (!IsBeforeFirstEntry(ymd.text))
        BookEntry(ymd, kubunMark, color, memo);
}

void Ledger::ReplaceEntryForDay(std::string_view date, std::string_view oldMark, std::string_view newMark,
                                std::int32_t color, std::string_view memo) {
    const YmdText ymd = NormalizeYmdText(date);
    const bool accepted = !IsBeforeFirstEntry(ymd.text);
    RemoveEntryForDay(date, oldMark);
    if (accepted)
        BookEntry(ymd, newMark, color, memo);
}

void Ledger::BookEntry(const YmdText& ymd, std::string_view kubunMark, std::int32_t color, std::string_view memo) {
    const std::optional<LeaveCategory> category = LeaveCategoryOfKubunMark(kubunMark);
    if (ymd.text.empty() || !category)
        return;
    if (Row(kLedgerRowCount).IsEntry())
        DeleteOldestEntries(1);

    LedgerRow& row = Row(kLedgerRowCount);
    row.Clear();
    row[LedgerColumn::Date] = ymd.text;
    row[LedgerColumn::Weekday] = WeekdayText(ymd.year, ymd.month, ymd.day);
    row[LedgerColumn::Category] = LeaveCategoryText(*category);
    row[LedgerColumn::Days] = DaysText(DayAmount(*category));
    row[LedgerColumn::Memo] = memo;
    row.color = color;
    RecalculateLedger(true);
}

void Ledger::RemoveEntryForDay(std::string_view date, std::string_view kubunMark) {
    const std::optional<LeaveCategory> category = LeaveCategoryOfKubunMark(kubunMark);
    if (!category)
        return;
    const std::string normalized = NormalizeYmdText(date).text;
    for (LedgerRow& row : m_rows) {
        if (row[LedgerColumn::Date] == normalized &&
            SameCategory(row[LedgerColumn::Category], LeaveCategoryText(*category)))
            row[LedgerColumn::Date].clear();
    }
    RecalculateLedger(true);
}

void Ledger::UpdateEntryMemo(std::string_view date, std::string_view categoryText, std::int32_t color,
                             std::string_view memo) {
    const std::string normalized = NormalizeYmdText(date).text;
    if (normalized.empty() || IsBeforeFirstEntry(normalized))
        return;
    for (LedgerRow& row : m_rows) {
        if (row[LedgerColumn::Date] == normalized && SameCategory(row[LedgerColumn::Category], categoryText)) {
            row[LedgerColumn::Memo] = memo;
            row.color = color;
            return;
        }
    }
}

void Ledger::DeleteOldestEntries(int count) {
    RecalculateLedger(true);
    FoldIntoCarryOver(std::min(count, kLedgerRowCount));
}

void Ledger::DeleteEntriesUpTo(std::string_view date) {
    RecalculateLedger(true);
    int count = 0;
    while (count < kLedgerRowCount && Row(count + 1).IsEntry() && Row(count + 1)[LedgerColumn::Date] <= date)
        ++count;
    FoldIntoCarryOver(count);
}

void Ledger::FoldIntoCarryOver(int rowCount) {
    if (rowCount <= 0)
        return;
    float carryOver = ReadDays(m_carryOver);
    for (int i = 1; i <= rowCount; ++i) {
        LedgerRow& row = Row(i);
        if (!row.IsEntry())
            continue;
        row[LedgerColumn::Date].clear();
        row.color = 0;
        carryOver += ReadDays(row[LedgerColumn::Days]);
    }
    m_carryOver = RealToText(0, 1, carryOver);
    RecalculateLedger(true);
}

void Ledger::SetHalfDayAmounts(float morning, float afternoon) {
    m_morningAmount = morning;
    m_afternoonAmount = afternoon;
}

float Ledger::DayAmount(LeaveCategory category) const {
    switch (category) {
    case LeaveCategory::Yukyu:
        return -1.0F;
    case LeaveCategory::Gozen:
        return m_morningAmount;
    case LeaveCategory::Gogo:
        return m_afternoonAmount;
    default:
        return 0.0F;
    }
}

bool Ledger::IsChanged() const {
    return m_rows != m_snapshot || m_carryOver != m_snapshotCarryOver;
}

} // namespace mitoran
