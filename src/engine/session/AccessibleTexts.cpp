// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/AccessibleTexts.h"

#include "engine/calendar/DayCategory.h"
#include "engine/leave/Ledger.h"
#include "engine/month/MonthSheet.h"
#include "engine/session/DayGridStyle.h"
#include "engine/text/Cp932.h"
#include "engine/text/Util.h"

#include <vector>

namespace mitoran {

namespace {

const std::string kMonth = Utf8ToCp932("月");
const std::string kDay = Utf8ToCp932("日");
const std::string kYear = Utf8ToCp932("年");
const std::string kDayGrid = Utf8ToCp932("の勤務表");
const std::string kRow = Utf8ToCp932("行目");
const std::string kHoutei = Utf8ToCp932("法定休日");
const std::string kLate = Utf8ToCp932("遅刻");
const std::string kEarly = Utf8ToCp932("早退");
const std::string kByHand = Utf8ToCp932("手入力");
const std::string kAboveAverage = Utf8ToCp932("平均以上");
const std::string kNotCounted = Utf8ToCp932("平均計算対象外");
const std::string kListSeparator = Utf8ToCp932("、");
const std::string kShown = Utf8ToCp932("を表示しています");
const std::string kSaved = Utf8ToCp932("を保存しました");
const std::string kNotSaved = Utf8ToCp932("を保存できませんでした");

// A header as a listener hears it: "出 社" is "出社".
std::string WithoutBlanks(std::string_view text) {
    // A blank byte is never part of a double-byte character.
    std::string result(text);
    std::erase(result, ' ');
    return result;
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string result;
    for (const std::string& part : parts) {
        if (!result.empty())
            result += kListSeparator;
        result += part;
    }
    return result;
}

const std::string& FixedMarkOf(const DayRecord& day, DayColumn column) {
    if (column == DayColumn::Zangyo)
        return day.zangyoFixed;
    if (column == DayColumn::Shinya)
        return day.shinyaFixed;
    return day.kinmuFixed;
}

} // namespace

std::string DayGridName(int month) {
    return std::to_string(month) + kMonth + kDayGrid;
}

std::string DayRowName(const DayRecord& day) {
    const std::string& date = day[DayColumn::Date];
    const std::size_t slash = date.find('/');
    const int month = slash == std::string::npos ? 0 : TextToIntDef(TrimText(date.substr(0, slash)), 0);
    const int dayOfMonth = slash == std::string::npos ? 0 : TextToIntDef(TrimText(date.substr(slash + 1)), 0);
    if (month < 1 || month > 12 || dayOfMonth < 1 || dayOfMonth > 31)
        return TrimText(date);
    std::string name = std::to_string(month) + kMonth + std::to_string(dayOfMonth) + kDay;
    if (const std::string weekday = TrimText(day[DayColumn::Weekday]); !weekday.empty())
        name += "(" + weekday + ")";
    return name;
}

std::string DayColumnName(int column) {
    if (column < 0 || column >= static_cast<int>(kDayColumnCount))
        return {};
    return WithoutBlanks(DayColumnHeaders()[static_cast<std::size_t>(column)]);
}

std::string DayCellName(const DayRecord& day, int column) {
    if (column <= static_cast<int>(DayColumn::Date) || column >= static_cast<int>(kDayColumnCount))
        return DayRowName(day);
    return DayRowName(day) + " " + DayColumnName(column);
}

std::string DayCellDescription(const DayRecord& day, int column, const Settings& settings) {
    std::vector<std::string> states;
    if (const auto kubun = KubunOfMark(day[DayColumn::Kubun]); kubun && *kubun != Kubun::Normal)
        states.push_back(InfoOf(*kubun).caption);
    if (day.houteiMark == "*")
        states.push_back(kHoutei);
    const auto dayColumn = static_cast<DayColumn>(column);
    if ((dayColumn == DayColumn::Arrival || dayColumn == DayColumn::Leaving) && IsLateOrEarly(day, column, settings))
        states.push_back(dayColumn == DayColumn::Arrival ? kLate : kEarly);
    if (dayColumn >= DayColumn::Zangyo && dayColumn <= DayColumn::Kinmu && FixedMarkOf(day, dayColumn) == "*")
        states.push_back(kByHand);
    return Joined(states);
}

std::string LedgerRowName(int row) {
    return std::to_string(row) + kRow;
}

std::string LedgerCellName(int row, int column) {
    const auto& headers = LedgerColumnHeaders();
    if (column <= 0 || column >= static_cast<int>(headers.size()))
        return LedgerRowName(row);
    return LedgerRowName(row) + " " + WithoutBlanks(headers[static_cast<std::size_t>(column)]);
}

std::string PeriodRowName(std::string_view label) {
    return WithoutBlanks(label);
}

std::string PeriodCellName(std::string_view label, int column) {
    const auto& headers = PeriodColumnHeaders();
    if (column <= 0 || column >= static_cast<int>(headers.size()))
        return PeriodRowName(label);
    return PeriodRowName(label) + " " + WithoutBlanks(headers[static_cast<std::size_t>(column)]);
}

std::string LimitRowName(const LimitMonth& month) {
    return LimitCellText(month, LimitColumn::Month);
}

std::string LimitCellName(const LimitMonth& month, int column) {
    const auto& headers = LimitColumnHeaders();
    if (column <= 0 || column >= static_cast<int>(headers.size()))
        return LimitRowName(month);
    return LimitRowName(month) + " " + WithoutBlanks(headers[static_cast<std::size_t>(column)]);
}

std::string PeriodCellDescription(PeriodCellColor color) {
    switch (color) {
    case PeriodCellColor::AboveAverage:
        return kAboveAverage;
    case PeriodCellColor::NotCounted:
        return kNotCounted;
    case PeriodCellColor::Normal:
        break;
    }
    return {};
}

std::string MonthShownStatus(YearMonth month) {
    return std::to_string(month.year) + kYear + std::to_string(month.month) + kMonth + kShown;
}

std::string MonthSavedStatus(int month) {
    return std::to_string(month) + kMonth + kSaved;
}

std::string MonthNotSavedStatus(int month) {
    return std::to_string(month) + kMonth + kNotSaved;
}

} // namespace mitoran
