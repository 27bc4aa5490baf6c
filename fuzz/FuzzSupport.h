// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>

// What every harness shares: the check that stops the run, a private folder for the files it writes.
namespace mitoran::fuzz {

// Stops the run when an invariant breaks, so that libFuzzer keeps the input that broke it.
inline void Require(bool holds, const char* invariant) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", invariant);
        std::abort();
    }
}

// A folder of this process for the files a harness writes, in memory (/dev/shm) where there is one, so that
// the flush of every save costs nothing. It is removed when the run ends normally.
class WorkFolderOwner {
public:
    WorkFolderOwner() {
        std::error_code error;
        const std::filesystem::path shm("/dev/shm");
        const std::filesystem::path base =
            std::filesystem::is_directory(shm, error) ? shm : std::filesystem::temp_directory_path();
        m_path = base / ("mitoran-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_path);
    }
    ~WorkFolderOwner() {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    WorkFolderOwner(const WorkFolderOwner&) = delete;
    WorkFolderOwner& operator=(const WorkFolderOwner&) = delete;
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

inline const std::filesystem::path& WorkFolder() {
    static const WorkFolderOwner owner;
    return owner.Path();
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace mitoran::fuzz
