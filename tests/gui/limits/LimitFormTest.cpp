// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/limits/LimitForm.h"

#include "engine/limits/LimitNotice.h"
#include "engine/month/MonthFile.h"
#include "engine/text/Texts.h"
#include "gui/WindowTestSupport.h"
#include "gui/limits/LimitChartLoader.h"
#include "platform/Cp932Qt.h"

#include "support/MonthFileText.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <fstream>
#include <iterator>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

// The clock stands on 10 March 2004: the agreement year from April holds 2003/04 … 2004/03, March in row 11.
class LimitFormTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensBesideTheMainWindowWithItsChart();
    void movesYearByYear();
    void colourMarksAMonthOverNinetyPercent();
    void headroomOfThisMonthStandsAboveTheTable();
    void doubleClickJumpsThroughTheLeaveMonthCheck();
    void pdfOfTheTableIsWritten();
    void mainWindowShowsTheHeadroomLineWhenAsked();
    void saveWarnsOncePerLevelAndMonth();

private:
    void WriteMonth(int year, int month, const std::vector<test::SavedDay>& days) const;
    TLimitForm& Open();
    QString Cell(TLimitForm& window, int row, int column) const;

    std::unique_ptr<test::WindowEnvironment> m_env;
    std::unique_ptr<TZangyoMain> m_main;
};

void LimitFormTest::initTestCase() {
#ifdef LIMIT_CHART_MODULE
    UseLimitChartModule(QStringLiteral(LIMIT_CHART_MODULE));
#endif
}

// February 2004 used 43:20 of the 45:00 a month, March 5:00 so far; February 2003, in the year before, 12:00.
void LimitFormTest::init() {
    m_env = std::make_unique<test::WindowEnvironment>();
    WriteMonth(2004, 2, test::OrdinaryDays(20, " 2:10"));
    WriteMonth(2004, 3, test::OrdinaryDays(5, " 1:00"));
    WriteMonth(2003, 2, test::OrdinaryDays(4, " 3:00"));
    m_main = m_env->MainWindow();
    m_main->show();
}

void LimitFormTest::cleanup() {
    m_main.reset();
    m_env.reset();
}

void LimitFormTest::WriteMonth(int year, int month, const std::vector<test::SavedDay>& days) const {
    std::ofstream(MonthFilePath(m_env->folders.DataFolder(), year, month, ""), std::ios::binary)
        << test::MonthFileText(month, days);
}

TLimitForm& LimitFormTest::Open() {
    m_main->findChild<QAction*>(u"LimitItem"_s)->trigger();
    auto* window = m_main->findChild<TLimitForm*>(u"TLimitForm"_s);
    Q_ASSERT(window != nullptr);
    return *window;
}

QString LimitFormTest::Cell(TLimitForm& window, int row, int column) const {
    auto* grid = window.findChild<QTableView*>(u"LimitStringGrid"_s);
    return grid->model()->index(row, column).data().toString();
}

// Not modal, with the chart from its module, and back where it was left.
void LimitFormTest::opensBesideTheMainWindowWithItsChart() {
    TLimitForm& window = Open();
    QVERIFY(window.isVisible());
    QVERIFY(!window.isModal());
    QVERIFY(m_main->isEnabled());
#ifdef LIMIT_CHART_MODULE
    QVERIFY(window.findChild<QWidget*>(u"LimitChartView"_s) != nullptr);
#else
    // Built without Qt Charts: the table, and a note where the chart would be.
    QVERIFY(window.findChild<QLabel*>(u"ChartMissingLabel"_s) != nullptr);
#endif
    QCOMPARE(window.findChild<QLabel*>(u"YearLabel"_s)->text(), u"協定年度 2003年4月～2004年3月"_s);
    window.move(120, 90);
    window.findChild<QPushButton*>(u"CancelButton"_s)->click();
    QVERIFY(!window.isVisible());
    QCOMPARE(m_env->store.ReadValue(UserKeyPath(""), "Position", "TLimitForm.Left").value_or(""), std::string("120"));
}

void LimitFormTest::movesYearByYear() {
    TLimitForm& window = Open();
    window.findChild<QPushButton*>(u"PreYearButton"_s)->click();
    QCOMPARE(window.ShownYear().start, (YearMonth{2002, 4}));
    QCOMPARE(Cell(window, 10, 0), u"2003/02"_s);
    QCOMPARE(Cell(window, 10, 1), u"12:00"_s);
    window.findChild<QPushButton*>(u"NextYearButton"_s)->click();
    QCOMPARE(Cell(window, 10, 1), u"43:20"_s);
}

void LimitFormTest::colourMarksAMonthOverNinetyPercent() {
    TLimitForm& window = Open();
    const QModelIndex february = window.findChild<QTableView*>(u"LimitStringGrid"_s)->model()->index(10, 1);
    QCOMPARE(february.data(Qt::BackgroundRole).value<QColor>(), QColor(0xFF, 0x98, 0x00));
    QCOMPARE(february.data(Qt::ToolTipRole).toString(), u"90%以上"_s);
    QVERIFY(!february.siblingAtColumn(2).data(Qt::BackgroundRole).isValid()); // 休日労働 has no limit
}

void LimitFormTest::headroomOfThisMonthStandsAboveTheTable() {
    TLimitForm& window = Open();
    QCOMPARE(window.findChild<QLabel*>(u"HeadroomLabel"_s)->text(), u"今月あと 40:00 (月の上限)"_s);
    QVERIFY(window.findChild<QLabel*>(u"ForecastLabel"_s)->text().startsWith(u"見込み "_s));
    QCOMPARE(window.findChild<QLabel*>(u"MonthLevelLabel"_s)->text(), u"月の上限 5:00 / 45:00"_s);
    QVERIFY(window.findChild<QLabel*>(u"SpecialMonthLevelLabel"_s)->isHidden());

    // Choosing February names it, with its level.
    auto* grid = window.findChild<QTableView*>(u"LimitStringGrid"_s);
    grid->setCurrentIndex(grid->model()->index(10, 0));
    QCOMPARE(window.findChild<QLabel*>(u"HeadroomLabel"_s)->text(), u"2004年2月 あと 1:40 (月の上限)"_s);
    QCOMPARE(window.findChild<QLabel*>(u"MonthLevelLabel"_s)->text(), u"月の上限 43:20 / 45:00 90%以上"_s);
    QVERIFY(window.findChild<QLabel*>(u"ForecastLabel"_s)->text().isEmpty());
}

// The changed month on display asks first: Cancel stays, No leaves it unsaved and shows the month chosen. Under
// automatic saving it is saved without a question.
void LimitFormTest::doubleClickJumpsThroughTheLeaveMonthCheck() {
    TLimitForm& window = Open();
    m_main->CurrentSession().sheet.days[1][DayColumn::Memo] = "zq";
    auto* grid = window.findChild<QTableView*>(u"LimitStringGrid"_s);
    const QModelIndex february = grid->model()->index(10, 0);
    grid->setCurrentIndex(february);
    m_env->questions.answers = {Answer::Cancel, Answer::No};
    emit grid->doubleClicked(february);
    if (test::AlternateProfile()) {
        QVERIFY(m_env->questions.asked.empty());
        std::ifstream saved(MonthFilePath(m_env->folders.DataFolder(), 2004, 3, ""), std::ios::binary);
        QVERIFY(std::string(std::istreambuf_iterator<char>(saved), {}).find("zq") != std::string::npos);
        QVERIFY(!window.isVisible());
        QCOMPARE(m_main->DisplayedMonth(), (YearMonth{2004, 2}));
        return;
    }
    QCOMPARE(m_env->questions.asked.size(), std::size_t{1});
    QCOMPARE(m_env->questions.asked.back().text, text::kSaveQuestion);
    QVERIFY(window.isVisible());
    QCOMPARE(m_main->DisplayedMonth(), (YearMonth{2004, 3}));

    emit grid->doubleClicked(february);
    QVERIFY(!window.isVisible());
    QCOMPARE(m_main->DisplayedMonth(), (YearMonth{2004, 2}));
}

void LimitFormTest::pdfOfTheTableIsWritten() {
    m_main->CurrentSession().settings.SaveInitialDir = FromQString(m_env->folder.path());
    TLimitForm& window = Open();
    QTimer* answer = test::HandleModals<QFileDialog>(
        m_main.get(), [](QFileDialog& dialog) { static_cast<QDialog&>(dialog).accept(); });
    window.findChild<QAction*>(u"PdfItem"_s)->trigger();
    answer->stop();
    QFile written(m_env->folder.filePath(u"36協定 2003年4月～2004年3月.pdf"_s));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().startsWith("%PDF-"));
}

void LimitFormTest::mainWindowShowsTheHeadroomLineWhenAsked() {
    auto* line = m_main->findChild<QLabel*>(u"LimitPanel"_s);
    QVERIFY(line->isHidden());
    const int height = m_main->height();
    m_main->CurrentSession().settings.Limits.MainDisp = true;
    m_main->findChild<QPushButton*>(u"BackButton"_s)->click();
    QVERIFY(!line->isHidden());
    QCOMPARE(m_main->height(), height + line->height());
    QCOMPARE(line->text(), u"2004年2月 あと 1:40 (月の上限) 90%以上"_s);
    QCOMPARE(line->palette().color(QPalette::Window), QColor(0xFF, 0x98, 0x00));
}

// A monthly limit of 10:00 and a day of 8:00 to 24:00 (7:00 of overtime, the month's other days holding no
// times): the save reaches a level of "月の上限" and says so in a message box, as there is no notification area;
// saving again tells nothing.
void LimitFormTest::saveWarnsOncePerLevelAndMonth() {
    Session& session = m_main->CurrentSession();
    session.settings.Limits.Set = true;
    session.settings.Limits.Month = 10 * 60;
    session.settings.Limits.Warning = true;
    auto* save = m_main->findChild<QPushButton*>(u"SaveButton"_s);
    session.sheet.days[1][DayColumn::Arrival] = " 8:00";
    session.sheet.days[1][DayColumn::Leaving] = "24:00";
    save->click();
    QCOMPARE(m_env->questions.asked.size(), std::size_t{1});
    QCOMPARE(ToQString(m_env->questions.asked[0].caption), u"36協定"_s);
    const QString text = ToQString(m_env->questions.asked[0].text);
    QVERIFY2(text.startsWith(u"2004年3月は月の上限"_s), qPrintable(text));
    QVERIFY(NotifiedLevel(session.Context(), {2004, 3}) != LimitLevel::None);

    session.sheet.days[1][DayColumn::Memo] = "again";
    save->click();
    QCOMPARE(m_env->questions.asked.size(), std::size_t{1});
}

} // namespace mitoran

QTEST_MAIN(mitoran::LimitFormTest)
#include "LimitFormTest.moc"
