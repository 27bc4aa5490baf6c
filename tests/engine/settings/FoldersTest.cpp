// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/Folders.h"

#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>

namespace mitoran {
namespace {

namespace fs = std::filesystem;

// Sets environment variables for one test and puts the old values back afterwards. On Windows the values
// go through the wide-character environment, so folder names keep every character.
class EnvironmentGuard {
public:
    ~EnvironmentGuard() {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it)
            Put(it->first, it->second ? it->second->c_str() : nullptr);
    }
    void Set(const fs::path& name, const fs::path::value_type* value) {
#ifdef _WIN32
        const wchar_t* old = _wgetenv(name.c_str());
#else
        const char* old = std::getenv(name.c_str());
#endif
        m_saved.emplace_back(name, old ? std::optional<fs::path::string_type>(old) : std::nullopt);
        Put(name, value);
    }
    void Set(const fs::path& name, const fs::path& value) {
        Set(name, value.c_str());
    }

private:
    static void Put(const fs::path& name, const fs::path::value_type* value) {
#ifdef _WIN32
        _wputenv_s(name.c_str(), value ? value : L"");
#else
        if (value)
            setenv(name.c_str(), value, 1);
        else
            unsetenv(name.c_str());
#endif
    }

    std::vector<std::pair<fs::path, std::optional<fs::path::string_type>>> m_saved;
};

#ifdef _WIN32
// Without MITORAN_DATA_DIR the data sit beside the program; the variable's value is taken whole, Japanese
// characters included, whatever the system's code page.
TEST(FoldersTest, DataFolderFollowsTheEnvironment) {
    EnvironmentGuard environment;
    const fs::path program = fs::path(u8"C:/Program Files/ミトラン");
    const StandardFolders folders(program);
    environment.Set("MITORAN_DATA_DIR", nullptr);
    EXPECT_EQ(folders.DataFolder(), program);
    environment.Set("MITORAN_DATA_DIR", fs::path(u8"D:/データ/山田"));
    EXPECT_EQ(folders.DataFolder(), fs::path(u8"D:/データ/山田"));
    EXPECT_EQ(folders.ProgramName(), "mitoran");
    EXPECT_EQ(folders.CurrentDirectory(), fs::current_path());
}
#else
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
#endif

TEST(FoldersTest, UserFoldersAreCreatedWhenAsked) {
    // Japanese characters in the data folder's own path as well as in the user's name.
    fs::path root = fs::temp_directory_path() / fs::path(u8"mitoran-フォルダ-");
    root += std::to_string(std::random_device{}());
    EnvironmentGuard environment;
    environment.Set("MITORAN_DATA_DIR", root / "data" / "nested");
    const StandardFolders folders;

    const std::string yamada = Utf8ToCp932("山田");
    EXPECT_EQ(UserFolder(folders, ""), root / "data" / "nested");
    EXPECT_EQ(UserFolder(folders, yamada), root / "data" / "nested" / fs::path(u8"山田"));
    EXPECT_TRUE(EnsureUserFolder(folders, yamada));
    EXPECT_TRUE(fs::is_directory(root / "data" / "nested" / fs::path(u8"山田")));
    EXPECT_TRUE(EnsureUserFolder(folders, yamada)) << "an existing folder is fine";

    std::ofstream(root / "file") << "x";
    environment.Set("MITORAN_DATA_DIR", root / "file" / "data");
    EXPECT_FALSE(EnsureUserFolder(folders, ""));
    EXPECT_FALSE(EnsureUserFolder(folders, "abc"));
    fs::remove_all(root);
}

#ifndef _WIN32
// Data stay private: every folder the program creates is its owner's alone, and one already there keeps its
// mode; a folder others may read is recognised so that it can be mentioned.
TEST(FoldersTest, CreatedDataFoldersAreTheOwnersAlone) {
    const fs::path root = fs::temp_directory_path() / ("mitoran-private-" + std::to_string(std::random_device{}()));
    fs::create_directory(root);
    fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
    EnvironmentGuard environment;
    environment.Set("MITORAN_DATA_DIR", root / "share" / "data");
    const StandardFolders folders;
    ASSERT_TRUE(EnsureUserFolder(folders, Utf8ToCp932("山田")));

    const auto modeOf = [](const fs::path& folder) { return fs::status(folder).permissions() & fs::perms::mask; };
    EXPECT_EQ(modeOf(root / "share"), fs::perms::owner_all);
    EXPECT_EQ(modeOf(root / "share" / "data"), fs::perms::owner_all);
    EXPECT_EQ(modeOf(root / "share" / "data" / fs::path(u8"山田")), fs::perms::owner_all);
    EXPECT_EQ(modeOf(root), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);

    const struct {
        fs::perms mode;
        bool readableByOthers;
    } cases[] = {
        {fs::perms::owner_all, false},
        {fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec, false},
        {fs::perms::owner_all | fs::perms::others_read, true},
        {fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read | fs::perms::others_exec, true},
    };
    for (const auto& c : cases) {
        fs::permissions(root / "share", c.mode);
        EXPECT_EQ(IsReadableByOthers(root / "share"), c.readableByOthers) << static_cast<int>(c.mode);
    }
    EXPECT_FALSE(IsReadableByOthers(root / "missing"));
    fs::permissions(root / "share", fs::perms::owner_all);
    fs::remove_all(root);
}
#endif

} // namespace
} // namespace mitoran
