// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/GridCommands.h"

#include "engine/month/MonthSheet.h"
#include "engine/text/Util.h"

namespace mitoran {

namespace {

bool IsColumn(int column, DayColumn dayColumn) {
    return column == static_cast<int>(dayColumn);
}

bool IsTimeColumn(int column) {
    return IsColumn(column, DayColumn::Arrival) || IsColumn(column, DayColumn::Leaving);
}

bool IsComputedColumn(int column) {
    return IsColumn(column, DayColumn::Zangyo) || IsColumn(column, DayColumn::Shinya) ||
           IsColumn(column, DayColumn::Kinmu);
}

} // namespace

GridPopup PopupOfColumn(int column) {
    if (IsTimeColumn(column))
        return GridPopup::ZanTime1;
    if (IsColumn(column, DayColumn::Zangyo) || IsColumn(column, DayColumn::Shinya))
        return GridPopup::ZanTime2;
    if (IsColumn(column, DayColumn::Kinmu))
        return GridPopup::ZanTime3;
    if (IsColumn(column, DayColumn::Memo))
        return GridPopup::ZanTime4;
    return GridPopup::Sel;
}

GridCommand DoubleClickCommand(int column, std::string_view cellText, bool ctrl, bool shift, int clickAutoSelect) {
    if (column >= 0 && column <= static_cast<int>(DayColumn::Kubun))
        return GridCommand::NextKubun;
    if (IsTimeColumn(column)) {
        if (!TrimText(cellText).empty() && !ctrl)
            return GridCommand::None;
        const bool currentTime = (shift && clickAutoSelect == 0) || (!shift && clickAutoSelect == 1);
        return currentTime ? GridCommand::CurrentTime : GridCommand::RegularTime;
    }
    if (IsComputedColumn(column))
        return GridCommand::ManualEntry;
    return GridCommand::None;
}

} // namespace mitoran
