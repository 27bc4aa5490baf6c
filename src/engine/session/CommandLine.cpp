// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/CommandLine.h"

#include <algorithm>

namespace mitoran {

namespace {

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

const std::string kUserSwitch = "/U:";

} // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

CommandLine ParseCommandLine(const std::vector<std::string>& parameters) {
    CommandLine line;
    const auto userParameter = std::ranges::find_if(parameters, [](const std::string& parameter) {
        return parameter.size() > kUserSwitch.size() &&
               EqualsIgnoringAsciiCase(std::string_view(parameter).substr(0, kUserSwitch.size()), kUserSwitch);
    });
    if (userParameter != parameters.end())
        line.startUser = userParameter->substr(kUserSwitch.size());

    line.multiUser = std::ranges::any_of(
        parameters, [](const std::string& parameter) { return EqualsIgnoringAsciiCase(parameter, "/M"); });
    if (line.multiUser)
        line.startUser.clear();

    if (!parameters.empty()) {
        line.disp = parameters.front() == "/Disp";
        line.down = parameters.front() == "/Down";
    }
    return line;
}

} // namespace mitoran
