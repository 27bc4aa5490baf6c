// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/HandedCommand.h"

#include "engine/session/Session.h"
#include "engine/text/Cp932.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace mitoran {

namespace {

constexpr std::string_view kRequestTag = "mitoran-cli 1";
constexpr std::string_view kReplyTag = "mitoran 1";
constexpr std::string_view kDeclined = "declined";
constexpr std::string_view kDone = "done";

std::string Escaped(std::string_view field) {
    std::string text;
    for (const char c : field) {
        switch (c) {
        case '%':
            text += "%25";
            break;
        case '\t':
            text += "%09";
            break;
        case '\r':
            text += "%0D";
            break;
        case '\n':
            text += "%0A";
            break;
        default:
            text += c;
        }
    }
    return text;
}

std::optional<std::string> Unescaped(std::string_view field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            text += field[i];
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= field.size())
            return std::nullopt;
        const auto [end, error] = std::from_chars(field.data() + i + 1, field.data() + i + 3, value, 16);
        if (error != std::errc{} || end != field.data() + i + 3)
            return std::nullopt;
        text += static_cast<char>(value);
        i += 2;
    }
    return text;
}

// The fields of a line after its tag, unescaped; nothing when the tag differs or a field is garbled.
std::optional<std::vector<std::string>> FieldsAfter(std::string_view tag, std::string_view line) {
    if (!line.starts_with(tag) || (line.size() > tag.size() && line[tag.size()] != '\t'))
        return std::nullopt;
    std::vector<std::string> fields;
    std::size_t start = tag.size();
    while (start < line.size()) {
        ++start;
        const std::size_t stop = std::min(line.find('\t', start), line.size());
        const std::optional<std::string> field = Unescaped(line.substr(start, stop - start));
        if (!field)
            return std::nullopt;
        fields.push_back(*field);
        start = stop;
    }
    return fields;
}

std::string Joined(std::string_view tag, const std::vector<std::string>& fields) {
    std::string line(tag);
    for (const std::string& field : fields)
        line += '\t' + Escaped(field);
    return line;
}

// The folder with links, "." and ".." resolved and without a final separator.
std::filesystem::path Resolved(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(folder, error);
    if (error)
        resolved = folder.lexically_normal();
    return resolved.has_filename() ? resolved : resolved.parent_path();
}

} // namespace

std::string HandedCommandLine(const HandedCommand& command) {
    std::vector<std::string> fields{command.dataFolder, command.user};
    fields.insert(fields.end(), command.arguments.begin(), command.arguments.end());
    return Joined(kRequestTag, fields);
}

std::optional<HandedCommand> ParseHandedCommandLine(std::string_view line) {
    const std::optional<std::vector<std::string>> fields = FieldsAfter(kRequestTag, line);
    if (!fields || fields->size() < 2)
        return std::nullopt;
    return HandedCommand{(*fields)[0], (*fields)[1], {fields->begin() + 2, fields->end()}};
}

std::string HandedReplyLine(const std::optional<HandedResult>& result) {
    if (!result)
        return Joined(kReplyTag, {std::string(kDeclined)});
    return Joined(kReplyTag, {std::string(kDone), std::to_string(result->status), result->out, result->err});
}

std::optional<std::optional<HandedResult>> ParseHandedReplyLine(std::string_view line) {
    const std::optional<std::vector<std::string>> fields = FieldsAfter(kReplyTag, line);
    if (fields && fields->size() == 1 && (*fields)[0] == kDeclined)
        return std::optional<HandedResult>();
    if (!fields || fields->size() != 4 || (*fields)[0] != kDone)
        return std::nullopt;
    HandedResult result;
    const std::string& status = (*fields)[1];
    const auto [end, error] = std::from_chars(status.data(), status.data() + status.size(), result.status);
    if (error != std::errc{} || end != status.data() + status.size())
        return std::nullopt;
    result.out = (*fields)[2];
    result.err = (*fields)[3];
    return std::optional<HandedResult>(result);
}

bool SessionTakesCommand(const Session& session, const HandedCommand& command) {
    const std::u8string folder(command.dataFolder.begin(), command.dataFolder.end());
    return Resolved(std::filesystem::path(folder)) == Resolved(session.Location().dataFolder) &&
           Utf8ToCp932(command.user) == session.CurrentUser() && !session.SpanShown();
}

} // namespace mitoran
