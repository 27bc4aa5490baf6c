// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"

#include <functional>
#include <string>

namespace mitoran {

class Clock;
class Questions;
class Session;
class SettingsStore;

// What a window listing the saved months (期間集計, 36協定) reaches outside itself: the session whose months it
// reads, the main window's jump to a month (its leave-month check first; false when refused) and its settings
// save after a file is written.
struct MonthListServices {
    Session& session;
    SettingsStore& store;
    std::string startUser;
    const Clock& clock;
    Questions& questions;
    std::function<bool(YearMonth)> jumpToMonth;
    std::function<void()> saveSettings;
};

} // namespace mitoran
