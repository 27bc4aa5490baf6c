// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/YukyuPanel.h"

#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

TEST(YukyuPanelTest, BalanceLessTheTargetInOneDecimal) {
    struct Case {
        std::string balance;
        std::string target;
        std::string text;
        bool negative;
    };
    const Case cases[] = {
        {"12.5", "10.0", "2.5", false},
        {"3.0", "5.5", "-2.5", true},
        {"4.0", "4", "0.0", false},
        {"0.3", "0.1", "0.2", false},      // no binary remainder shows
        {"123.45", "0.0", "123.5", false}, // read with one decimal
        {"", "0.0", "0.0", false},         // an empty ledger
        {"abc", "2", "-2.0", true},        // text that is not a number counts as 0
        {Utf8ToCp932("１０．５"), "0.5", "10.0", false},
    };
    for (const Case& c : cases) {
        const YukyuPanelValue value = YukyuRemainder(c.balance, c.target);
        EXPECT_EQ(value.text, c.text) << c.balance << " - " << c.target;
        EXPECT_EQ(value.negative, c.negative) << c.balance << " - " << c.target;
    }
}

} // namespace
} // namespace mitoran
