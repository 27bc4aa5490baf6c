// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace mitoran {

struct Settings;

// "ミトラン", followed by " - " and the person's name when it is to be shown, else the named current user,
// else "(ｶﾚﾝﾄ)" when the user menu is on. CP932.
std::string MainWindowTitle(const Settings& settings, std::string_view currentUser, bool multiUser);

} // namespace mitoran
