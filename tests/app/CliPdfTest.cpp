// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF files of mitoran-cli, read back with poppler's pdftotext and pdfinfo.
#include "support/MonthFileText.h"
#include "support/TempFolder.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace mitoran {
namespace {

namespace fs = std::filesystem;
using test::WriteBytes;

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& environment = {}) {
    QProcess process;
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

class CliPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty())
            GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo, pdffonts) are not installed";
        fs::create_directories(m_data);
        fs::create_directories(m_ini.parent_path());
    }

    // Print settings under "System", after the closing day that keeps the first run from starting.
    void Settings(const std::string& values) { WriteBytes(m_ini, "[System]\nSimeDay=31\n" + values); }

    ProgramRun Cli(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(m_config.string()));
        environment.remove(QStringLiteral("DISPLAY"));
        return RunProgram(QStringLiteral(MITORAN_CLI),
                          QStringList{QStringLiteral("--data-dir"), QString::fromStdString(m_data.string())} +
                              arguments,
                          environment);
    }

    void Stamp(const char* kind, const char* at) {
        const ProgramRun run =
            Cli({QStringLiteral("stamp"), QLatin1String(kind), QStringLiteral("--at"), QLatin1String(at)});
        ASSERT_EQ(run.status, 0) << run.err;
    }

    static std::string Text(const fs::path& pdf) {
        return RunProgram(QStringLiteral("pdftotext"),
                          {QStringLiteral("-layout"), QString::fromStdString(pdf.string()), QStringLiteral("-")})
            .out;
    }

    static std::string Info(const fs::path& pdf) {
        return RunProgram(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf.string())}).out;
    }

    QString File(const char* name) const { return QString::fromStdString((m_temp.Path() / name).string()); }

    test::TempFolder m_temp;
    const fs::path m_data = m_temp.Path() / "data";
    const fs::path m_config = m_temp.Path() / "config";
    const fs::path m_ini = m_config / "Quorvan" / "Vuvedez.ini";
};

void ExpectHolds(const std::string& text, const std::string& part) {
    EXPECT_NE(text.find(part), std::string::npos) << "missing \"" << part << "\" in\n" << text;
}

// Portrait on one A4 page: the title, the name, the month, every day, the summary and "1 / 1". The print fonts
// name a face this machine lacks; the Japanese font it falls back to still gives text, not boxes.
TEST_F(CliPdfTest, MonthInPortraitHoldsEveryDayTheSummaryAndThePageNumber) {
    Settings("PrintName=1\nPrintPage=1\nNameTitle=Sales:Taro\nPrintTime=1\n");
    Stamp("in", "2024-03-04 08:00");
    Stamp("out", "2024-03-04 20:30");
    const ProgramRun run = Cli({QStringLiteral("pdf"), QStringLiteral("2024"), QStringLiteral("3"), File("march.pdf")});
    ASSERT_EQ(run.status, 0) << run.err;

    const std::string text = Text(m_temp.Path() / "march.pdf");
    for (const char* part : {"残業時間一覧表", "Sales:Taro", "2024年3月", "出勤", "休出", "普通", "深夜", "合計",
                             "目標", "勤務", "1 / 1", "8:00", "20:30"})
        ExpectHolds(text, part);
    for (int day = 1; day <= 31; ++day)
        ExpectHolds(text, "3/" + std::string(day < 10 ? " " : "") + std::to_string(day));
    ExpectHolds(text, "12.50"); // the work time of the 4th in decimal hours

    const std::string fonts =
        RunProgram(QStringLiteral("pdffonts"), {QString::fromStdString((m_temp.Path() / "march.pdf").string())}).out;
    ExpectHolds(fonts, "IPAGothic"); // the program's Japanese font in place of the missing ＭＳ ゴシック

    const std::string info = Info(m_temp.Path() / "march.pdf");
    ExpectHolds(info, "Pages:           1");
    ExpectHolds(info, "595 x 842 pts (A4)");
}

// Landscape with the foot: 30 days on the first page, the 31st and the summary under a repeated header.
TEST_F(CliPdfTest, MonthInLandscapeContinuesOnASecondPage) {
    Settings("ZangyoPrintMuki=1\nPrintPage=1\nPrintDate=1\nPagePosition=2\nDatePosition=0\n");
    const ProgramRun run = Cli({QStringLiteral("pdf"), QStringLiteral("2024"), QStringLiteral("3"), File("march.pdf")});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string text = Text(m_temp.Path() / "march.pdf");
    const std::size_t secondPage = text.find('\f');
    ASSERT_NE(secondPage, std::string::npos);
    EXPECT_EQ(text.find("3/31"), text.find("3/31", secondPage));
    EXPECT_LT(text.find("3/30"), secondPage);
    EXPECT_NE(text.find("日 付", secondPage), std::string::npos);
    ExpectHolds(text, "1 / 2");
    ExpectHolds(text, "2 / 2");
    const std::string info = Info(m_temp.Path() / "march.pdf");
    ExpectHolds(info, "Pages:           2");
    ExpectHolds(info, "842 x 595 pts (A4)");
}

TEST_F(CliPdfTest, TotalsAndLeaveListsAndARefusedWrite) {
    Settings("");
    const ProgramRun totals = Cli({QStringLiteral("pdf"), QStringLiteral("--totals"), QStringLiteral("2024"),
                                   QStringLiteral("4"), QStringLiteral("2025"), QStringLiteral("3"), File("year.pdf")});
    ASSERT_EQ(totals.status, 0) << totals.err;
    const std::string year = Text(m_temp.Path() / "year.pdf");
    for (const char* part :
         {"残業時間一覧表", "2024年4月", "2025年3月", "2024/04", "2025/03", "合 計", "平 均", "最 高", "最 低"})
        ExpectHolds(year, part);

    const ProgramRun leave = Cli({QStringLiteral("pdf"), QStringLiteral("--leave"), File("leave.pdf")});
    ASSERT_EQ(leave.status, 0) << leave.err;
    const std::string ledger = Text(m_temp.Path() / "leave.pdf");
    for (const char* part : {"有給休暇一覧表", "No.", "繰越残日数", "現在残日数"})
        ExpectHolds(ledger, part);

    const ProgramRun refused =
        Cli({QStringLiteral("pdf"), QStringLiteral("--leave"), File("no-such-folder/leave.pdf")});
    EXPECT_EQ(refused.status, 1);
    ExpectHolds(refused.err, "に書き込めません");
    EXPECT_FALSE(fs::exists(m_temp.Path() / "no-such-folder"));

    const ProgramRun backwards = Cli({QStringLiteral("pdf"), QStringLiteral("--totals"), QStringLiteral("2025"),
                                      QStringLiteral("4"), QStringLiteral("2024"), QStringLiteral("3"), File("x.pdf")});
    EXPECT_EQ(backwards.status, 2);
    EXPECT_FALSE(fs::exists(m_temp.Path() / "x.pdf"));
}

// The 36協定 table as the window prints it: one landscape A4 page with the agreement year's months.
TEST_F(CliPdfTest, LimitsTableOnALandscapePage) {
    Settings("");
    WriteBytes(m_data / "202405.dat", test::MonthFileText(5, test::OrdinaryDays(2, "30:00")));
    const ProgramRun limits = Cli({QStringLiteral("pdf"), QStringLiteral("--limits"), QStringLiteral("2024"),
                                   QStringLiteral("5"), File("limits.pdf")});
    ASSERT_EQ(limits.status, 0) << limits.err;
    EXPECT_TRUE(limits.out.empty());
    ExpectHolds(Info(m_temp.Path() / "limits.pdf"), "842 x 595 pts (A4)");
    const std::string text = Text(m_temp.Path() / "limits.pdf");
    for (const char* part : {"36協定", "2024年4月", "2024/04", "2024/05", "60:00", "2025/03"})
        ExpectHolds(text, part);
}

} // namespace
} // namespace mitoran
