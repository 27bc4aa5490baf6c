// SPDX-License-Identifier: GPL-3.0-or-later
// Two writers of one month: the command line and the desktop program's window.
#include "app/HandedCommands.h"

#include "engine/month/MonthFile.h"
#include "engine/session/HandedCommand.h"
#include "engine/text/ProfileFile.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"
#include "gui/WindowTestSupport.h"
#include "gui/main/DayGridView.h"
#include "platform/Cp932Qt.h"
#include "platform/FileWriterLock.h"
#include "platform/SingleHalt.h"
#include "support/EndProgram.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <memory>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

class HandOverTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void monthWrittenElsewhereIsReloadedOrAskedAboutBeforeSaving();
    void aSaveWhileAnotherProgramWritesSaysWhoAndKeepsTheEdits();
    void handedStampShowsInTheGridBesideTheEdits();
    void commandLineStampWhileTheProgramRunsReachesItsWindow();

private:
    void StartWindow();
    QString Cell(int day, DayColumn column) const;
    QString StoredDay(int day) const;
    void WriteElsewhere(int day, const std::string& arrival);
    void TypeArrival(int day, const QString& text);
    DayGridView* Grid() const { return m_window->findChild<DayGridView*>(u"DayStringGrid"_s); }
    std::filesystem::path MonthFile() const { return MonthFilePath(m_env->folders.DataFolder(), 2004, 3, ""); }

    std::unique_ptr<test::WindowEnvironment> m_env;
    std::unique_ptr<TZangyoMain> m_window;
};

void HandOverTest::init() {
    m_env = std::make_unique<test::WindowEnvironment>();
}

void HandOverTest::cleanup() {
    m_window.reset();
}

void HandOverTest::StartWindow() {
    m_window = m_env->MainWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

QString HandOverTest::Cell(int day, DayColumn column) const {
    const QAbstractItemModel* model = Grid()->model();
    return model->data(model->index(day - 1, static_cast<int>(column))).toString();
}

QString HandOverTest::StoredDay(int day) const {
    return ToQString(ProfileFile(MonthFile()).ReadString("DayData", DayDataKey(day), ""));
}

// The command line, or any other program, saves an arrival of March 2004 under the window.
void HandOverTest::WriteElsewhere(int day, const std::string& arrival) {
    Session other(m_env->store, m_env->folders, "");
    other.LoadUser("");
    other.ShowMonth(2004, 3, true);
    other.sheet.days[static_cast<std::size_t>(day)][DayColumn::Arrival] = arrival;
    other.SaveShownMonth();
}

void HandOverTest::TypeArrival(int day, const QString& text) {
    Grid()->setFocus();
    Grid()->SelectCell(day, DayGridView::kArrivalColumn);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor != nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
}

void HandOverTest::monthWrittenElsewhereIsReloadedOrAskedAboutBeforeSaving() {
    StartWindow();
    WriteElsewhere(8, " 8:07");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(Cell(8, DayColumn::Arrival), u" 8:07"_s); // no edits: reloaded, nothing asked
    QVERIFY(m_env->questions.asked.empty());

    WriteElsewhere(9, " 9:01");
    TypeArrival(5, u"830"_s);
    m_env->questions.answers = {Answer::Cancel};
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_env->questions.asked.size(), 1U);
    QCOMPARE(ToQString(m_env->questions.asked[0].text),
             QString::fromStdString(MonthFile().string()) + u" は他で変更されています。上書きしますか？"_s);
    QCOMPARE(m_env->questions.asked[0].buttons, Buttons::YesNoCancel);
    // Cancel keeps both: the other program's file and the window's edit.
    QVERIFY(StoredDay(9).contains(u" 9:01"_s));
    QVERIFY(!StoredDay(5).contains(u"8:30"_s));
    QVERIFY(m_window->CurrentSession().sheet.IsChanged());
}

// Another program keeps the writers' lock longer than the window waits: the save writes nothing, says who holds the
// lock, and the edit stays in the window. Once the lock is free the same save goes through.
void HandOverTest::aSaveWhileAnotherProgramWritesSaysWhoAndKeepsTheEdits() {
    FileWriterLock other("mitoran-cli", 0);
    FileWriterLock windowLock("mitoran", 100);
    m_env->writerLock = &windowLock;
    StartWindow();
    TypeArrival(5, u"830"_s);
    other.Acquire(m_env->folders.DataFolder());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_env->questions.asked.size(), 1U);
    QCOMPARE(ToQString(m_env->questions.asked[0].text),
             u"mitoran-cli (プロセス %1) が書き込み中です。何も書き込んでいません"_s.arg(
                 QCoreApplication::applicationPid()));
    QVERIFY(!StoredDay(5).contains(u"8:30"_s));
    QVERIFY(m_window->CurrentSession().sheet.IsChanged());

    other.Release(m_env->folders.DataFolder());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QTRY_VERIFY(StoredDay(5).contains(u" 8:30"_s));
    QCOMPARE(m_env->questions.asked.size(), 1U);
}

void HandOverTest::handedStampShowsInTheGridBesideTheEdits() {
    StartWindow();
    TypeArrival(4, u"900"_s);
    // The cell cursor, and its editor, stand on the cell the stamp fills.
    Grid()->SelectCell(10, DayGridView::kArrivalColumn);
    const HandedCommand stamp{m_env->folders.DataFolder().string(), "", {"stamp", "in", "--at", "2004-03-10 08:07"}};
    const QByteArray answer = AnswerHandedCommand(QByteArray::fromStdString(HandedCommandLine(stamp)), *m_window);
    const auto reply = ParseHandedReplyLine(answer.toStdString());
    QVERIFY(reply && *reply);
    QCOMPARE((*reply)->status, 0);
    QVERIFY(QString::fromStdString((*reply)->out).contains(u"保存しました"_s));
    QCOMPARE(Cell(10, DayColumn::Arrival), u" 8:07"_s);
    QCOMPARE(Cell(4, DayColumn::Arrival), u" 9:00"_s);
    QVERIFY(StoredDay(10).contains(u" 8:07"_s));
    QVERIFY(StoredDay(4).contains(u" 9:00"_s));
}

// The real programs: the window shows today's month; the command line's stamps reach it and its saves keep
// both. The command line's settings round an arrival up to the quarter hour, the window's do not: the time
// stored tells who performed the stamp.
void HandOverTest::commandLineStampWhileTheProgramRunsReachesItsWindow() {
    const QString name = InstanceName(u"TZangyoMain"_s);
    if (IsInstanceRunning(name))
        QSKIP("a desktop program of this user is already running");
    QTemporaryDir home;
    const QString data = home.filePath(u"data"_s);
    QDir().mkpath(home.filePath(u"cli/Quorvan"_s));
    QFile cliSettings(home.filePath(u"cli/Quorvan/Vuvedez.ini"_s));
    QVERIFY(cliSettings.open(QIODevice::WriteOnly));
    cliSettings.write("[System]\nSimeDay=31\nStartAdjustSelect=3\nStartTime2=3\n"); // arrivals rounded up to 15 min
    cliSettings.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"MITORAN_DATA_DIR"_s, data);
    environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"window"_s));
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    QProcess window;
    window.setProcessEnvironment(environment);
    window.start(QStringLiteral(MITORAN_PROGRAM), {});
    QVERIFY(window.waitForStarted());
    const auto endWindow = qScopeGuard([&window] { test::EndProgram(window); });
    QTRY_VERIFY_WITH_TIMEOUT(IsInstanceRunning(name), 20000);

    const QString today = QDate::currentDate().toString(u"yyyy-MM-dd"_s);
    const auto cli = [&](const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment cliEnvironment = environment;
        cliEnvironment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"cli"_s));
        process.setProcessEnvironment(cliEnvironment);
        process.start(QStringLiteral(MITORAN_CLI), arguments);
        process.waitForFinished(60000);
        return std::pair{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
    };
    const auto [inStatus, inOut] = cli({u"stamp"_s, u"in"_s, u"--at"_s, today + u" 08:07"_s});
    QCOMPARE(inStatus, 0);
    QVERIFY2(inOut.contains(u" 8:07 を入力しました"_s), qPrintable(inOut));
    const auto [outStatus, outOut] = cli({u"stamp"_s, u"out"_s, u"--at"_s, today + u" 19:00"_s});
    QCOMPARE(outStatus, 0);
    QVERIFY2(outOut.contains(u"保存しました"_s), qPrintable(outOut));

    QDir folder(data);
    const QStringList months = folder.entryList({u"*.dat"_s}, QDir::Files);
    QVERIFY(!months.isEmpty());
    QFile month(folder.filePath(QDate::currentDate().toString(u"yyyyMM"_s) + u".dat"_s));
    QVERIFY(month.open(QIODevice::ReadOnly));
    const QByteArray stored = month.readAll();
    QVERIFY2(stored.contains(" 8:07,19:00,"), stored.constData());
}

} // namespace mitoran

QTEST_MAIN(mitoran::HandOverTest)
#include "HandOverTest.moc"
