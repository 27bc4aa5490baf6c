// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/text/AtomicFile.h"
#include "engine/text/FileStamp.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mitoran {

// A profile (INI) file held as text: sections in brackets, key=value lines, CP932 bytes, CR LF.
// Reads match sections and keys without regard to ASCII case and ignore blanks around keys and values.
// Writes change the text in memory and keep every other byte as it was; Flush commits the whole file through
// WriteFileAtomically.
// Look-ups go through an index of the first section of each name and the key lines in it, built when first
// needed and kept up to date as key lines come and go.
class ProfileFile {
public:
    struct Entry {
        std::string key;
        std::string value;
    };

    // Reads the file; a missing or unreadable file is an empty profile.
    explicit ProfileFile(std::filesystem::path path);

    const std::filesystem::path& Path() const { return m_path; }
    bool Exists() const { return m_existed; }
    // The stamp of the file as read, or as last written by Flush: what a later save compares the file with.
    const FileStamp& Stamp() const { return m_stamp; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    std::vector<std::string> Keys(std::string_view section) const;
    // Each key of the section once, with the value ReadString gives it, in the order of the file.
    std::vector<Entry> Entries(std::string_view section) const;

    // Replaces the key's line in place, or appends it to its section, or adds the section at the end.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void DeleteKey(std::string_view section, std::string_view key);
    // Deletes every line of each key, as DeleteKey for each would, in one pass.
    void DeleteKeys(std::string_view section, const std::vector<std::string>& keys);
    // Writes the keys as DeleteKey then WriteString for each entry in turn would, in one pass: every line of the
    // keys leaves the section and the keys follow in the given order (a repeated key at its last place), after
    // the last key line not of the first key. Keys and a new section name that would not read back as written
    // (holding "=", starting with ";" or "[", a header without its closing bracket) are not written.
    void ReplaceKeys(std::string_view section, const std::vector<Entry>& entries);

    // Writes the text to disk; throws FileWriteError when the file cannot be written (the old file stays).
    void Flush();

    const std::string& Text() const;

private:
    enum class LineKind { Other, Section, Key };

    // One line of the file: its bytes as read, its line end, and what it holds once trimmed.
    struct Line {
        std::string raw;
        std::string end;
        LineKind kind = LineKind::Other;
        std::string name;
        std::string value;
    };

    // The lines of one key name in a section: the first of them and how many there are.
    struct KeyLines {
        std::size_t first = 0;
        std::size_t count = 0;
    };

    // The first section of a name: its header, the line after its last line, its key lines by folded name.
    struct SectionIndex {
        std::size_t header = 0;
        std::size_t end = 0;
        std::unordered_map<std::string, KeyLines> keys;
    };

    static Line ParseLine(std::string raw, std::string end);
    void Parse(std::string_view text);
    const SectionIndex* FindSection(std::string_view section) const;
    std::size_t FindKey(const SectionIndex& section, std::string_view key) const;
    std::size_t FindKey(std::string_view section, std::string_view key) const;
    std::size_t AfterLastKey(const SectionIndex& section) const;
    void BuildIndex() const;
    void EndLineBefore(std::size_t position);
    void InsertLine(std::size_t position, std::string raw);
    void IndexInsertedLine(std::size_t position);
    static void ShiftSection(SectionIndex& section, std::size_t from, int delta);
    void EraseLine(std::size_t position);
    void UnindexLine(std::size_t position);
    void ReplaceLine(std::size_t position, std::string raw);
    void Changed();

    std::filesystem::path m_path;
    std::vector<Line> m_lines;
    mutable std::string m_text;
    mutable bool m_textStale = false;
    mutable std::unordered_map<std::string, SectionIndex> m_sections;
    mutable bool m_indexStale = true;
    bool m_existed = false;
    FileStamp m_stamp;
    bool m_unreadable = false;
    bool m_changed = false;
};

} // namespace mitoran
