// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mitoran {

// A refused write: the message is "%s に書き込めません" with the file name, in CP932.
class FileWriteError : public std::runtime_error {
public:
    explicit FileWriteError(const std::filesystem::path& path);
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// A profile (INI) file held as text: sections in brackets, key=value lines, CP932 bytes, CR LF.
// Reads match sections and keys without regard to ASCII case and ignore blanks around keys and values.
// Writes change the text in memory and keep every other byte as it was; Flush commits the whole file
// atomically (temporary file beside it, flushed to disk, renamed over the old one).
class ProfileFile {
public:
    // Reads the file; a missing or unreadable file is an empty profile.
    explicit ProfileFile(std::filesystem::path path);

    const std::filesystem::path& Path() const { return m_path; }
    bool Exists() const { return m_existed; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    std::vector<std::string> Keys(std::string_view section) const;

    // Replaces the key's line in place, or appends it to its section, or adds the section at the end.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void DeleteKey(std::string_view section, std::string_view key);

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

    static Line ParseLine(std::string raw, std::string end);
    void Parse(std::string_view text);
    std::size_t FindSection(std::string_view section) const;
    std::size_t SectionEnd(std::size_t header) const;
    std::size_t FindKey(std::size_t header, std::string_view key) const;
    void InsertLine(std::size_t position, std::string raw);
    void Changed();

    std::filesystem::path m_path;
    std::vector<Line> m_lines;
    mutable std::string m_text;
    mutable bool m_textStale = false;
    bool m_existed = false;
    bool m_unreadable = false;
    bool m_changed = false;
};

} // namespace mitoran
