// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/month/MonthSheet.h"

#include <array>

namespace mitoran {

// The day grid shows a day record's columns in their order.
constexpr int GridColumn(DayColumn column) {
    return static_cast<int>(column);
}

inline constexpr int kGridColumnCount = static_cast<int>(kDayColumnCount);
// The date and weekday columns are fixed: the cell cursor never enters them.
inline constexpr int kFixedColumnCount = GridColumn(DayColumn::Kubun);
inline constexpr int kArrivalColumn = GridColumn(DayColumn::Arrival);
inline constexpr int kLeavingColumn = GridColumn(DayColumn::Leaving);
inline constexpr int kMemoColumn = GridColumn(DayColumn::Memo);

// The columns' widths in characters and the rows the main window is laid out for.
inline constexpr std::array<int, kDayColumnCount> kColumnWidths{5, 2, 2, 5, 5, 5, 5, 5, 10};
inline constexpr int kDesignRows = 22;

} // namespace mitoran
