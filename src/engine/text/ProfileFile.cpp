// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/ProfileFile.h"

#include "engine/text/Cp932.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unordered_set>

namespace mitoran {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
const std::string kLineEnd = "\r\n";

unsigned char FoldAscii(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

// Two names match when their folded forms are equal: ASCII letters in lower case, but both bytes of a
// double-byte character as they are, since its trail byte may look like a letter.
std::string FoldedName(std::string_view name) {
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto byte = static_cast<unsigned char>(folded[i]);
        if (IsLeadByte(byte))
            ++i;
        else
            folded[i] = static_cast<char>(FoldAscii(byte));
    }
    return folded;
}

void Shift(std::size_t& line, std::size_t from, int delta) {
    if (line >= from)
        line = delta > 0 ? line + 1 : line - 1;
}

// Position of the last "]" that is a character of its own, not the trail byte of a double-byte character.
std::size_t LastClosingBracket(std::string_view text, std::size_t from) {
    std::size_t found = kNone;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(text[i])))
            ++i;
        else if (text[i] == ']')
            found = i;
    }
    return found;
}

// A line end inside a written name or value would split the line and could forge a section.
std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return line;
}

bool ReadWholeFile(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in.seekg(0, std::ios::end))
        return false;
    const std::streamoff size = in.tellg();
    if (size < 0 || !in.seekg(0, std::ios::beg))
        return false;
    text.resize(static_cast<std::size_t>(size));
    in.read(text.data(), size);
    text.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

} // namespace

ProfileFile::ProfileFile(fs::path path) : m_path(std::move(path)) {
    std::error_code error;
    const fs::file_status status = fs::status(m_path, error);
    if (!fs::exists(status))
        return;
    // Taken before reading: a write in between then shows as a change, never as the file read.
    const fs::file_time_type modified = fs::last_write_time(m_path, error);
    // A file that is there but cannot be read must never be replaced by what little was written to it.
    if (!fs::is_regular_file(status) || !ReadWholeFile(m_path, m_text)) {
        m_unreadable = true;
        m_text.clear();
        return;
    }
    m_existed = true;
    m_stamp = StampOfBytes(m_text, modified);
    Parse(m_text);
}

ProfileFile::Line ProfileFile::ParseLine(std::string raw, std::string end) {
    Line line;
    line.raw = std::move(raw);
    line.end = std::move(end);
    const std::string_view text = line.raw;
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos || text[first] == ';')
        return line;
    if (text[first] == '[') {
        const std::size_t close = LastClosingBracket(text, first + 1);
        if (close != kNone) {
            line.kind = LineKind::Section;
            line.name = TrimText(text.substr(first + 1, close - first - 1));
            return line;
        }
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return line;
    line.name = TrimText(text.substr(0, equals));
    if (line.name.empty())
        return line;
    line.kind = LineKind::Key;
    line.value = TrimText(text.substr(equals + 1));
    return line;
}

void ProfileFile::Parse(std::string_view text) {
    m_lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t stop = start;
        while (stop < text.size() && text[stop] != '\r' && text[stop] != '\n')
            ++stop;
        std::size_t next = stop + 1;
        if (stop == text.size())
            next = stop;
        else if (text[stop] == '\r' && next < text.size() && text[next] == '\n')
            ++next;
        m_lines.push_back(
            ParseLine(std::string(text.substr(start, stop - start)), std::string(text.substr(stop, next - stop))));
        start = next;
    }
}

const std::string& ProfileFile::Text() const {
    if (m_textStale) {
        m_text.clear();
        for (const Line& line : m_lines)
            m_text.append(line.raw).append(line.end);
        m_textStale = false;
    }
    return m_text;
}

void ProfileFile::BuildIndex() const {
    m_sections.clear();
    SectionIndex* current = nullptr;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == LineKind::Section) {
            if (current)
                current->end = i;
            const auto [entry, added] = m_sections.try_emplace(FoldedName(line.name));
            current = added ? &entry->second : nullptr;
            if (current) {
                current->header = i;
                current->end = m_lines.size();
            }
        } else if (line.kind == LineKind::Key && current) {
            const auto [entry, added] = current->keys.try_emplace(FoldedName(line.name), KeyLines{i, 0});
            ++entry->second.count;
        }
    }
    m_indexStale = false;
}

const ProfileFile::SectionIndex* ProfileFile::FindSection(std::string_view section) const {
    if (m_indexStale)
        BuildIndex();
    const auto found = m_sections.find(FoldedName(TrimText(section)));
    return found == m_sections.end() ? nullptr : &found->second;
}

std::size_t ProfileFile::FindKey(const SectionIndex& section, std::string_view key) const {
    const auto found = section.keys.find(FoldedName(TrimText(key)));
    return found == section.keys.end() ? kNone : found->second.first;
}

std::size_t ProfileFile::FindKey(std::string_view section, std::string_view key) const {
    const SectionIndex* found = FindSection(section);
    return found ? FindKey(*found, key) : kNone;
}

std::size_t ProfileFile::AfterLastKey(const SectionIndex& section) const {
    std::size_t position = section.header + 1;
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
        if (m_lines[i].kind == LineKind::Key)
            position = i + 1;
    }
    return position;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    const std::size_t line = FindKey(section, key);
    return line == kNone ? std::string(defaultValue) : m_lines[line].value;
}

bool ProfileFile::HasKey(std::string_view section, std::string_view key) const {
    return FindKey(section, key) != kNone;
}

bool ProfileFile::HasSection(std::string_view section) const {
    return FindSection(section) != nullptr;
}

std::vector<ProfileFile::Entry> ProfileFile::Entries(std::string_view section) const {
    std::vector<Entry> entries;
    const SectionIndex* found = FindSection(section);
    if (!found)
        return entries;
    for (std::size_t i = found->header + 1; i < found->end; ++i) {
        if (m_lines[i].kind == LineKind::Key && FindKey(*found, m_lines[i].name) == i)
            entries.push_back({m_lines[i].name, m_lines[i].value});
    }
    return entries;
}

std::vector<std::string> ProfileFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    for (Entry& entry : Entries(section))
        keys.push_back(std::move(entry.key));
    return keys;
}

// A line added after the last line of a file that has no final line end first ends that line.
void ProfileFile::EndLineBefore(std::size_t position) {
    if (position > 0 && m_lines[position - 1].end.empty())
        m_lines[position - 1].end = kLineEnd;
}

void ProfileFile::InsertLine(std::size_t position, std::string raw) {
    EndLineBefore(position);
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(position), ParseLine(std::move(raw), kLineEnd));
    if (!m_indexStale)
        IndexInsertedLine(position);
}

// Moves the index past a new line and counts it when it is a key line of an indexed section. A new header
// would split a section: the index is then built anew.
void ProfileFile::IndexInsertedLine(std::size_t position) {
    const Line& line = m_lines[position];
    if (line.kind == LineKind::Section) {
        m_indexStale = true;
        return;
    }
    for (auto& [name, section] : m_sections) {
        const bool holdsLine = section.header < position && position <= section.end;
        ShiftSection(section, position, 1);
        if (holdsLine && line.kind == LineKind::Key) {
            KeyLines& lines = section.keys.try_emplace(FoldedName(line.name), KeyLines{position, 0}).first->second;
            lines.first = std::min(lines.first, position);
            ++lines.count;
        }
    }
}

// Moves every line number of the section from `from` on by one, up or down.
void ProfileFile::ShiftSection(SectionIndex& section, std::size_t from, int delta) {
    if (section.end < from)
        return;
    Shift(section.header, from, delta);
    Shift(section.end, from, delta);
    for (auto& [key, lines] : section.keys)
        Shift(lines.first, from, delta);
}

void ProfileFile::EraseLine(std::size_t position) {
    if (!m_indexStale)
        UnindexLine(position);
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(position));
}

// Uncounts a key line about to be erased (its next line of the same name becomes the first) and moves the
// index over it.
void ProfileFile::UnindexLine(std::size_t position) {
    const Line& line = m_lines[position];
    if (line.kind == LineKind::Section) {
        m_indexStale = true;
        return;
    }
    for (auto& [name, section] : m_sections) {
        if (line.kind == LineKind::Key && section.header < position && position < section.end) {
            const std::string key = FoldedName(line.name);
            const auto found = section.keys.find(key);
            if (--found->second.count == 0) {
                section.keys.erase(found);
            } else if (found->second.first == position) {
                std::size_t next = position + 1;
                while (next < section.end &&
                       (m_lines[next].kind != LineKind::Key || FoldedName(m_lines[next].name) != key))
                    ++next;
                found->second.first = next;
            }
        }
        ShiftSection(section, position + 1, -1);
    }
}

// A replaced line that no longer reads as the same key (its name starts with ";" or "[") changes the index.
void ProfileFile::ReplaceLine(std::size_t position, std::string raw) {
    Line& line = m_lines[position];
    Line replacement = ParseLine(std::move(raw), std::move(line.end));
    if (replacement.kind != line.kind || replacement.name != line.name)
        m_indexStale = true;
    line = std::move(replacement);
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string name = TrimText(OneLine(key));
    if (name.empty())
        return;
    const std::string sectionName = TrimText(OneLine(section));
    const std::string oneLineValue = OneLine(value);
    const SectionIndex* found = FindSection(sectionName);
    if (!found) {
        InsertLine(m_lines.size(), "[" + sectionName + "]");
        InsertLine(m_lines.size(), name + "=" + oneLineValue);
    } else if (const std::size_t existing = FindKey(*found, name); existing != kNone) {
        ReplaceLine(existing, m_lines[existing].name + "=" + oneLineValue);
    } else {
        InsertLine(AfterLastKey(*found), name + "=" + oneLineValue);
    }
    Changed();
}

void ProfileFile::DeleteKey(std::string_view section, std::string_view key) {
    DeleteKeys(section, {std::string(key)});
}

// A single line leaves through the index; more lines (a key repeated, or many keys) leave in one pass over the
// section, and the index is built anew when next needed, so that the time grows with the file, not its square.
void ProfileFile::DeleteKeys(std::string_view section, const std::vector<std::string>& keys) {
    const SectionIndex* found = FindSection(section);
    if (!found)
        return;
    std::unordered_set<std::string> deleted;
    std::size_t lines = 0;
    std::size_t first = found->end;
    for (const std::string& key : keys) {
        const auto keyLines = found->keys.find(FoldedName(TrimText(key)));
        if (keyLines != found->keys.end() && deleted.insert(keyLines->first).second) {
            lines += keyLines->second.count;
            first = std::min(first, keyLines->second.first);
        }
    }
    if (lines == 1) {
        EraseLine(first);
    } else if (lines > 1) {
        std::size_t kept = first;
        for (std::size_t i = first; i < found->end; ++i) {
            if (m_lines[i].kind == LineKind::Key && deleted.contains(FoldedName(m_lines[i].name)))
                continue;
            if (kept != i)
                m_lines[kept] = std::move(m_lines[i]);
            ++kept;
        }
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(kept),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(found->end));
        m_indexStale = true;
    }
    if (lines > 0)
        Changed();
}

void ProfileFile::ReplaceKeys(std::string_view section, const std::vector<Entry>& entries) {
    // From the last entry back, so that a repeated key keeps its last place.
    std::vector<Line> block;
    std::unordered_set<std::string> replaced;
    std::string firstKey;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        const std::string name = TrimText(OneLine(entry->key));
        Line line = ParseLine(name + "=" + OneLine(entry->value), kLineEnd);
        if (line.kind != LineKind::Key || line.name != name)
            continue;
        firstKey = FoldedName(name);
        if (replaced.insert(firstKey).second)
            block.push_back(std::move(line));
    }
    std::reverse(block.begin(), block.end());
    const std::string sectionName = TrimText(OneLine(section));
    const std::string header = "[" + sectionName + "]";
    const Line headerLine = ParseLine(header, kLineEnd);
    if (block.empty() || headerLine.kind != LineKind::Section || headerLine.name != sectionName)
        return;
    if (!FindSection(sectionName))
        InsertLine(m_lines.size(), header);
    const SectionIndex& found = *FindSection(sectionName);

    // Written one by one, the first key would go after the last key line left once its own lines are gone;
    // each further key after the one before it, whichever lines are deleted later.
    std::size_t kept = found.header + 1;
    std::size_t position = kept;
    for (std::size_t i = found.header + 1; i < found.end; ++i) {
        const bool isKey = m_lines[i].kind == LineKind::Key;
        const std::string name = isKey ? FoldedName(m_lines[i].name) : std::string();
        if (!isKey || !replaced.contains(name)) {
            if (kept != i)
                m_lines[kept] = std::move(m_lines[i]);
            ++kept;
        }
        if (isKey && name != firstKey)
            position = kept;
    }
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(kept),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(found.end));
    EndLineBefore(position);
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(position), std::make_move_iterator(block.begin()),
                   std::make_move_iterator(block.end()));
    m_indexStale = true;
    Changed();
}

void ProfileFile::Changed() {
    m_changed = true;
    m_textStale = true;
}

void ProfileFile::Flush() {
    if (!m_changed)
        return;
    if (m_unreadable)
        throw FileWriteError(m_path);
    WriteFileAtomically(m_path, Text());
    std::error_code error;
    m_stamp = StampOfBytes(Text(), fs::last_write_time(m_path, error));
    m_existed = true;
    m_changed = false;
}

} // namespace mitoran
