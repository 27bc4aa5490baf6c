// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/PasswordCheck.h"

#include "engine/session/CommandLine.h"
#include "engine/session/Questions.h"
#include "engine/settings/Settings.h"
#include "engine/settings/SettingsStore.h"
#include "engine/text/Cp932.h"
#include "engine/text/Texts.h"

namespace mitoran {

namespace {
constexpr int kPasswordAttempts = 3;
}

bool PasswordMatches(std::string_view entry, std::string_view password) {
    if (entry.size() != password.size())
        return false;
    for (std::size_t i = 0; i < entry.size();) {
        // A double-byte character's trail byte may look like a letter; both bytes must be the same.
        const std::size_t length = CharLength(entry, i);
        if (length == 2) {
            if (entry.substr(i, 2) != password.substr(i, 2))
                return false;
        } else if (!EqualsIgnoringAsciiCase(entry.substr(i, 1), password.substr(i, 1))) {
            return false;
        }
        i += length;
    }
    return true;
}

bool AskPassword(const std::function<std::optional<std::string>()>& prompt, Questions& questions,
                 std::string_view password) {
    for (int attempt = 1; attempt <= kPasswordAttempts; ++attempt) {
        const std::optional<std::string> entry = prompt();
        if (!entry)
            return false;
        if (PasswordMatches(*entry, password))
            return true;
        if (questions.Ask(text::kPasswordErrorCaption, text::kPasswordWrong, Buttons::OkCancel) != Answer::Ok)
            return false;
    }
    return false;
}

bool AskAmountsPassword(const std::function<std::optional<std::string>()>& prompt, Questions& questions,
                        std::string_view kinPass) {
    return kinPass.empty() || AskPassword(prompt, questions, kinPass);
}

bool AmountsPasswordGiven(const std::function<std::optional<std::string>()>& ask, std::string_view kinPass) {
    if (kinPass.empty())
        return true;
    const std::optional<std::string> entry = ask();
    return entry && PasswordMatches(*entry, kinPass);
}

StartupPassword ReadStartupPassword(SettingsStore& store, std::string_view startUser) {
    const StoreSection system(store, UserKeyPath(startUser), "System");
    return {ReverseText(system.ReadString("Pass", "")), system.ReadBool("StartPassSkip", false)};
}

bool NeedsStartupPassword(const CommandLine& line, const StartupPassword& startup) {
    return !line.StartsMinimised() && !startup.skip && !startup.password.empty();
}

} // namespace mitoran
