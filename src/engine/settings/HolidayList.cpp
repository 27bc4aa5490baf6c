// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/HolidayList.h"

#include "engine/calendar/Calendar.h"
#include "engine/calendar/DayCategory.h"
#include "engine/text/ProfileFile.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace mitoran {

namespace {

constexpr std::string_view kSection = "HolidayData";
constexpr std::array<int, 12> kCumulativeDays{0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};
constexpr int kLeapYear = 2000;

std::string DateText(int month, int day) {
    return PadNumber(month, 2, " ") + text::kMonthSuffix + PadNumber(day, 2, " ") + text::kDaySuffix;
}

std::string RowKey(int row) {
    return PadNumber(row, 3, " ");
}

// The row a key names, as RowKey writes it ("1" .. "366" once trimmed); 0 for any other key.
int RowOfKey(const std::string& key) {
    const int row = TextToIntDef(key, 0);
    return row >= 1 && row <= kHolidayRows && key == std::to_string(row) ? row : 0;
}

std::string NormalizedMark(const HolidayRow& row) {
    return row.IsMarked() ? text::kHolidayListMark : std::string();
}

// Holidays whose dates move or changed over the years come from the calendar's rules; a row holding one
// under a fixed date (as older lists did with 12/23, 4/29 and 5/4) is dropped, or it would mark that date
// in every year.
bool IsRuleHoliday(const std::string& memo) {
    static const std::array<const std::string*, 11> names{
        &text::kSeijinNoHi,     &text::kTaiikuNoHi, &text::kUmiNoHi,        &text::kKeirouNoHi,
        &text::kTennouTanjoubi, &text::kMidoriNoHi, &text::kShouwaNoHi,     &text::kKokuminNoKyujitu,
        &text::kYamaNoHi,       &text::kSportsNoHi, &text::kFurikaeKyujitu,
    };
    const std::string name = TrimText(memo);
    return std::any_of(names.begin(), names.end(), [&](const std::string* ruled) { return *ruled == name; });
}

HolidayRow RowFromValue(const std::string& date, const std::string& value) {
    HolidayRow row{date, CsvField(value, 2), CsvField(value, 3)};
    row.mark = NormalizedMark(row);
    if (IsRuleHoliday(row.memo)) {
        row.mark.clear();
        row.memo.clear();
    }
    return row;
}

} // namespace

int CumulativeDays(int month) {
    return month >= 1 && month <= 12 ? kCumulativeDays[month - 1] : 0;
}

int HolidayRowOf(int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(kLeapYear, month))
        return 0;
    return CumulativeDays(month) + day;
}

bool HolidayRow::IsMarked() const {
    return TrimText(mark) == InfoOf(Kubun::Holiday).mark;
}

void HolidayRow::ToggleMark() {
    mark = IsMarked() ? std::string(4, ' ') : text::kHolidayListMark;
}

HolidayList::HolidayList() {
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= DaysInMonth(kLeapYear, month); ++day)
            m_rows[HolidayRowOf(month, day)].date = DateText(month, day);
    }
}

const HolidayRow* HolidayList::Find(int month, int day) const {
    const int row = HolidayRowOf(month, day);
    return row == 0 ? nullptr : &m_rows[row];
}

FixedHolidayMarks HolidayList::MarkedFixedHolidays() const {
    FixedHolidayMarks marked;
    const auto& fixed = FixedHolidays();
    for (std::size_t i = 0; i < fixed.size(); ++i)
        marked[i] = m_rows[HolidayRowOf(fixed[i].month, fixed[i].day)].IsMarked();
    return marked;
}

void HolidayList::SetDefaults() {
    *this = HolidayList();
    for (const FixedHoliday& holiday : FixedHolidays()) {
        HolidayRow& row = m_rows[HolidayRowOf(holiday.month, holiday.day)];
        row.mark = text::kHolidayListMark;
        row.memo = holiday.name;
    }
}

bool ReadHolidayList(HolidayList& list, const std::filesystem::path& file) {
    const ProfileFile profile(file);
    if (!profile.Exists()) {
        list.SetDefaults();
        return false;
    }
    HolidayList loaded;
    bool anyRow = false;
    for (const ProfileFile::Entry& entry : profile.Entries(kSection)) {
        if (const int row = RowOfKey(entry.key); row != 0) {
            loaded[row] = RowFromValue(loaded[row].date, entry.value);
            anyRow = true;
        }
    }
    // Not one row readable: the file is damaged. Keep it for the user to inspect; the next save replaces it.
    if (!anyRow)
        loaded.SetDefaults();
    list = loaded;
    return true;
}

void LoadHolidayList(HolidayList& list, const std::filesystem::path& file) {
    if (!ReadHolidayList(list, file))
        SaveHolidayList(list, file);
}

void SaveHolidayList(HolidayList& list, const std::filesystem::path& file) {
    std::vector<ProfileFile::Entry> rows;
    rows.reserve(kHolidayRows);
    for (int index = 1; index <= kHolidayRows; ++index) {
        HolidayRow& row = list[index];
        row.date = ReplaceAllText(row.date, ",", ".");
        row.mark = NormalizedMark(row);
        row.memo = ReplaceAllText(row.memo, ",", ".");
        rows.push_back({RowKey(index), TrimLeftText(row.date + "," + row.mark + "," + row.memo + ",")});
    }
    // Every row is written anew, so the keys stand in row order.
    ProfileFile profile(file);
    profile.ReplaceKeys(kSection, rows);
    profile.Flush();
}

} // namespace mitoran
