// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
class Formatter;
} // namespace CLI

// The parts of the parser every command uses the same way, and its Japanese help: the program's usage for
// "mitoran-cli --help", and for "mitoran-cli <command> --help" the command's forms, what it does and its options.
namespace mitoran {

std::shared_ptr<CLI::Formatter> MakeHelpFormatter();

// A command with its forms ("show 年 月", one a line) and what it does, as its help shows them. Options of the
// commands above it (--data-dir, --user) may follow it too.
CLI::App* AddCommand(CLI::App& parent, const std::string& name, const std::string& forms,
                     const std::string& description);
// A word the command needs, shown in its help as `shown`.
void AddWord(CLI::App& command, const std::string& name, std::string& value, const std::string& shown,
             const std::string& description);
// Words the command takes in a number its run checks.
void AddWords(CLI::App& command, const std::string& name, std::vector<std::string>& values, const std::string& shown,
              const std::string& description);
// An option with a value, shown as "--name shown".
void AddValueOption(CLI::App& command, const std::string& name, std::optional<std::string>& value,
                    const std::string& shown, const std::string& description);
// "--password-stdin": the amounts password from the first line of standard input instead of the terminal.
void AddPasswordStdin(CLI::App& command, bool& value);

} // namespace mitoran
