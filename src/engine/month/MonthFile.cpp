// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/MonthFile.h"

#include "engine/month/Calculation.h"
#include "engine/month/MonthCalendar.h"
#include "engine/text/ProfileFile.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace mitoran {

namespace {

constexpr std::string_view kSystem = "System";
constexpr std::string_view kDayData = "DayData";
constexpr int kDayRecordFields = 14;

// A "," inside a field would split the record.
std::string FieldText(std::string_view text) {
    return ReplaceAllText(text, ",", ".");
}

std::string ColorText(std::int32_t color) {
    if (color == 0)
        return {};
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%X", static_cast<unsigned>(static_cast<std::uint32_t>(color)));
    return buffer;
}

std::string DayCountField(std::string_view shown) {
    return RealToText(0, 1, TextToReal(shown, 1, 0));
}

// The date of field 1 with the blank that the record's trim took put back, within five characters. What the
// trim would take again (blanks and control characters at its start) goes now, so that the date reads back the
// same after the next save; an empty date stays empty.
std::string DateOfField(std::string_view text) {
    const std::string cut = TrimLeftText(RightChars(" " + std::string(text), 5));
    return cut.empty() ? cut : RightChars(" " + cut, 5);
}

void StoreField(int field, std::string_view text, DayRecord& day) {
    switch (field) {
    case 1:
        day[DayColumn::Date] = DateOfField(text);
        break;
    case 2:
        day[DayColumn::Weekday] = text;
        break;
    case 3:
        day[DayColumn::Kubun] = text;
        break;
    case 4:
        day[DayColumn::Arrival] = text;
        break;
    case 5:
        day[DayColumn::Leaving] = text;
        break;
    case 6:
        day[DayColumn::Zangyo] = text;
        break;
    case 7:
        day[DayColumn::Shinya] = text;
        break;
    case 8:
        day[DayColumn::Memo] = text;
        break;
    case 9:
        day.zangyoFixed = TrimText(text);
        break;
    case 10:
        day.shinyaFixed = TrimText(text);
        break;
    case 11:
        day.kinmuFixed = TrimText(text);
        break;
    case 12:
        day[DayColumn::Kinmu] = text;
        break;
    case 13:
        day.memoColor = TextToIntDef(text, 0);
        break;
    case 14:
        day.houteiMark = TrimText(text);
        break;
    default:
        break;
    }
}

} // namespace

std::filesystem::path MonthFilePath(const std::filesystem::path& dataFolder, int year, int month,
                                    std::string_view user) {
    return UserFilePath(user, dataFolder / (PadNumber(year, 4, "0") + PadNumber(month, 2, "0") + ".dat"));
}

std::string DayDataKey(int day) {
    return PadNumber(day, 2, " ");
}

std::string DayRecordText(const DayRecord& day) {
    const std::string fields[kDayRecordFields] = {
        FieldText(day[DayColumn::Date]),    FieldText(day[DayColumn::Weekday]), FieldText(day[DayColumn::Kubun]),
        FieldText(day[DayColumn::Arrival]), FieldText(day[DayColumn::Leaving]), FieldText(day[DayColumn::Zangyo]),
        FieldText(day[DayColumn::Shinya]),  FieldText(day[DayColumn::Memo]),    FieldText(day.zangyoFixed),
        FieldText(day.shinyaFixed),         FieldText(day.kinmuFixed),          FieldText(day[DayColumn::Kinmu]),
        ColorText(day.memoColor),           FieldText(day.houteiMark),
    };
    std::string record;
    for (const std::string& field : fields) {
        record += field;
        record += ',';
    }
    return TrimLeftText(record);
}

void ReadDayRecordText(std::string_view record, DayRecord& day) {
    for (int field = 1; field <= kDayRecordFields; ++field) {
        const std::size_t comma = record.find(',');
        if (comma == std::string_view::npos)
            return;
        StoreField(field, record.substr(0, comma), day);
        record.remove_prefix(comma + 1);
    }
}

namespace {

// The highest day 1..31 that has a record, or 0.
int LastDayRecord(const ProfileFile& file) {
    for (int d = kMaxDays; d >= 1; --d) {
        if (file.HasKey(kDayData, DayDataKey(d)))
            return d;
    }
    return 0;
}

} // namespace

int MonthFileDayCount(const ProfileFile& file) {
    const int lastDay = TextToIntDef(file.ReadString(kSystem, "LastDay", ""), 0);
    return lastDay >= 1 && lastDay <= kMaxDays ? lastDay : LastDayRecord(file);
}

void ReadMonthFile(const ProfileFile& file, MonthSheet& sheet) {
    sheet.dayCount = MonthFileDayCount(file);
    MonthSummary& summary = sheet.summary;
    summary.syukinDay = file.ReadString(kSystem, "SyukinDay", "");
    summary.kyujituDay = file.ReadString(kSystem, "KyujituDay", "");
    summary.zangyoTime = file.ReadString(kSystem, "ZangyoTime", "");
    summary.shinyaTime = file.ReadString(kSystem, "ShinyaTime", "");
    summary.mokuhyoTime = file.ReadString(kSystem, "MokuhyoTime", "");
    summary.kinmuTime = file.ReadString(kSystem, "KinmuTime", "");
    summary.sumTime =
        MinutesToTimeText(TimeTextToMinutes(summary.zangyoTime) + TimeTextToMinutes(summary.shinyaTime), 3, true);
    for (int d = 1; d <= sheet.dayCount; ++d)
        ReadDayRecordText(file.ReadString(kDayData, DayDataKey(d), ""), sheet.days[d]);
}

namespace {

// Each day's lines deleted and its record written anew, in one pass however many lines the file holds.
void WriteDayRecords(const MonthSheet& sheet, int dayCount, ProfileFile& file) {
    std::vector<ProfileFile::Entry> records;
    for (int d = 1; d <= dayCount; ++d)
        records.push_back({DayDataKey(d), DayRecordText(sheet.days[d])});
    file.ReplaceKeys(kDayData, records);
}

} // namespace

void WriteMonthFile(const MonthSheet& sheet, ProfileFile& file) {
    const int dayCount = std::clamp(sheet.dayCount, 0, kMaxDays);
    const MonthSummary& summary = sheet.summary;
    // The sections change apart from each other, so the order of the writes shows only where a section is new
    // (added at the end, "System" first). A file that holds its days already has them written first: one with many
    // day lines then shrinks before the summary keys are placed, which moves every line after them.
    const bool daysFirst = file.HasSection(kDayData);
    if (daysFirst)
        WriteDayRecords(sheet, dayCount, file);
    file.WriteString(kSystem, "LastDay", std::to_string(dayCount));
    file.WriteString(kSystem, "SyukinDay", DayCountField(summary.syukinDay));
    file.WriteString(kSystem, "KyujituDay", DayCountField(summary.kyujituDay));
    // Deleted first so that they follow in this order; "KZangyoTime" and "KShinyaTime" are of an older layout.
    for (const std::string_view key : {"ZangyoTime", "ShinyaTime", "KZangyoTime", "KShinyaTime", "MokuhyoTime"})
        file.DeleteKey(kSystem, key);
    file.WriteString(kSystem, "ZangyoTime", TrimLeftText(summary.zangyoTime));
    file.WriteString(kSystem, "ShinyaTime", TrimLeftText(summary.shinyaTime));
    file.WriteString(kSystem, "MokuhyoTime", TrimLeftText(summary.mokuhyoTime));
    file.WriteString(kSystem, "KinmuTime", TrimLeftText(summary.kinmuTime));
    if (!daysFirst)
        WriteDayRecords(sheet, dayCount, file);
}

bool LoadMonth(MonthSheet& sheet, int year, int month, bool force, const MonthLocation& location,
               const CalendarRules& rules, const HolidayList& holidays) {
    if (!force && sheet.loadedYear == year && sheet.loadedMonth == month)
        return false;
    sheet.loadedYear = year;
    sheet.loadedMonth = month;
    sheet.ClearDays();
    sheet.dayCount = 0;
    const std::filesystem::path path = MonthFilePath(location.dataFolder, year, month, location.user);
    const ProfileFile file(path);
    sheet.fileStamp = file.Stamp();
    if (file.Exists())
        ReadMonthFile(file, sheet);
    if (sheet.dayCount == 0)
        BuildMonthCalendar(sheet, year, month, rules, holidays);
    sheet.MarkSaved();
    return true;
}

MonthCalculation SaveMonth(MonthSheet& sheet, int year, int month, const MonthLocation& location,
                           const Settings& settings) {
    MonthCalculation calculation = RecalcMonth(sheet, settings);
    ProfileFile file(MonthFilePath(location.dataFolder, year, month, location.user));
    WriteMonthFile(sheet, file);
    file.Flush();
    sheet.fileStamp = file.Stamp();
    return calculation;
}

} // namespace mitoran
