// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Cp932.h"

#include <string>

// The engine's Japanese texts, converted once to CP932 bytes at start-up. Inline variables are
// initialised before any later definition in each file that includes this header, so other globals
// may use them.
namespace mitoran::text {

// Weekday names, Sunday first.
inline const std::string kSunday = Utf8ToCp932("日");
inline const std::string kMonday = Utf8ToCp932("月");
inline const std::string kTuesday = Utf8ToCp932("火");
inline const std::string kWednesday = Utf8ToCp932("水");
inline const std::string kThursday = Utf8ToCp932("木");
inline const std::string kFriday = Utf8ToCp932("金");
inline const std::string kSaturday = Utf8ToCp932("土");

// Messages.
inline const std::string kCannotWrite = Utf8ToCp932("%s に書き込めません");

} // namespace mitoran::text
