// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/cli/CliCommand.h"
#include "engine/calendar/Calendar.h"
#include "engine/calendar/Clock.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the commands share: reading their words, the usage on a mistake, the session they run in, handing a
// command to a running window, and writing an output file.
namespace mitoran {

class Session;

// The whole command line's usage, as --help and every mistake print it.
const char* UsageText();
// The message (when there is one) and the usage on the error output; the status of a mistake.
int UsageError(std::ostream& err, std::string_view message = {});

std::optional<int> ParseNumber(const std::string& text, int low, int high);
// "YYYY-MM-DD HH:MM" of a date that exists.
std::optional<LocalDateTime> ParseStampTime(const std::string& text);
// "YYYY-MM-DD" of a date that exists.
std::optional<CalendarDate> ParseDate(const std::string& text);
// Every word a whole number within the range the period fields take.
bool AreRangeNumbers(const std::vector<std::string>& words);

// Runs the command in the session of its data folder and user, with their settings loaded; a first-run file or
// a month that cannot be written ends the command with the file's name. A command that only looks writes
// nothing: what a first run would store stays in memory, and no folder or file is created. A command that
// writes holds the writer lock from its first read to its last write, the settings' included.
int InSession(const CliEnvironment& environment, const std::function<int(Session&)>& run, bool onlyLooks);

// Offers the command, as the given words, to a running window of the command's data folder and user; what
// the window printed, or nothing when the command line is to perform it itself.
std::optional<int> HandOver(const CliEnvironment& environment, const std::vector<std::string>& words);

// A folder or file named on the command line. Its words are UTF-8 on every system; a path made of their bytes as
// they are would read them in the system's code page on Windows, and a Japanese name would name another.
std::filesystem::path PathOfArgument(const std::string& utf8);

// A file's bytes to the named file, whole or not at all and never through a symbolic link there, or as they are
// to standard output for "-".
void WriteOutput(const std::string& file, const std::string& bytes, std::ostream& out);

// The user's amounts password, asked once when they have one, before a command shows amounts. A wrong or missing
// one gets the window's message, and the command prints nothing.
bool AmountsAllowed(const CliEnvironment& environment, const Session& session, bool passwordFromStandardInput);

} // namespace mitoran
