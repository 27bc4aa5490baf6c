// SPDX-License-Identifier: GPL-3.0-or-later
// The programs themselves: while kestrow runs, a new start of mitoran ends at once, as does a second kestrow.
#include "platform/SingleHalt.h"
#include "support/EndProgram.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

class KestrowTest : public QObject {
    Q_OBJECT

private slots:
    void mitoranEndsAtOnceWhileKestrowRuns();
};

void KestrowTest::mitoranEndsAtOnceWhileKestrowRuns() {
    const QString watcherName = InstanceName(u"TKestrowForm"_s);
    const QString programName = InstanceName(u"TZangyoMain"_s);
    if (IsInstanceRunning(watcherName) || IsInstanceRunning(programName))
        QSKIP("a desktop program or idle watcher of this user is already running");
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"MITORAN_DATA_DIR"_s, home.filePath(u"data"_s));
    environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);

    QProcess watcher;
    watcher.setProcessEnvironment(environment);
    watcher.start(QStringLiteral(KESTROW_PROGRAM), {u"/Idle"_s, u"0"_s, u"/U:abc"_s});
    QVERIFY(watcher.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(IsInstanceRunning(watcherName), 20000);

    for (const QString& program : {QStringLiteral(MITORAN_PROGRAM), QStringLiteral(KESTROW_PROGRAM)}) {
        QProcess second;
        second.setProcessEnvironment(environment);
        second.start(program, {u"/U:abc"_s});
        QVERIFY2(second.waitForFinished(20000), qPrintable(program));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(!IsInstanceRunning(programName));
    }
    QCOMPARE(watcher.state(), QProcess::Running);
    // mitoran wrote nothing: it ended before it loaded anything.
    QVERIFY(!QFileInfo::exists(home.filePath(u"data"_s)));

    QVERIFY(test::EndProgram(watcher));
    QTRY_VERIFY(!IsInstanceRunning(watcherName));
}

} // namespace mitoran

QTEST_MAIN(mitoran::KestrowTest)
#include "KestrowTest.moc"
