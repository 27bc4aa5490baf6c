// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace mitoran {

// What the paid-leave panel of the target bar shows: the ledger's current balance less the target remaining
// days ("YukyuMokuZan"), both read with one decimal (text that is not a number counts as 0).
struct YukyuPanelValue {
    std::string text; // one decimal, without the blanks that pad it to five characters
    bool negative = false;
};

YukyuPanelValue YukyuRemainder(std::string_view balanceText, std::string_view targetText);

} // namespace mitoran
