// SPDX-License-Identifier: GPL-3.0-or-later
// mitoran-cli as a program, over a real settings file.
#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace mitoran {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

using test::CliRun;

class CliProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "the settings are in the registry on Windows, not in a file the test can write or damage";
#endif
        fs::create_directories(m_data);
        fs::permissions(m_data, fs::perms::owner_all); // a folder others may read would be mentioned
        fs::create_directories(m_ini.parent_path());
        fs::permissions(m_ini.parent_path(), fs::perms::owner_all); // and settings others may read are closed
    }

    // The settings file as the user's alone, as the program makes it.
    void WriteSettings(const std::string& bytes) {
        WriteBytes(m_ini, bytes);
        fs::permissions(m_ini, fs::perms::owner_read | fs::perms::owner_write);
    }

    // The program runs without a terminal, as from cron, with `input` on its standard input.
    CliRun Cli(const QStringList& arguments, const std::string& input = {}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(m_config.string()));
        process.setProcessEnvironment(environment);
#ifndef Q_OS_WIN
        process.setChildProcessModifier([] { setsid(); });
#endif
        process.start(QStringLiteral(MITORAN_CLI),
                      QStringList{QStringLiteral("--data-dir"), QString::fromStdString(m_data.string())} + arguments);
        process.write(input.data(), static_cast<qint64>(input.size()));
        process.closeWriteChannel();
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }

    // Every file and folder under the folder, by path.
    static std::vector<std::string> Contents(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            names.push_back(fs::relative(entry.path(), folder).string());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempFolder m_temp;
    const fs::path m_data = m_temp.Path() / "data";
    const fs::path m_config = m_temp.Path() / "config";
    const fs::path m_ini = m_config / "Quorvan" / "Vuvedez.ini";
};

TEST_F(CliProgramTest, ShowWritesNothing) {
    WriteSettings("");
    const CliRun run = Cli({QStringLiteral("--user"), QStringLiteral("x"), QStringLiteral("show"),
                            QStringLiteral("2024"), QStringLiteral("3")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(fs::is_empty(m_data));
    EXPECT_EQ(ReadBytes(m_ini), "");
    EXPECT_EQ(Contents(m_config), (std::vector<std::string>{"Quorvan", "Quorvan/Vuvedez.ini"}));
}

// A line of the settings file that cannot be read is no failed save: commands go on with what could be read,
// and the first command that stores settings keeps the file as it was beside it.
TEST_F(CliProgramTest, DamagedSettingsFileIsReadAndKept) {
    const std::string damaged = "[System]\nSimeDay=20\nnot a value\nFlexTime=0\n";
    WriteSettings(damaged);
    const CliRun show = Cli({QStringLiteral("show"), QStringLiteral("2024"), QStringLiteral("3")});
    EXPECT_EQ(show.status, 0) << show.err;
    EXPECT_EQ(show.err, "");
    // The closing day read from the file: March runs from 21 February.
    EXPECT_NE(show.out.find(" 2/21 水"), std::string::npos) << show.out;
    EXPECT_EQ(ReadBytes(m_ini), damaged);
    EXPECT_EQ(Contents(m_config), (std::vector<std::string>{"Quorvan", "Quorvan/Vuvedez.ini"}));

    // Loading stores the missing time slots: the file is written anew, the damaged one kept.
    const CliRun recalc = Cli({QStringLiteral("recalc"), QStringLiteral("2024"), QStringLiteral("3")});
    EXPECT_EQ(recalc.status, 0) << recalc.err;
    EXPECT_EQ(recalc.err, "");
    EXPECT_NE(recalc.out.find("保存しました"), std::string::npos) << recalc.out;
    EXPECT_EQ(ReadBytes(fs::path(m_ini) += ".damaged"), damaged);
    const std::string rewritten = ReadBytes(m_ini);
    EXPECT_EQ(rewritten.find("not a value"), std::string::npos);
    EXPECT_NE(rewritten.find("SimeDay=20"), std::string::npos) << rewritten;
    EXPECT_NE(rewritten.find("Time13="), std::string::npos) << rewritten;
}

// The amounts password read from standard input; without that option the program asks on its terminal, and
// where it has none the password is missing.
TEST_F(CliProgramTest, PayTakesTheAmountsPasswordFromStandardInput) {
    WriteSettings("[System]\nSimeDay=31\nKinPass=enak\n"); // "kane", stored reversed
    const QStringList pay{QStringLiteral("pay"), QStringLiteral("2024"), QStringLiteral("3")};
    const QStringList fromInput = pay + QStringList{QStringLiteral("--password-stdin")};
    const CliRun right = Cli(fromInput, "KANE\n");
    EXPECT_EQ(right.status, 0) << right.err;
    EXPECT_TRUE(right.out.starts_with("KihonMemo\t")) << right.out;
    for (const CliRun& refused : {Cli(fromInput, "kan\n"), Cli(fromInput), Cli(pay, "kane\n")}) {
        EXPECT_EQ(refused.status, 2);
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err, "ﾊﾟｽﾜｰﾄﾞが違います。\n");
    }
}

// A closing day that does not read is taken as 31 (March is the calendar month); the amounts and the password
// stay, and the file is kept as it was beside it before it is written anew.
TEST_F(CliProgramTest, DamagedClosingDayKeepsThePasswordAndTheAmounts) {
    const std::string damaged = "[System]\nSimeDay=abc\nPass=cba\n[Setting]\nKin01=123456\n";
    WriteSettings(damaged);
    const CliRun recalc = Cli({QStringLiteral("recalc"), QStringLiteral("2024"), QStringLiteral("3")});
    ASSERT_EQ(recalc.status, 0) << recalc.err;
    EXPECT_EQ(recalc.err, "");
    const std::string rewritten = ReadBytes(m_ini);
    EXPECT_NE(rewritten.find("Pass=cba"), std::string::npos) << rewritten;
    EXPECT_NE(rewritten.find("Kin01=123456"), std::string::npos) << rewritten;
    EXPECT_EQ(rewritten.find("Kin02"), std::string::npos) << rewritten;
    EXPECT_EQ(ReadBytes(fs::path(m_ini) += ".damaged"), damaged);
#ifndef Q_OS_WIN
    EXPECT_EQ(fs::status(fs::path(m_ini) += ".damaged").permissions(), fs::perms::owner_read | fs::perms::owner_write);
#endif
    const CliRun show = Cli({QStringLiteral("show"), QStringLiteral("2024"), QStringLiteral("3")});
    EXPECT_NE(show.out.find("\n 3/ 1 "), std::string::npos) << show.out;
}

#ifndef Q_OS_WIN
// The settings hold the passwords and the pay: made for the user alone whatever the umask allows, and settings
// that others may use are closed to them once, with a note.
TEST_F(CliProgramTest, SettingsAreTheUsersAloneAndLooseModesAreClosedOnce) {
    fs::remove_all(m_config);
    const mode_t umaskBefore = umask(0);
    const CliRun first = Cli({QStringLiteral("recalc"), QStringLiteral("2024"), QStringLiteral("3")});
    umask(umaskBefore);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.err, "");
    const fs::perms file = fs::perms::owner_read | fs::perms::owner_write;
    EXPECT_EQ(fs::status(m_config).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(m_ini.parent_path()).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(m_ini).permissions(), file);

    const fs::path copy = fs::path(m_ini) += ".damaged";
    WriteBytes(copy, "[System]\n");
    fs::permissions(m_ini.parent_path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::others_exec);
    fs::permissions(m_ini, file | fs::perms::others_read);
    fs::permissions(copy, file | fs::perms::group_write);
    const CliRun loose = Cli({QStringLiteral("show"), QStringLiteral("2024"), QStringLiteral("3")});
    EXPECT_EQ(loose.err, m_ini.parent_path().string() + " を本人だけが読み書きできるようにしました\n" + m_ini.string() +
                             " を本人だけが読み書きできるようにしました\n" + copy.string() +
                             " を本人だけが読み書きできるようにしました\n");
    EXPECT_EQ(fs::status(m_ini.parent_path()).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(m_ini).permissions(), file);
    EXPECT_EQ(fs::status(copy).permissions(), file);
    EXPECT_EQ(Cli({QStringLiteral("show"), QStringLiteral("2024"), QStringLiteral("3")}).err, "");
}
#endif

} // namespace
} // namespace mitoran
