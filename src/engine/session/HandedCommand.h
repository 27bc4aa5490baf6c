// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A writing command of the command line handed to the running desktop program, and its answer: one line of
// text each way, so that the window performs the command on the month it shows instead of the command line
// writing the file under it.
namespace mitoran {

class Session;

// The request: "mitoran-cli 1", the data folder, the user and the command's arguments, each after a tab.
struct HandedCommand {
    std::string dataFolder;             // UTF-8, as the command line resolved it
    std::string user;                   // UTF-8, empty for the default user
    std::vector<std::string> arguments; // UTF-8, the command's own words and options
    bool operator==(const HandedCommand&) const = default;
};

// What the command printed and its exit status.
struct HandedResult {
    int status = 0;
    std::string out;
    std::string err;
    bool operator==(const HandedResult&) const = default;
};

// Fields are escaped (% tab CR LF as %25 %09 %0D %0A), so a line never holds a line end.
std::string HandedCommandLine(const HandedCommand& command);
// Nothing for another tag or version, or a line that is no request at all (the "raise" of a second start).
std::optional<HandedCommand> ParseHandedCommandLine(std::string_view line);

// The answer: "mitoran 1" then "declined", or "done" with the status, the output and the error output.
// Declined (nothing) means the command line performs the command itself.
std::string HandedReplyLine(const std::optional<HandedResult>& result);
// Nothing when the line is no answer of this version; otherwise the answer (which may be declined).
std::optional<std::optional<HandedResult>> ParseHandedReplyLine(std::string_view line);

// A window takes a command for its own data folder and current user only, and none while it shows a span
// (the span's days belong to the files of other months and are never saved).
bool SessionTakesCommand(const Session& session, const HandedCommand& command);

} // namespace mitoran
