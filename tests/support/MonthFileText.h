// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/text/Cp932.h"
#include "engine/text/Util.h"

#include <string>
#include <utility>
#include <vector>

namespace mitoran::test {

// One day of a hand-written month file: its category mark (UTF-8), ordinary and late-night overtime, and the
// statutory-holiday mark.
struct SavedDay {
    SavedDay(std::string kubunMark = "  ", std::string zangyoTime = "", std::string shinyaTime = "",
             std::string houteiMark = "")
        : kubun(std::move(kubunMark)), zangyo(std::move(zangyoTime)), shinya(std::move(shinyaTime)),
          houtei(std::move(houteiMark)) {}
    std::string kubun;
    std::string zangyo;
    std::string shinya;
    std::string houtei;
};

// The month file's text, days numbered from 1, as the program writes it (CP932).
inline std::string MonthFileText(int month, const std::vector<SavedDay>& days) {
    std::string text = "[System]\r\nLastDay=" + std::to_string(days.size()) + "\r\n[DayData]\r\n";
    for (std::size_t i = 0; i < days.size(); ++i) {
        const SavedDay& day = days[i];
        const std::string d = std::to_string(i + 1);
        text += PadNumber(static_cast<long long>(i + 1), 2, " ") + "=" + std::to_string(month) + "/" +
                PadNumber(static_cast<long long>(i + 1), 2, " ") + ",x," + Utf8ToCp932(day.kubun) + ",,," + day.zangyo +
                "," + day.shinya + ",memo" + d + ",,,,,," + day.houtei + ",\r\n";
    }
    return text;
}

// A month of `count` ordinary days with the same overtime each, its days off left out.
inline std::vector<SavedDay> OrdinaryDays(int count, const std::string& zangyo) {
    return std::vector<SavedDay>(static_cast<std::size_t>(count), SavedDay{"  ", zangyo});
}

} // namespace mitoran::test
