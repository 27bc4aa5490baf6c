// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/GridCommands.h"

#include "engine/text/Texts.h"
#include "engine/text/Util.h"

namespace mitoran {

GridPopup PopupOfColumn(int column) {
    switch (column) {
    case 3:
    case 4:
        return GridPopup::ZanTime1;
    case 5:
    case 6:
        return GridPopup::ZanTime2;
    case 7:
        return GridPopup::ZanTime3;
    case 8:
        return GridPopup::ZanTime4;
    default:
        return GridPopup::Sel;
    }
}

GridCommand DoubleClickCommand(int column, std::string_view cellText, bool ctrl, bool shift, int clickAutoSelect) {
    if (column >= 0 && column <= 2)
        return GridCommand::NextKubun;
    if (column == 3 || column == 4) {
        if (!TrimText(cellText).empty() && !ctrl)
            return GridCommand::None;
        const bool currentTime = (shift && clickAutoSelect == 0) || (!shift && clickAutoSelect == 1);
        return currentTime ? GridCommand::CurrentTime : GridCommand::RegularTime;
    }
    if (column >= 5 && column <= 7)
        return GridCommand::ManualEntry;
    return GridCommand::None;
}

std::optional<std::string> PresetTimeCaption(std::string_view preset) {
    if (TrimText(preset).empty())
        return std::nullopt;
    return MinutesToTimeText(TimeTextToMinutes(preset), 2, true) + text::kPresetPasteSuffix;
}

std::optional<std::string> PresetMemoCaption(std::string_view preset) {
    if (TrimText(preset).empty())
        return std::nullopt;
    return std::string(preset);
}

} // namespace mitoran
