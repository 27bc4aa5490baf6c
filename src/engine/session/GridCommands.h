// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mitoran {

// The popup menu that belongs to a grid column.
enum class GridPopup { Sel, ZanTime1, ZanTime2, ZanTime3, ZanTime4 };
GridPopup PopupOfColumn(int column);

// What a double-click on a day cell asks for.
enum class GridCommand { None, NextKubun, CurrentTime, RegularTime, ManualEntry };

// Columns 0-2 step the category; an arrival or leaving cell takes a time only when it is empty or Ctrl is
// held (the current time with Shift under "ClickAutoSelect" 0, without Shift under 1, else the regular
// time); the computed columns open the manual entry; the memo does nothing.
GridCommand DoubleClickCommand(int column, std::string_view cellText, bool ctrl, bool shift, int clickAutoSelect);

} // namespace mitoran
