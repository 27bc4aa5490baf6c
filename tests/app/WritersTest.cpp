// SPDX-License-Identifier: GPL-3.0-or-later
// Writers at the same moment, as users run the programs: several command lines on one month, command lines
// handed to a running window, and an account of someone else's squatting the channel's name.
#include "engine/month/MonthFile.h"
#include "engine/text/ProfileFile.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

// A stamp a writer makes, and what its cell then holds.
struct Stamp {
    QStringList arguments;
    int day = 0;
    DayColumn column = DayColumn::Arrival;
    QString text;
};

Stamp StampOf(const QString& date, bool in, const QString& time) {
    const QString hour = time.startsWith(u'0') ? u' ' + time.mid(1) : time;
    return {{u"stamp"_s, in ? u"in"_s : u"out"_s, u"--at"_s, date + u' ' + time},
            QDate::fromString(date, Qt::ISODate).day(),
            in ? DayColumn::Arrival : DayColumn::Leaving,
            hour};
}

// The field of a day's record in the month file: its arrival or leaving time.
QString StoredCell(const std::filesystem::path& file, int day, DayColumn column) {
    const QStringList fields =
        QString::fromLatin1(ProfileFile(file).ReadString("DayData", DayDataKey(day), "")).split(u',');
    const qsizetype field = column == DayColumn::Arrival ? 3 : 4;
    return fields.size() > field ? fields[field] : QString();
}

// The squatter: as another account, it makes the user's channel folder in the temporary folder its own, open to
// all, and listens there under the program's name; also under the name in the abstract namespace, with a backlog
// it keeps full, where that name is free (the machine's other programs may hold it). It prints a line for each
// connection it gets.
int Squat(const QByteArray& temporary, const QByteArray& victim) {
    const QByteArray folder = temporary + "/mitoran-" + victim;
    ::mkdir(folder.constData(), 0777);
    ::chmod(folder.constData(), 0777);
    const QByteArray name = "TZangyoMain-" + victim;
    const auto listenAt = [](const QByteArray& path, bool abstract) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + (abstract ? 1 : 0), path.constData(), static_cast<std::size_t>(path.size()));
        const socklen_t length =
            static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + (abstract ? 1 : 0) + path.size());
        ::unlink(path.constData());
        return ::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 && ::listen(fd, 0) == 0 ? fd : -1;
    };
    const int own = listenAt(folder + '/' + name, false);
    const int abstract = listenAt(name, true);
    ::chmod((folder + '/' + name).constData(), 0777);
    for (int i = 0; i < 8; ++i) {
        const int filler = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + 1, name.constData(), static_cast<std::size_t>(name.size()));
        ::connect(filler, reinterpret_cast<const sockaddr*>(&address),
                  static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size()));
    }
    std::printf(own >= 0 ? "ready%s\n" : "failed%s\n", abstract >= 0 ? "" : " (abstract name taken)");
    std::fflush(stdout);
    for (;;) {
        const int client = ::accept(own, nullptr, nullptr);
        if (client >= 0) {
            std::printf("connection\n");
            std::fflush(stdout);
            ::close(client);
        }
    }
}

// The window program, ended when the test lets go of it.
struct EndWindow {
    void operator()(QProcess* window) const {
        window->terminate();
        window->waitForFinished(10000);
        delete window;
    }
};
using WindowProcess = std::unique_ptr<QProcess, EndWindow>;

} // namespace

class WritersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void commandLinesAtOnceLoseNothing_data();
    void commandLinesAtOnceLoseNothing();
    void stampsHandedToARunningWindowAllReachTheFile();
    void aSquatterOfAnotherAccountCannotStopTheProgram();

private:
    QProcessEnvironment Environment() const;
    std::unique_ptr<QProcess> StartCli(const QStringList& arguments, const QString& dataFolder);
    WindowProcess StartWindow(const QProcessEnvironment& environment);
    void WriteCliSettings(const QString& text);

    QTemporaryDir m_home;
    QString m_runtime;
    QString m_template; // a data folder holding March 2024 as the command line writes it
};

void WritersTest::initTestCase() {
    QVERIFY(m_home.isValid());
    m_runtime = m_home.filePath(u"runtime"_s);
    QVERIFY(QDir().mkpath(m_runtime));
    ::chmod(QFile::encodeName(m_runtime).constData(), 0700);
    // This test's channels are its own: programs of other tests may be running.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime));
    m_template = m_home.filePath(u"template"_s);
    WriteCliSettings(u"[System]\nSimeDay=31\n"_s);
    const std::unique_ptr<QProcess> recalc = StartCli({u"recalc"_s, u"2024"_s, u"3"_s}, m_template);
    QVERIFY(recalc->waitForFinished(60000));
    QCOMPARE(recalc->exitCode(), 0);
}

void WritersTest::init() {
    WriteCliSettings(u"[System]\nSimeDay=31\n"_s);
}

QProcessEnvironment WritersTest::Environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, m_home.path());
    environment.insert(u"XDG_CONFIG_HOME"_s, m_home.filePath(u"cli"_s));
    environment.insert(u"XDG_RUNTIME_DIR"_s, m_runtime);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    return environment;
}

std::unique_ptr<QProcess> WritersTest::StartCli(const QStringList& arguments, const QString& dataFolder) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(Environment());
    process->start(QStringLiteral(MITORAN_CLI), QStringList{u"--data-dir"_s, dataFolder} + arguments);
    return process;
}

WindowProcess WritersTest::StartWindow(const QProcessEnvironment& environment) {
    WindowProcess window(new QProcess);
    window->setProcessEnvironment(environment);
    window->start(QStringLiteral(MITORAN_PROGRAM), {});
    return window;
}

void WritersTest::WriteCliSettings(const QString& text) {
    QVERIFY(QDir().mkpath(m_home.filePath(u"cli/Quorvan"_s)));
    QFile settings(m_home.filePath(u"cli/Quorvan/Vuvedez.ini"_s));
    QVERIFY(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
    settings.write(text.toUtf8());
    settings.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

void WritersTest::commandLinesAtOnceLoseNothing_data() {
    QTest::addColumn<int>("writers");
    QTest::newRow("two") << 2;
    QTest::newRow("eight") << 8;
}

// Each round starts the writers at once on March 2024, with its file there or not yet made, and finds every
// stamp in the file afterwards. The two writers take turns at the cases where one was lost most often: stamps
// of two days, both stamps of one day, a recalculation beside a stamp, and a month not written yet.
void WritersTest::commandLinesAtOnceLoseNothing() {
    QFETCH(int, writers);
    const int rounds = qEnvironmentVariableIntValue("MITORAN_WRITER_ROUNDS") > 0
                           ? qEnvironmentVariableIntValue("MITORAN_WRITER_ROUNDS")
                           : 100;
    for (int round = 0; round < rounds; ++round) {
        std::vector<Stamp> stamps;
        bool recalc = false;
        bool fileThere = round % 2 == 0;
        if (writers == 2) {
            const int kind = round % 4;
            fileThere = kind != 3;
            recalc = kind == 2;
            stamps.push_back(StampOf(u"2024-03-02"_s, true, u"08:07"_s));
            if (!recalc)
                stamps.push_back(StampOf(kind == 1 ? u"2024-03-02"_s : u"2024-03-09"_s, false, u"19:07"_s));
        } else {
            for (int writer = 0; writer < writers; ++writer)
                stamps.push_back(StampOf(u"2024-03-%1"_s.arg(2 + writer / 2, 2, 10, QChar(u'0')), writer % 2 == 0,
                                         writer % 2 == 0 ? u"08:07"_s : u"19:07"_s));
        }
        const QString data = m_home.filePath(u"round"_s);
        QDir(data).removeRecursively();
        QVERIFY(QDir().mkpath(data));
        if (fileThere)
            QVERIFY(QFile::copy(m_template + u"/202403.dat"_s, data + u"/202403.dat"_s));

        std::vector<std::unique_ptr<QProcess>> running;
        for (const Stamp& stamp : stamps)
            running.push_back(StartCli(stamp.arguments, data));
        if (recalc)
            running.push_back(StartCli({u"recalc"_s, u"2024"_s, u"3"_s}, data));
        for (const auto& process : running) {
            QVERIFY(process->waitForFinished(60000));
            QVERIFY2(process->exitCode() == 0, process->readAllStandardError().constData());
        }
        const std::filesystem::path month = (data + u"/202403.dat"_s).toStdU16String();
        for (const Stamp& stamp : stamps)
            QVERIFY2(StoredCell(month, stamp.day, stamp.column) == stamp.text,
                     qPrintable(u"round %1: %2 lost"_s.arg(round).arg(stamp.arguments.join(u' '))));
    }
}

// The window shows this month; its settings keep arrivals as stamped, the command lines' round them up to the
// quarter hour, so the file tells who wrote each stamp. Every stamp, however many at once, is the window's.
void WritersTest::stampsHandedToARunningWindowAllReachTheFile() {
    WriteCliSettings(u"[System]\nSimeDay=31\nStartAdjustSelect=3\nStartTime2=3\n"_s);
    const QString data = m_home.filePath(u"window-data"_s);
    QProcessEnvironment environment = Environment();
    environment.insert(u"XDG_CONFIG_HOME"_s, m_home.filePath(u"window"_s));
    environment.insert(u"MITORAN_DATA_DIR"_s, data);
    const WindowProcess window = StartWindow(environment);
    QVERIFY(window->waitForStarted());
    const QString socket = m_runtime + u"/mitoran/TZangyoMain-%1"_s.arg(::getuid());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 30000);

    const QDate today = QDate::currentDate();
    const int days = std::min(30, today.daysInMonth());
    std::vector<Stamp> stamps;
    for (int day = 1; day <= days; ++day) {
        const QString date = QDate(today.year(), today.month(), day).toString(Qt::ISODate);
        stamps.push_back(StampOf(date, true, u"08:07"_s));
        stamps.push_back(StampOf(date, false, u"19:07"_s));
    }
    std::vector<std::unique_ptr<QProcess>> running;
    for (const Stamp& stamp : stamps)
        running.push_back(StartCli(stamp.arguments, data));
    for (const auto& process : running) {
        QVERIFY(process->waitForFinished(120000));
        QVERIFY2(process->exitCode() == 0, process->readAllStandardError().constData());
    }
    const std::filesystem::path month = MonthFilePath(data.toStdU16String(), today.year(), today.month(), "");
    for (const Stamp& stamp : stamps)
        QVERIFY2(StoredCell(month, stamp.day, stamp.column) == stamp.text,
                 qPrintable(stamp.arguments.join(u' ') + u" gave "_s + StoredCell(month, stamp.day, stamp.column)));
    QCOMPARE(window->state(), QProcess::Running);
}

// Another account takes the user's channel folder in the temporary folder and listens there, and in the abstract
// namespace, under the program's name. The program starts all the same, with its channel in a folder of the
// user's, and a command line reaches it; the squatter gets no connection.
void WritersTest::aSquatterOfAnotherAccountCannotStopTheProgram() {
    const QString setpriv = QStandardPaths::findExecutable(u"setpriv"_s);
    if (::getuid() != 0 || setpriv.isEmpty())
        QSKIP("needs root and setpriv, to run the squatter as another account");
    QTemporaryDir temporary;
    ::chmod(QFile::encodeName(temporary.path()).constData(), 01777);
    QProcess squatter;
    squatter.start(setpriv, {u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s,
                             QCoreApplication::applicationFilePath(), u"--squat"_s, temporary.path(),
                             QString::number(::getuid())});
    const auto endSquatter = qScopeGuard([&squatter] {
        squatter.kill();
        squatter.waitForFinished(5000);
    });
    QVERIFY(squatter.waitForReadyRead(10000));
    QVERIFY(squatter.readLine().startsWith("ready"));
    QCOMPARE(QFileInfo(temporary.filePath(u"mitoran-%1"_s.arg(::getuid()))).ownerId(), 65534U);

    WriteCliSettings(u"[System]\nSimeDay=31\nStartAdjustSelect=3\nStartTime2=3\n"_s);
    const QString data = m_home.filePath(u"squatted-data"_s);
    QProcessEnvironment environment = Environment();
    environment.remove(u"XDG_RUNTIME_DIR"_s);
    environment.insert(u"TMPDIR"_s, temporary.path());
    environment.insert(u"XDG_CONFIG_HOME"_s, m_home.filePath(u"squatted"_s));
    environment.insert(u"MITORAN_DATA_DIR"_s, data);
    const WindowProcess window = StartWindow(environment);
    QVERIFY(window->waitForStarted());
    const QDir cache(m_home.filePath(u".cache"_s));
    QTRY_VERIFY_WITH_TIMEOUT(!cache.entryList({u"mitoran-*"_s}, QDir::Dirs).isEmpty() &&
                                 QFile::exists(cache.filePath(cache.entryList({u"mitoran-*"_s}, QDir::Dirs)[0] +
                                                              u"/TZangyoMain-%1"_s.arg(::getuid()))),
                             30000);

    const Stamp stamp = StampOf(QDate::currentDate().toString(Qt::ISODate), true, u"08:07"_s);
    QProcess cli;
    QProcessEnvironment cliEnvironment = environment;
    cliEnvironment.insert(u"XDG_CONFIG_HOME"_s, m_home.filePath(u"cli"_s));
    cli.setProcessEnvironment(cliEnvironment);
    cli.start(QStringLiteral(MITORAN_CLI), stamp.arguments);
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    const QDate today = QDate::currentDate();
    QCOMPARE(StoredCell(MonthFilePath(data.toStdU16String(), today.year(), today.month(), ""), stamp.day,
                        DayColumn::Arrival),
             stamp.text);
    QCOMPARE(window->state(), QProcess::Running);
    QTest::qWait(200);
    QCOMPARE(squatter.readAll(), QByteArray());
}

} // namespace mitoran

int main(int argc, char* argv[]) {
    if (argc == 4 && std::strcmp(argv[1], "--squat") == 0)
        return mitoran::Squat(argv[2], argv[3]);
    QCoreApplication application(argc, argv);
    mitoran::WritersTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WritersTest.moc"
