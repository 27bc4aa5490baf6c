// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/Folders.h"

#include "engine/text/Util.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace mitoran {

namespace fs = std::filesystem;

namespace {

// A folder named by the environment. Windows keeps the environment in UTF-16; its narrow copy holds only
// what the system's code page can, so the wide one is read.
fs::path EnvironmentFolder(const char* name) {
#ifdef _WIN32
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    const wchar_t* value = _wgetenv(wideName.c_str());
    return value ? fs::path(value) : fs::path();
#else
    const char* value = std::getenv(name);
    return value ? fs::path(value) : fs::path();
#endif
}

} // namespace

StandardFolders::StandardFolders(fs::path executableFolder) : m_executableFolder(std::move(executableFolder)) {}

fs::path StandardFolders::DataFolder() const {
    fs::path overridden = EnvironmentFolder("MITORAN_DATA_DIR");
    if (!overridden.empty())
        return overridden;
#ifdef _WIN32
    return m_executableFolder;
#else
    // A relative XDG_DATA_HOME is invalid and is ignored, as the XDG base directory rules require.
    fs::path base = EnvironmentFolder("XDG_DATA_HOME");
    if (!base.is_absolute())
        base = EnvironmentFolder("HOME") / ".local" / "share";
    return base / "Quorvan" / "Vuvedez";
#endif
}

fs::path StandardFolders::CurrentDirectory() const {
    std::error_code error;
    fs::path current = fs::current_path(error);
    return error ? fs::path() : current;
}

std::string StandardFolders::ProgramName() const {
    return "mitoran";
}

fs::path UserFolder(const Folders& folders, std::string_view userCp932) {
    // UserFilePath decides where a user's files go; any file name in the data folder shows the folder.
    return UserFilePath(userCp932, folders.DataFolder() / "Vacation.dat").parent_path();
}

bool CreatePrivateFolders(const fs::path& folder) {
    std::error_code error;
    if (folder.empty() || fs::is_directory(folder, error))
        return !folder.empty();
    const fs::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder && !CreatePrivateFolders(parent))
        return false;
#ifdef _WIN32
    fs::create_directory(folder, error);
#else
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
#endif
    return fs::is_directory(folder, error);
}

bool EnsureUserFolder(const Folders& folders, std::string_view userCp932) {
    try {
        return CreatePrivateFolders(UserFolder(folders, userCp932));
    } catch (...) {
        return false;
    }
}

bool IsReadableByOthers(const fs::path& folder) {
#ifdef _WIN32
    (void)folder;
    return false;
#else
    struct stat st {};
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_IROTH) != 0;
#endif
}

} // namespace mitoran
