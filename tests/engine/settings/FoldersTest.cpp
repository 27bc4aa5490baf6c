// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/Folders.h"

#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>

// The folders of POSIX systems; the tests set environment variables with setenv.
#ifndef _WIN32
namespace mitoran {
namespace {

namespace fs = std::filesystem;

// Sets environment variables for one test and puts the old values back afterwards.
class EnvironmentGuard {
public:
    ~EnvironmentGuard() {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    void Set(const std::string& name, const char* value) {
        const char* old = std::getenv(name.c_str());
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value)
            setenv(name.c_str(), value, 1);
        else
            unsetenv(name.c_str());
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST(FoldersTest, DataFolderFollowsTheEnvironment) {
    EnvironmentGuard environment;
    environment.Set("HOME", "/home/tanaka");
    const StandardFolders folders;
    struct Case {
        const char* dataDir;
        const char* xdgDataHome;
        fs::path expected;
    };
    const Case cases[] = {
        {"/srv/mitoran", "/xdg", "/srv/mitoran"},
        {"", "/xdg", "/xdg/Quorvan/Vuvedez"},
        {nullptr, "/xdg", "/xdg/Quorvan/Vuvedez"},
        {nullptr, "", "/home/tanaka/.local/share/Quorvan/Vuvedez"},
        {nullptr, "relative", "/home/tanaka/.local/share/Quorvan/Vuvedez"},
        {nullptr, nullptr, "/home/tanaka/.local/share/Quorvan/Vuvedez"},
    };
    for (const Case& c : cases) {
        environment.Set("MITORAN_DATA_DIR", c.dataDir);
        environment.Set("XDG_DATA_HOME", c.xdgDataHome);
        EXPECT_EQ(folders.DataFolder(), c.expected)
            << (c.dataDir ? c.dataDir : "unset") << " / " << (c.xdgDataHome ? c.xdgDataHome : "unset");
    }
    EXPECT_EQ(folders.ProgramName(), "mitoran");
    EXPECT_EQ(folders.CurrentDirectory(), fs::current_path());
}

TEST(FoldersTest, UserFoldersAreCreatedWhenAsked) {
    const fs::path root = fs::temp_directory_path() / ("mitoran-folders-" + std::to_string(std::random_device{}()));
    EnvironmentGuard environment;
    environment.Set("MITORAN_DATA_DIR", (root / "data" / "nested").c_str());
    const StandardFolders folders;

    const std::string yamada = Utf8ToCp932("山田");
    EXPECT_EQ(UserFolder(folders, ""), root / "data" / "nested");
    EXPECT_EQ(UserFolder(folders, yamada), root / "data" / "nested" / fs::path(u8"山田"));
    EXPECT_TRUE(EnsureUserFolder(folders, yamada));
    EXPECT_TRUE(fs::is_directory(root / "data" / "nested" / fs::path(u8"山田")));
    EXPECT_TRUE(EnsureUserFolder(folders, yamada)) << "an existing folder is fine";

    std::ofstream(root / "file") << "x";
    environment.Set("MITORAN_DATA_DIR", (root / "file" / "data").c_str());
    EXPECT_FALSE(EnsureUserFolder(folders, ""));
    EXPECT_FALSE(EnsureUserFolder(folders, "abc"));
    fs::remove_all(root);
}

} // namespace
} // namespace mitoran
#endif
