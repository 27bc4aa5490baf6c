// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mitoran {

// Where the engine keeps its files; the program injects the real folders, tests a temporary one.
class Folders {
public:
    virtual ~Folders() = default;

    // The folder of the data files (month files, "Holiday.dat", "Vacation.dat", the ".SET" file).
    virtual std::filesystem::path DataFolder() const = 0;
    virtual std::filesystem::path CurrentDirectory() const = 0;
    virtual std::string ProgramName() const = 0;
};

// MITORAN_DATA_DIR when set; otherwise the executable's folder on Windows and
// $XDG_DATA_HOME/Quorvan/Vuvedez (~/.local/share/Quorvan/Vuvedez) elsewhere.
class StandardFolders : public Folders {
public:
    explicit StandardFolders(std::filesystem::path executableFolder = {});

    std::filesystem::path DataFolder() const override;
    std::filesystem::path CurrentDirectory() const override;
    std::string ProgramName() const override;

private:
    std::filesystem::path m_executableFolder;
};

// The data folder for the default user (empty name), otherwise the user's sub-folder in it.
std::filesystem::path UserFolder(const Folders& folders, std::string_view userCp932);

// Creates the user's folder and its parents when missing; false when it cannot be created.
bool EnsureUserFolder(const Folders& folders, std::string_view userCp932);

} // namespace mitoran
