// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/settings/Folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace mitoran::test {

inline void SetEnvironment(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

// A fresh folder named after the running test and unique to this run, so that the same test run by two
// builds at once never shares it; removed again when the test ends. A copy of the test program started for
// the test as another process (MITORAN_TEST_CHILD set) works in the test's folder as it is, found through
// MITORAN_TEST_FOLDER, which it inherits.
class TempFolder {
public:
    TempFolder() {
        if (std::getenv("MITORAN_TEST_CHILD")) {
            m_path = std::getenv("MITORAN_TEST_FOLDER");
            return;
        }
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::temp_directory_path() / ("mitoran-" + std::string(info->test_suite_name()) + "-" +
                                                           info->name() + "-" + std::to_string(std::random_device{}()));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
        // Private like a data folder the program creates: the command line mentions one that others may read.
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all);
        SetEnvironment("MITORAN_TEST_FOLDER", m_path.string());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Folders that put every data file into one given folder.
class FixedFolders final : public Folders {
public:
    explicit FixedFolders(std::filesystem::path folder, std::filesystem::path currentDirectory = {})
        : m_folder(std::move(folder)),
          m_currentDirectory(currentDirectory.empty() ? m_folder : std::move(currentDirectory)) {}
    std::filesystem::path DataFolder() const override { return m_folder; }
    std::filesystem::path CurrentDirectory() const override { return m_currentDirectory; }
    std::string ProgramName() const override { return "mitoran"; }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_currentDirectory;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The names of the entries of a folder, sorted.
inline std::vector<std::string> FileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace mitoran::test
