// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/DayCategory.h"
#include "engine/text/FileStamp.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mitoran {

// The nine grid columns of a day, in column order.
enum class DayColumn : std::size_t { Date, Weekday, Kubun, Arrival, Leaving, Zangyo, Shinya, Kinmu, Memo };
inline constexpr std::size_t kDayColumnCount = 9;
inline constexpr int kMaxDays = 31;

// One day row: the nine column texts, three hand-entry marks, the statutory-holiday mark and the memo colour.
struct DayRecord {
    std::array<std::string, kDayColumnCount> cells;
    std::string zangyoFixed;    // "*" when the ordinary overtime was fixed by hand
    std::string shinyaFixed;    // "*" when the late-night overtime was fixed by hand
    std::string kinmuFixed;     // "*" when the work time was fixed by hand
    std::string houteiMark;     // "*" when the day off is a statutory holiday
    std::int32_t memoColor = 0; // 0x00BBGGRR; 0 is the default colour

    std::string& operator[](DayColumn column) { return cells[static_cast<std::size_t>(column)]; }
    const std::string& operator[](DayColumn column) const { return cells[static_cast<std::size_t>(column)]; }

    void Clear() { *this = DayRecord{}; }
    bool operator==(const DayRecord&) const = default;
};

// The month's summary texts as shown and stored.
struct MonthSummary {
    std::string syukinDay;   // days worked, one decimal
    std::string kyujituDay;  // days worked on days off
    std::string zangyoTime;  // ordinary overtime, hour width 3
    std::string shinyaTime;  // late-night overtime, hour width 3
    std::string sumTime;     // zangyoTime + shinyaTime, shown but not stored
    std::string mokuhyoTime; // remaining overtime against the target (negative = short)
    std::string kinmuTime;   // work time of the month

    bool operator==(const MonthSummary&) const = default;
};

// The day grid's column headers (CP932), in column order.
const std::array<std::string, kDayColumnCount>& DayColumnHeaders();

// The summary fields top to bottom: their labels ("出勤" … "勤務") and texts, and whether a field holds a time.
inline constexpr std::size_t kSummaryFieldCount = 7;
struct SummaryField {
    const std::string& label;
    const std::string& text;
    bool isTime;
};
std::array<SummaryField, kSummaryFieldCount> SummaryFieldsOf(const MonthSummary& summary);

// The sheet month on display. Slots are indexed 1..31; slot 0 is never used.
struct MonthSheet {
    int loadedYear = -1;
    int loadedMonth = -1;
    int dayCount = 0;
    std::array<DayRecord, kMaxDays + 1> days;
    std::array<DayRecord, kMaxDays + 1> saved;
    MonthSummary summary;
    // The month file as last loaded or saved, to notice another program's write before saving.
    FileStamp fileStamp;

    // Empties every slot and the summary (the loaded key stays).
    void ClearDays();
    // True when any of days 1..dayCount differs from its saved copy.
    bool IsChanged() const;
    // Takes the saved copy of every slot from the current values.
    void MarkSaved() { saved = days; }
};

} // namespace mitoran
