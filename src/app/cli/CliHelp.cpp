// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/CliHelp.h"

#include "app/cli/CliSupport.h"

#include <CLI/CLI.hpp>

#include <algorithm>

namespace mitoran {

namespace {

// A command's description holds its forms, a blank line, then what it does.
constexpr std::string_view kFormsEnd = "\n\n";

// Columns a UTF-8 text takes on a terminal: two for the wide characters (from U+1100 on, which covers the kana
// and kanji the help uses), one for the others.
std::size_t TerminalWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80)
            continue;
        width += byte >= 0xE1 ? 2 : 1;
    }
    return width;
}

std::string Indented(const std::string& text, std::string_view indent) {
    std::string result;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        result += std::string(indent) + text.substr(start, end - start) + '\n';
        start = end + 1;
    }
    return result;
}

std::string OptionLabel(const CLI::Option& option) {
    if (option.get_positional())
        return option.get_option_text();
    std::string names = option.get_name(false, true);
    for (std::size_t comma = names.find(','); comma != std::string::npos; comma = names.find(',', comma + 2))
        names.replace(comma, 1, ", ");
    if (option.get_type_size() != 0 && !option.get_option_text().empty())
        names += " " + option.get_option_text();
    return names;
}

// The command's own options (its words first), then those of the commands above it.
std::vector<const CLI::Option*> OptionsOf(const CLI::App& command) {
    std::vector<const CLI::Option*> options =
        command.get_options([](const CLI::Option* option) { return option->get_positional(); });
    for (const CLI::App* app = &command; app != nullptr; app = app->get_parent()) {
        for (const CLI::Option* option : app->get_options()) {
            const bool ownHelp = app != &command && option == app->get_help_ptr();
            if (!option->get_positional() && !ownHelp)
                options.push_back(option);
        }
    }
    return options;
}

std::string OptionLines(const CLI::App& command) {
    const std::vector<const CLI::Option*> options = OptionsOf(command);
    std::size_t width = 0;
    for (const CLI::Option* option : options)
        width = std::max(width, TerminalWidth(OptionLabel(*option)));
    std::string lines;
    for (const CLI::Option* option : options) {
        const std::string label = OptionLabel(*option);
        lines += "  " + label + std::string(width + 2 - TerminalWidth(label), ' ') + option->get_description() + '\n';
    }
    return lines;
}

// The program's usage for the program itself, the command's own help for a command.
class HelpFormatter final : public CLI::Formatter {
public:
    std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const override {
        if (app->get_parent() == nullptr)
            return UsageText();
        const std::string description = app->get_description();
        const std::size_t formsEnd = std::min(description.find(kFormsEnd), description.size());
        std::string forms = Indented(description.substr(0, formsEnd), "       mitoran-cli ");
        forms.replace(0, std::string_view("       ").size(), "使い方: ");
        const std::string what =
            formsEnd < description.size() ? Indented(description.substr(formsEnd + kFormsEnd.size()), "  ") : "";
        return forms + what + '\n' + OptionLines(*app);
    }
};

} // namespace

std::shared_ptr<CLI::Formatter> MakeHelpFormatter() {
    return std::make_shared<HelpFormatter>();
}

CLI::App* AddCommand(CLI::App& parent, const std::string& name, const std::string& forms,
                     const std::string& description) {
    CLI::App* command = parent.add_subcommand(name, forms + std::string(kFormsEnd) + description);
    command->fallthrough();
    return command;
}

void AddWord(CLI::App& command, const std::string& name, std::string& value, const std::string& shown,
             const std::string& description) {
    command.add_option(name, value, description)->option_text(shown)->required();
}

void AddWords(CLI::App& command, const std::string& name, std::vector<std::string>& values, const std::string& shown,
              const std::string& description) {
    command.add_option(name, values, description)->option_text(shown);
}

void AddValueOption(CLI::App& command, const std::string& name, std::optional<std::string>& value,
                    const std::string& shown, const std::string& description) {
    command
        .add_option_function<std::string>(
            name, [&value](const std::string& text) { value = text; }, description)
        ->option_text(shown);
}

void AddPasswordStdin(CLI::App& command, bool& value) {
    command.add_flag("--password-stdin", value, "金額のパスワードを端末で尋ねる代わりに標準入力の最初の1行から読む");
}

} // namespace mitoran
