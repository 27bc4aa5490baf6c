// SPDX-License-Identifier: GPL-3.0-or-later
// mitoran-cli as a program, over a real settings file.
#include "support/TempFolder.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace mitoran {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_data);
        fs::create_directories(m_ini.parent_path());
    }

    CliRun Cli(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(m_config.string()));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(MITORAN_CLI),
                      QStringList{QStringLiteral("--data-dir"), QString::fromStdString(m_data.string())} + arguments);
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
    WriteBytes(m_ini, "");
    const CliRun run = Cli({QStringLiteral("--user"), QStringLiteral("x"), QStringLiteral("show"),
                            QStringLiteral("2024"), QStringLiteral("3")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(fs::is_empty(m_data));
    EXPECT_EQ(ReadBytes(m_ini), "");
    EXPECT_EQ(Contents(m_config), (std::vector<std::string>{"Quorvan", "Quorvan/Vuvedez.ini"}));
}

} // namespace
} // namespace mitoran
