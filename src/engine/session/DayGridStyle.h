// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace mitoran {

struct DayRecord;
struct Settings;

enum class CellTextColor { Standard, Red, Blue, Memo };

// How the text of a day cell is drawn.
struct CellTextStyle {
    CellTextColor color = CellTextColor::Standard;
    std::int32_t memoColor = 0; // with CellTextColor::Memo, 0x00BBGGRR
    bool underline = false;
    bool operator==(const CellTextStyle&) const = default;
};

// The text style of a day cell in grid column 0..8: weekday letters in red or blue, late arrivals and early
// leavings in red, hand-entered values underlined, negative values and statutory holidays in red, the memo
// in its own colour.
CellTextStyle DayCellTextStyle(const DayRecord& day, int column, const Settings& settings);

// Whether the arrival (column 3) is later than the reference start or the leaving time (column 4) earlier than
// its end, where the settings show that in red.
bool IsLateOrEarly(const DayRecord& day, int column, const Settings& settings);

// The background colour slot (0..8) that a day row takes, or nothing for the grid colour: weekday slots
// first, then the category slots, each only when its flag is on.
std::optional<int> DayRowColorSlot(const DayRecord& day, const Settings& settings);

// Whether a black line closes the week under this day.
bool WeekSeparatorBelow(const DayRecord& day, int gridLineSelect);

// Left edge of header text centred in its cell.
int HeaderTextLeft(int cellLeft, int cellWidth, int textWidth);

} // namespace mitoran
