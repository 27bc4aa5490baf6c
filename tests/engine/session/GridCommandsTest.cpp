// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/GridCommands.h"

#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

TEST(GridCommandsTest, DoubleClickByColumnCellAndKeys) {
    struct Case {
        int column;
        std::string cell;
        bool ctrl;
        bool shift;
        int clickAutoSelect;
        GridCommand expected;
    };
    const Case cases[] = {
        {0, "", false, false, 0, GridCommand::NextKubun},
        {2, "", false, false, 0, GridCommand::NextKubun},
        {3, "", false, false, 0, GridCommand::RegularTime},
        {3, "", false, true, 0, GridCommand::CurrentTime},
        {4, "  ", false, false, 1, GridCommand::CurrentTime},
        {4, "", false, true, 1, GridCommand::RegularTime},
        {3, "", false, true, 2, GridCommand::RegularTime}, // "ClickAutoSelect" 2: always the regular time
        {3, "", false, false, 2, GridCommand::RegularTime},
        {3, " 8:30", false, false, 1, GridCommand::None}, // a filled cell changes only with Ctrl
        {3, " 8:30", true, false, 1, GridCommand::CurrentTime},
        {5, " 1:00", false, false, 0, GridCommand::ManualEntry},
        {7, "", false, false, 0, GridCommand::ManualEntry},
        {8, "", true, true, 1, GridCommand::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DoubleClickCommand(c.column, c.cell, c.ctrl, c.shift, c.clickAutoSelect), c.expected)
            << c.column << " '" << c.cell << "'";
}

TEST(GridCommandsTest, PopupsOfTheColumns) {
    EXPECT_EQ(PopupOfColumn(0), GridPopup::Sel);
    EXPECT_EQ(PopupOfColumn(2), GridPopup::Sel);
    EXPECT_EQ(PopupOfColumn(4), GridPopup::ZanTime1);
    EXPECT_EQ(PopupOfColumn(6), GridPopup::ZanTime2);
    EXPECT_EQ(PopupOfColumn(7), GridPopup::ZanTime3);
    EXPECT_EQ(PopupOfColumn(8), GridPopup::ZanTime4);
}

} // namespace
} // namespace mitoran
