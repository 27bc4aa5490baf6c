// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Several users side by side: who is known, the user menu, and switching. Names are CP932.
namespace mitoran {

class Folders;
class Session;
class SettingsStore;

// False for a name that would leave the data folder as a folder name: ".", "..", a path separator, a drive
// letter or any other colon, a control character.
bool IsUsableUserName(std::string_view name);

// The entries of the data folder (folders and files) whose name has a settings key of its own, sorted
// without regard to case.
std::vector<std::string> KnownUsers(const Folders& folders, const SettingsStore& store);

// The names sorted with ASCII letters compared without regard to case (equal names keep a fixed order).
void SortUserNames(std::vector<std::string>& names);

struct UserMenuItem {
    std::string caption; // with the access key: "&0 (ｶﾚﾝﾄ)", "&1 name" … "&Z name", then the name alone
    std::string user;    // empty for the default user
};
// Item 0 for the default user, then one item per known user in the order given.
std::vector<UserMenuItem> UserMenuItems(const std::vector<std::string>& users);

enum class SwitchOutcome { SameUser, Refused, Switched };

// Makes the user current when the month on display may be left: their settings, ledger and holiday list, and
// the month shown loaded afresh from their folder. Throws FileWriteError (after switching) when a first-run
// file of the user cannot be written.
SwitchOutcome SwitchUser(Session& session, const std::string& user, YearMonth shown,
                         const std::function<bool()>& mayLeaveMonth);

} // namespace mitoran
