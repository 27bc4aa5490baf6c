// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/leave/YuKyuSet.h"

#include "engine/month/MonthFile.h"
#include "engine/session/Session.h"
#include "engine/text/Texts.h"
#include "gui/WindowTestSupport.h"
#include "gui/leave/YuKyuDel.h"
#include "gui/leave/YuKyuDel2.h"
#include "platform/Cp932Qt.h"

#include <QAction>
#include <QDateEdit>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <algorithm>

#include <fstream>
#include <memory>
#include <sstream>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

} // namespace

class YuKyuSetTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openingFromTheMainWindowSavesTheMonthOnlyWithAutoSave();
    void doubleClicksFillTodayAndCycleTheCategory();
    void deletionsStayInMemoryUntilTheCloseQuestion();
    void csvExportWritesTheChosenFile();
    void ledgerWrittenElsewhereIsAskedAboutBeforeSaving();
    void pdfItemWritesTheLedgerWithTheCsvName();
    void carryOverChangesOnlyWhenTyped();
    void monthSaveWithTheWindowHiddenKeepsTheCarryOver();
    void reopeningAfterDroppedDeletionsShowsTheFileWhole();

private:
    void OpenLeaveWindow();
    void WriteFourEntries() const;
    void DeleteOldest(int count);
    QString Balance(const QString& memo) const { return m_leave->findChild<QLineEdit*>(memo)->text(); }
    static void TypeCarryOver(TYuuKyu& window, const QString& text);
    QTableView* Grid() const { return m_leave->findChild<QTableView*>(u"VacStringGrid"_s); }
    QString GridText(int row, int column) const { return Grid()->model()->index(row - 1, column).data().toString(); }
    void DoubleClick(int row, int column);
    std::filesystem::path LedgerFile() const { return m_env->folders.DataFolder() / "Vacation.dat"; }

    std::unique_ptr<test::WindowEnvironment> m_env;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<TYuuKyu> m_leave;
};

void YuKyuSetTest::init() {
    m_env = std::make_unique<test::WindowEnvironment>();
    QVERIFY(m_env->folder.isValid());
}

void YuKyuSetTest::cleanup() {
    m_leave.reset();
    m_session.reset();
}

void YuKyuSetTest::OpenLeaveWindow() {
    m_session = std::make_unique<Session>(m_env->store, m_env->folders, "");
    m_session->LoadUser("");
    m_leave = std::make_unique<TYuuKyu>(
        LeaveWindowServices{*m_session, m_env->store, m_env->clock, m_env->questions, "", nullptr});
    m_leave->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_leave.get()));
}

void YuKyuSetTest::DoubleClick(int row, int column) {
    Grid()->setCurrentIndex(Grid()->model()->index(row - 1, column));
    QLineEdit* editor = nullptr;
    for (auto* open : Grid()->viewport()->findChildren<QLineEdit*>()) {
        if (open->isVisible())
            editor = open;
    }
    QVERIFY(editor != nullptr);
    QTest::mouseDClick(editor, Qt::LeftButton);
}

// The case starts without "AutoSave" and turns it on, under either profile.
void YuKyuSetTest::openingFromTheMainWindowSavesTheMonthOnlyWithAutoSave() {
    m_env->StoreSettings([](Settings& settings) { settings.AutoSave = false; });
    auto main = m_env->MainWindow();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    const auto monthFile = MonthFilePath(m_env->folders.DataFolder(), 2004, 3, "");
    auto* vacationButton = main->findChild<QPushButton*>(u"VacationButton"_s);
    QVERIFY(vacationButton->isEnabled());
    QVERIFY(main->findChild<QAction*>(u"VacationItem"_s)->isEnabled());

    main->CurrentSession().sheet.days[3].memoColor = 0xFF;
    vacationButton->click();
    auto* leave = main->findChild<TYuuKyu*>();
    QVERIFY(leave == nullptr); // a window of its own, not a child
    QVERIFY(!main->isEnabled());
    QVERIFY(!std::filesystem::exists(monthFile));
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == u"TYuuKyu"_s)
            leave = qobject_cast<TYuuKyu*>(window);
    }
    QVERIFY(leave != nullptr && leave->isVisible());

    // Closing the main window first runs the leave window's close, whose Cancel keeps both open.
    main->CurrentSession().ledger.Row(1)[LedgerColumn::Date] = "2004/03/01";
    m_env->questions.answers = {Answer::Cancel};
    QVERIFY(!main->close());
    QVERIFY(leave->isVisible());

    m_env->questions.answers = {Answer::No};
    QVERIFY(leave->close());
    QVERIFY(main->isEnabled());

    main->CurrentSession().settings.AutoSave = true;
    vacationButton->click();
    QVERIFY(std::filesystem::exists(monthFile));
    QVERIFY(leave->isVisible());
    QVERIFY(leave->close());
}

void YuKyuSetTest::doubleClicksFillTodayAndCycleTheCategory() {
    OpenLeaveWindow();
    DoubleClick(1, 1);
    QCOMPARE(GridText(1, 1), u"2004/03/10"_s);
    QCOMPARE(GridText(1, 2), u"水"_s);
    QCOMPARE(Grid()->currentIndex().column(), 3);
    DoubleClick(1, 3);
    QCOMPARE(GridText(1, 3), u"有給"_s);
    QCOMPARE(GridText(1, 4), u" -1.0"_s);
    DoubleClick(1, 3);
    QCOMPARE(GridText(1, 3), u"午前"_s);
}

void YuKyuSetTest::deletionsStayInMemoryUntilTheCloseQuestion() {
    const std::string file = Utf8ToCp932("[System]\r\nKuriZan=10.0\r\nNowZan=0.0\r\n[VacationData]\r\n"
                                         "  1=2022/04/01,,増加,20.0,,,,\r\n"
                                         "  2=2024/03/28,,有給,-1.0,,,,\r\n"
                                         "  3=2024/04/02,,午前,-0.5,,,,\r\n");
    std::ofstream(m_env->folders.DataFolder() / "Vacation.dat", std::ios::binary) << file;
    OpenLeaveWindow();
    QCOMPARE(m_leave->findChild<QLineEdit*>(u"NowZanMemo"_s)->text(), u"28.5"_s);

    QTimer* byCount = test::HandleModals<TVacDel>(this, [](TVacDel& dialog) {
        dialog.findChild<QLineEdit*>(u"DelNoMemo"_s)->setText(u"1"_s);
        dialog.findChild<QPushButton*>(u"DelButton"_s)->click();
    });
    m_leave->findChild<QAction*>(u"DeleteNo"_s)->trigger();
    byCount->stop();
    QCOMPARE(m_leave->findChild<QLineEdit*>(u"KuriZanMemo"_s)->text(), u"30.0"_s);

    QTimer* byDate = test::HandleModals<TVacDel2>(this, [](TVacDel2& dialog) {
        // The date starts two years and one month back from March 2004.
        QCOMPARE(dialog.findChild<QDateEdit*>(u"DeleteTimePicker"_s)->date(), QDate(2002, 2, 28));
        dialog.findChild<QDateEdit*>(u"DeleteTimePicker"_s)->setDate(QDate(2024, 3, 31));
        dialog.findChild<QPushButton*>(u"DelButton"_s)->click();
    });
    m_leave->findChild<QAction*>(u"DeleteDate"_s)->trigger();
    byDate->stop();
    QCOMPARE(GridText(1, 1), u"2024/04/02"_s);
    QCOMPARE(m_leave->findChild<QLineEdit*>(u"NowZanMemo"_s)->text(), u"28.5"_s);
    QCOMPARE(ReadFile(LedgerFile()), file);

    // "AutoSave" saves without the question.
    m_env->questions.answers = {Answer::Yes};
    m_leave->findChild<QPushButton*>(u"CancelButton"_s)->click();
    QVERIFY(!m_leave->isVisible());
    QCOMPARE(m_env->questions.asked.size(), test::Expected(std::size_t{1}, std::size_t{0}));
    for (const test::ScriptedQuestions::Question& question : m_env->questions.asked)
        QCOMPARE(question.text, text::kSaveQuestion);
    QCOMPARE(ToQString(ReadFile(LedgerFile())), u"[System]\r\nKuriZan=29.0\r\nNowZan=28.5\r\n[VacationData]\r\n"
                                                u"1=2024/04/02,火,午前, -0.5, 28.5,,,\r\n"_s);
}

void YuKyuSetTest::csvExportWritesTheChosenFile() {
    std::ofstream(LedgerFile(), std::ios::binary) << Utf8ToCp932("[VacationData]\r\n1=2024/04/06,,有給,-1.0,,,,\r\n");
    OpenLeaveWindow();
    Grid()->model()->setData(Grid()->model()->index(0, 6), u"休み,\"私用\""_s);
    const QString chosen = QString::fromStdString((m_env->folders.DataFolder() / "out.csv").string());
    QString proposed;
    m_leave->SetCsvFileChooser([&](const QString&, const QString& name) {
        proposed = name;
        return chosen;
    });
    m_leave->findChild<QAction*>(u"OutFileItem"_s)->trigger();
    QCOMPARE(proposed, u"有給休暇.csv"_s);
    QCOMPARE(ReadFile(chosen.toStdString()), Utf8ToCp932("No,日付,曜日,区分,日数,残数,メモ\r\n"
                                                         "1,2024/4/6,土,有給,-1.0,-1.0,\"休み,\"\"私用\"\"\"\r\n"));
    QCOMPARE(ToQString(m_session->settings.SaveInitialDir),
             QString::fromStdString(m_env->folders.DataFolder().string()));
}

// Another program writes the ledger while the window holds an edited carry-over: saving asks, and Cancel
// keeps both.
void YuKyuSetTest::ledgerWrittenElsewhereIsAskedAboutBeforeSaving() {
    OpenLeaveWindow();
    Session other(m_env->store, m_env->folders, "");
    other.LoadUser("");
    other.ledger.SetCarryOverText("5.0");
    other.ledger.SaveLedger();
    const std::string written = ReadFile(LedgerFile());

    TypeCarryOver(*m_leave, u"7.0"_s);
    m_env->questions.answers = {Answer::Cancel};
    m_leave->findChild<QPushButton*>(u"SaveButton"_s)->click();
    QCOMPARE(m_env->questions.asked.size(), std::size_t{1});
    QCOMPARE(ToQString(m_env->questions.asked[0].text),
             QString::fromStdString(LedgerFile().string()) + u" は他で変更されています。上書きしますか？"_s);
    QCOMPARE(ReadFile(LedgerFile()), written);
    QCOMPARE(m_leave->findChild<QLineEdit*>(u"KuriZanMemo"_s)->text(), u"7.0"_s);
}

void YuKyuSetTest::pdfItemWritesTheLedgerWithTheCsvName() {
    std::ofstream(LedgerFile(), std::ios::binary) << Utf8ToCp932("[VacationData]\r\n1=2024/04/06,,有給,-1.0,,,,\r\n");
    OpenLeaveWindow();
    m_session->settings.SaveInitialDir = m_env->folders.DataFolder().string();
    QTimer* answer = test::HandleModals<QFileDialog>(
        m_leave.get(), [](QFileDialog& dialog) { static_cast<QDialog&>(dialog).accept(); });
    m_leave->findChild<QAction*>(u"PdfItem"_s)->trigger();
    answer->stop();
    const std::string bytes = ReadFile(m_env->folders.DataFolder() / std::filesystem::path(u8"有給休暇.pdf"));
    QVERIFY(bytes.starts_with("%PDF-"));
}

// Carry-over 10.0 and the entries +20, −1, −1, −1 as the window saved them.
void YuKyuSetTest::WriteFourEntries() const {
    std::ofstream(LedgerFile(), std::ios::binary) << Utf8ToCp932("[System]\r\nKuriZan=10.0\r\nNowZan=27.0\r\n"
                                                                 "[VacationData]\r\n"
                                                                 "1=2004/01/05,月,増加, 20.0, 30.0,,,\r\n"
                                                                 "2=2004/02/02,月,有給, -1.0, 29.0,,,\r\n"
                                                                 "3=2004/02/03,火,有給, -1.0, 28.0,,,\r\n"
                                                                 "4=2004/02/04,水,有給, -1.0, 27.0,,,\r\n");
}

void YuKyuSetTest::DeleteOldest(int count) {
    QTimer* byCount = test::HandleModals<TVacDel>(this, [count](TVacDel& dialog) {
        dialog.findChild<QLineEdit*>(u"DelNoMemo"_s)->setText(QString::number(count));
        dialog.findChild<QPushButton*>(u"DelButton"_s)->click();
    });
    m_leave->findChild<QPushButton*>(u"DelButton"_s)->click();
    delete byCount;
}

void YuKyuSetTest::TypeCarryOver(TYuuKyu& window, const QString& text) {
    auto* memo = window.findChild<QLineEdit*>(u"KuriZanMemo"_s);
    memo->selectAll();
    QTest::keyClicks(memo, text);
}

// With "AutoCalc" the grid's own cursor moves (the ledger's recalculation scrolls to the last entry) never
// recalculate again, and the carry-over stays as read, deleted into or typed.
void YuKyuSetTest::carryOverChangesOnlyWhenTyped() {
    WriteFourEntries();
    m_env->StoreSettings([](Settings& settings) { settings.AutoCalc = true; });
    OpenLeaveWindow();
    QCOMPARE(Balance(u"KuriZanMemo"_s), u"10.0"_s);
    QCOMPARE(Balance(u"NowZanMemo"_s), u"27.0"_s);
    m_leave->findChild<QPushButton*>(u"SaveButton"_s)->click();
    QVERIFY(ReadFile(LedgerFile()).starts_with("[System]\r\nKuriZan=10.0\r\nNowZan=27.0\r\n"));

    DeleteOldest(2);
    QCOMPARE(Balance(u"KuriZanMemo"_s), u"29.0"_s);
    QCOMPARE(Balance(u"NowZanMemo"_s), u"27.0"_s);
    m_leave->findChild<QPushButton*>(u"CalcButton"_s)->click();
    QCOMPARE(Balance(u"NowZanMemo"_s), u"27.0"_s);

    TypeCarryOver(*m_leave, u"5"_s);
    m_leave->findChild<QPushButton*>(u"CalcButton"_s)->click();
    QCOMPARE(Balance(u"KuriZanMemo"_s), u"5.0"_s);
    QCOMPARE(Balance(u"NowZanMemo"_s), u"3.0"_s);
}

// The leave window was shown and closed without saving a typed carry-over; a month save that books a paid-leave
// day then writes the file's carry-over, not the one the hidden window still shows.
void YuKyuSetTest::monthSaveWithTheWindowHiddenKeepsTheCarryOver() {
    WriteFourEntries();
    m_env->StoreSettings([](Settings& settings) { settings.AutoCalc = true; });
    auto main = m_env->MainWindow();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    main->findChild<QPushButton*>(u"VacationButton"_s)->click();
    TYuuKyu* leave = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == u"TYuuKyu"_s)
            leave = qobject_cast<TYuuKyu*>(window);
    }
    QVERIFY(leave != nullptr && leave->isVisible());
    TypeCarryOver(*leave, u"5"_s);
    m_env->questions.answers = {Answer::No};
    QTest::mouseClick(leave->findChild<QPushButton*>(u"CancelButton"_s), Qt::LeftButton, Qt::ShiftModifier);
    QVERIFY(!leave->isVisible());

    MonthSheet& sheet = main->CurrentSession().sheet;
    const auto slot =
        std::ranges::find_if(sheet.days, [](const DayRecord& day) { return day[DayColumn::Date] == " 3/15"; });
    QVERIFY(slot != sheet.days.end());
    (*slot)[DayColumn::Kubun] = Utf8ToCp932("有");
    main->findChild<QPushButton*>(u"SaveButton"_s)->click();
    const std::string written = ReadFile(LedgerFile());
    QVERIFY(written.starts_with("[System]\r\nKuriZan=10.0\r\nNowZan=26.0\r\n"));
    QVERIFY(written.find("2004/03/15") != std::string::npos);
}

// Deletions dropped at the close question (Shift held, so that "AutoSave" asks too) leave the cell editor on a row
// that then held nothing; showing the window again reads the file whole, and no old editor text reaches a row.
void YuKyuSetTest::reopeningAfterDroppedDeletionsShowsTheFileWhole() {
    WriteFourEntries();
    OpenLeaveWindow();
    DeleteOldest(2);
    QCOMPARE(GridText(3, 1), QString());
    m_env->questions.answers = {Answer::No};
    QTest::mouseClick(m_leave->findChild<QPushButton*>(u"CancelButton"_s), Qt::LeftButton, Qt::ShiftModifier);
    QVERIFY(!m_leave->isVisible());

    m_leave->show();
    for (const auto& [row, date] :
         {std::pair{1, u"2004/01/05"_s}, {2, u"2004/02/02"_s}, {3, u"2004/02/03"_s}, {4, u"2004/02/04"_s}})
        QCOMPARE(GridText(row, 1), date);
    m_leave->findChild<QPushButton*>(u"CalcButton"_s)->click();
    QCOMPARE(GridText(3, 1), u"2004/02/03"_s);
    QCOMPARE(Balance(u"NowZanMemo"_s), u"27.0"_s);
    m_leave->findChild<QPushButton*>(u"SaveButton"_s)->click();
    Ledger written;
    written.SetLocation(m_env->folders.DataFolder(), "");
    written.LoadLedger();
    QCOMPARE(written.EntryCount(), 4);
    QCOMPARE(ToQString(written.CurrentBalanceText()), u"27.0"_s);
}

} // namespace mitoran

QTEST_MAIN(mitoran::YuKyuSetTest)
#include "YuKyuSetTest.moc"
