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

// Creates the folder and its missing parents, each new one for its owner alone (mode 0700 on POSIX); folders
// already there keep their mode. False when the folder cannot be created.
bool CreatePrivateFolders(const std::filesystem::path& folder);

// Creates the user's folder and its parents when missing, as CreatePrivateFolders does; false when it
// cannot be created.
bool EnsureUserFolder(const Folders& folders, std::string_view userCp932);

// True when other users of the machine may read the folder (POSIX "others" read permission); never on
// Windows, whose folders follow their access lists.
bool IsReadableByOthers(const std::filesystem::path& folder);

} // namespace mitoran
