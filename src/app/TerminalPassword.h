// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

// Reading a password for mitoran-cli: typed on the terminal without echo, or one line of standard input.
namespace mitoran {

// Writes the prompt to the program's terminal and reads one line from it with echo off; the line without its
// end. Nothing when the program has no terminal or the input ends first. Echo comes back afterwards, also when
// the program is interrupted meanwhile.
std::optional<std::string> ReadPasswordFromTerminal(std::string_view prompt);

#ifndef _WIN32
// The same on a terminal already open (its file descriptor).
std::optional<std::string> ReadHiddenLine(int terminal, std::string_view prompt);
#endif

// One line of the stream without its line end ("\n" or "\r\n"); nothing when the stream holds no line.
std::optional<std::string> ReadPasswordLine(std::istream& in);

} // namespace mitoran
