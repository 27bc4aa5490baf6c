// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/settings/SettingControls.h"

#include <optional>
#include <string>
#include <string_view>

// What the settings dialogs ask or tell before they store anything.
namespace mitoran {

class Questions;

// OK of the settings dialog with the closing day shown and the one now in its box: unchanged asks nothing;
// otherwise "締日変更確認" (Yes, No, Cancel; No the default) decides whether the current month is re-created
// (Yes), kept (No) or nothing is stored (Cancel).
enum class SimeDayChange { Unchanged, Recreate, Keep, Cancel };
SimeDayChange AskSimeDayChange(int shownSimeDay, int newSimeDay, Questions& questions);

// OK of the password change dialog: the new password when both entries are equal (case counts; empty means no
// password), else the mismatch is reported and nothing is given.
std::optional<std::string> ConfirmNewPassword(std::string_view first, std::string_view second, Questions& questions);

// OK of the print layout dialog: nothing when the positions may be stored, else the control to focus once the
// conflict has been reported.
std::optional<std::string> RefusedPrintPosition(const PrintPositions& positions, Questions& questions);

} // namespace mitoran
