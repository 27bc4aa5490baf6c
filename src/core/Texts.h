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

// Default print titles, header and font face of the settings.
inline const std::string kDefaultZangyoTitle = Utf8ToCp932("残業時間一覧表");
inline const std::string kDefaultYukyuTitle = Utf8ToCp932("有給休暇一覧表");
inline const std::string kDefaultNameTitle = Utf8ToCp932("所属：ＸＸＸＸＸ課  氏名：ＸＸ ＸＸ");
inline const std::string kDefaultPrintFont = Utf8ToCp932("ＭＳ ゴシック");

// Messages.
inline const std::string kCannotWrite = Utf8ToCp932("%s に書き込めません");

} // namespace mitoran::text
