// SPDX-License-Identifier: GPL-3.0-or-later
// The profile (INI) file: parse, edit, write, re-read. The input's first line names an edit,
// "section<TAB>key<TAB>value"; the rest is the file. Invariants:
// - a key the program could write (whole CP932 characters, not blank, no "=", CR or LF, not starting with
//   ";" or "[") in a section it could name reads back as its value without blanks at the ends, and a deleted key is
//   gone;
// - the file written holds exactly the text in memory, and reading it again gives every entry of the
//   edited section and of the program's sections as they were before the write.
#include "FuzzSupport.h"

#include "engine/text/Cp932.h"
#include "engine/text/ProfileFile.h"
#include "engine/text/Util.h"

#include <array>
#include <cstddef>
#include <cstdint>

using namespace mitoran;

namespace {

struct Edit {
    std::string section;
    std::string key;
    std::string value;
};

// The first line split at its first two tabs; what it lacks stays empty.
Edit EditOf(std::string_view line) {
    Edit edit;
    std::array<std::string*, 3> parts{&edit.section, &edit.key, &edit.value};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t tab = i + 1 < parts.size() ? line.find('\t') : std::string_view::npos;
        *parts[i] = line.substr(0, tab);
        if (tab == std::string_view::npos)
            break;
        line.remove_prefix(tab + 1);
    }
    return edit;
}

// False when the text ends in a lone lead byte, which would take the next byte ("=" or "]") as its trail.
bool WholeCharacters(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size())
        i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    return i == text.size();
}

bool Writable(const Edit& edit) {
    const std::string key = TrimText(edit.key);
    const std::string section = TrimText(edit.section);
    return WholeCharacters(key) && WholeCharacters(section) && !key.empty() && !section.empty() &&
           key.find_first_of("=\r\n") == std::string::npos && key.front() != ';' && key.front() != '[' &&
           section.find_first_of("[]\r\n") == std::string::npos &&
           edit.value.find_first_of("\r\n") == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::AsText(data, size);
    const std::size_t lineEnd = input.find('\n');
    const Edit edit = EditOf(input.substr(0, lineEnd));
    const std::filesystem::path path = fuzz::WorkFolder() / "profile.ini";
    fuzz::WriteBytes(path, lineEnd == std::string_view::npos ? std::string_view() : input.substr(lineEnd + 1));

    ProfileFile file(path);
    if (Writable(edit)) {
        file.WriteString(edit.section, edit.key, edit.value);
        fuzz::Require(file.ReadString(edit.section, edit.key, "\x01") == TrimText(edit.value), "a written key reads");
        const std::vector<std::string> keys = file.Keys(edit.section);
        if (keys.size() > 1 && TrimText(keys.front()) != TrimText(edit.key)) {
            file.DeleteKey(edit.section, keys.front());
            fuzz::Require(!file.HasKey(edit.section, keys.front()), "a deleted key is gone");
        }
    }
    const std::array<std::string, 4> sections{edit.section, "System", "DayData", "Holiday"};
    std::array<std::vector<ProfileFile::Entry>, 4> before;
    for (std::size_t i = 0; i < sections.size(); ++i)
        before[i] = file.Entries(sections[i]);
    file.Flush();
    fuzz::Require(fuzz::ReadBytes(path) == file.Text(), "the file holds the text in memory");

    const ProfileFile reread(path);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const std::vector<ProfileFile::Entry> after = reread.Entries(sections[i]);
        fuzz::Require(after.size() == before[i].size(), "as many entries read back");
        for (std::size_t e = 0; e < after.size(); ++e)
            fuzz::Require(after[e].key == before[i][e].key && after[e].value == before[i][e].value,
                          "every entry reads back");
    }
    return 0;
}
