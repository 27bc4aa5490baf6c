// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mitoran {

class Questions;
class SettingsStore;
struct CommandLine;

// Equal after folding the single-byte letters a-z to A-Z in both texts; double-byte characters must be the same.
bool PasswordMatches(std::string_view entry, std::string_view password);

// Shows the prompt up to three times; the prompt gives the entry, or nothing when it was closed other than
// by OK. A wrong entry is reported ("ﾊﾟｽﾜｰﾄﾞが違います。", OK and Cancel); Cancel there ends the asking.
// True when a matching entry was given.
bool AskPassword(const std::function<std::optional<std::string>()>& prompt, Questions& questions,
                 std::string_view password);

// The amounts password guarding the settings dialog and the pay-amount window: granted without a prompt when
// there is none, else as AskPassword.
bool AskAmountsPassword(const std::function<std::optional<std::string>()>& prompt, Questions& questions,
                        std::string_view kinPass);

// The amounts password asked once without a dialog, as the command line asks it: granted without asking when
// there is none; otherwise the entry asked for must match, and no entry (nothing could be read) is refused.
bool AmountsPasswordGiven(const std::function<std::optional<std::string>()>& ask, std::string_view kinPass);

// The start user's password (stored reversed) and whether the start-up prompt is skipped.
struct StartupPassword {
    std::string password;
    bool skip = false;
};
StartupPassword ReadStartupPassword(SettingsStore& store, std::string_view startUser);

// The start-up prompt is shown unless the program was started minimised by another program, the prompt is
// switched off, or there is no password.
bool NeedsStartupPassword(const CommandLine& line, const StartupPassword& startup);

} // namespace mitoran
