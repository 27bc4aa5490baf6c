// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramFrame.h"

#include "engine/calendar/Clock.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/Settings.h"
#include "engine/text/Texts.h"
#include "gui/WindowTestSupport.h"
#include "gui/common/PassForm.h"
#include "gui/common/ProgramFont.h"
#include "gui/main/MainForm.h"
#include "platform/InstanceChannel.h"
#include "platform/SingleHalt.h"
#include "support/EndProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <cstddef>
#include <cstring>
#include <future>
#include <memory>
#include <optional>
#include <utility>

#ifdef Q_OS_LINUX
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace mitoran {

using namespace Qt::Literals::StringLiterals;
using test::ScriptedQuestions;
using test::TestFolders;

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void threeWrongPasswordsEndWithoutTheWindow();
    void passwordIsAcceptedInEitherCase();
    void minimisedStartsSkipThePrompt();
    void userNameLeavingTheDataFolderIsRefused();
    void windowIsMadeInTheProgramFontAndQtSpeaksJapanese();
    void secondClaimAsksTheFirstToComeToTheFront();
    void listenerSurvivesOtherSenders();
    void otherUsersNeitherHoldNorRaise();
    void secondStartEndsAndRaisesTheFirst();
    void secondProgramEndsWhileTheFirstRuns();

private:
    ProgramServices Services(const QString& instance);
    void StorePassword(const std::string& password);
    int AnswerPrompts(const QStringList& entries);
    static bool MainWindowVisible();
    static std::unique_ptr<QProcess> StartedProgram(const QTemporaryDir& home, const QStringList& arguments);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<MemorySettingsStore> m_store;
    std::unique_ptr<FixedClock> m_clock;
    std::unique_ptr<ScriptedQuestions> m_questions;
    int m_prompts = 0;
};

void StartupTest::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    m_folders = std::make_unique<TestFolders>(m_folder->path().toStdString());
    m_store = std::make_unique<MemorySettingsStore>();
    m_clock = std::make_unique<FixedClock>(LocalDateTime{2004, 3, 10, 9, 0, 0});
    m_questions = std::make_unique<ScriptedQuestions>();
    m_prompts = 0;
}

ProgramServices StartupTest::Services(const QString& instance) {
    return {{*m_store, *m_folders, *m_clock, *m_questions}, instance, u"StartupTestWatcher-"_s + instance};
}

// A password exists only in settings that were saved before, so this is not a first run.
void StartupTest::StorePassword(const std::string& password) {
    Settings settings;
    LoadSettings(settings, {*m_store, *m_folders, "", ""});
    m_store->WriteValue(UserKeyPath(""), "System", "Pass", ReverseText(password));
}

bool StartupTest::MainWindowVisible() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::ranges::any_of(windows, [](QWidget* w) { return qobject_cast<TZangyoMain*>(w) && w->isVisible(); });
}

void StartupTest::threeWrongPasswordsEndWithoutTheWindow() {
    StorePassword("secret");
    bool windowSeen = false;
    QTimer* handler = test::HandleModals<TPass>(this, [&](TPass& pass) {
        ++m_prompts;
        windowSeen = windowSeen || MainWindowVisible();
        QCOMPARE(pass.windowTitle(), u"ﾊﾟｽﾜｰﾄﾞ入力"_s);
        auto* edit = pass.findChild<QLineEdit*>(u"PassEdit"_s);
        QCOMPARE(edit->text(), QString()); // cleared before each attempt
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
        edit->setText(u"wrong"_s);
        QTest::mouseClick(pass.findChild<QPushButton*>(u"OkButton"_s), Qt::LeftButton);
    });
    const auto program = StartProgram({}, Services(QUuid::createUuid().toString()));
    handler->stop();
    QVERIFY(program == nullptr);
    QCOMPARE(m_prompts, 3);
    QCOMPARE(m_questions->asked.size(), 3u); // the third wrong entry is still reported
    QCOMPARE(m_questions->asked[2].caption, text::kPasswordErrorCaption);
    QCOMPARE(m_questions->asked[2].text, text::kPasswordWrong);
    QVERIFY(!windowSeen);
    QVERIFY(!MainWindowVisible());
    // Refused access writes no placement.
    QVERIFY(m_store->Values(UserKeyPath(""), "Position").empty());
}

void StartupTest::passwordIsAcceptedInEitherCase() {
    StorePassword("secret");
    QTimer* handler = test::HandleModals<TPass>(this, [&](TPass& pass) {
        ++m_prompts;
        pass.findChild<QLineEdit*>(u"PassEdit"_s)->setText(m_prompts == 1 ? u"nope"_s : u"SeCReT"_s);
        QTest::mouseClick(pass.findChild<QPushButton*>(u"OkButton"_s), Qt::LeftButton);
    });
    const auto program = StartProgram({}, Services(QUuid::createUuid().toString()));
    handler->stop();
    QVERIFY(program != nullptr);
    QCOMPARE(m_prompts, 2);
    QCOMPARE(m_questions->asked.size(), 1u);

    // Cancel on the prompt ends at once.
    m_prompts = 0;
    QTimer* canceller = test::HandleModals<TPass>(this, [&](TPass& pass) {
        ++m_prompts;
        QTest::mouseClick(pass.findChild<QPushButton*>(u"CancelButton"_s), Qt::LeftButton);
    });
    QVERIFY(StartProgram({}, Services(QUuid::createUuid().toString())) == nullptr);
    canceller->stop();
    QCOMPARE(m_prompts, 1);
}

void StartupTest::minimisedStartsSkipThePrompt() {
    StorePassword("secret");
    QTimer* handler = test::HandleModals<TPass>(this, [&](TPass& pass) {
        ++m_prompts;
        pass.reject();
    });
    QVERIFY(StartProgram({"/Disp"}, Services(QUuid::createUuid().toString())) != nullptr);
    QVERIFY(StartProgram({"/disp"}, Services(QUuid::createUuid().toString())) == nullptr);
    handler->stop();
    QCOMPARE(m_prompts, 1);
}

void StartupTest::userNameLeavingTheDataFolderIsRefused() {
    QVERIFY(StartProgram({"/U:../other"}, Services(QUuid::createUuid().toString())) == nullptr);
    QCOMPARE(m_questions->asked.size(), 1u);
    QCOMPARE(m_questions->asked[0].caption, text::kStartErrorCaption);
    QVERIFY(m_questions->asked[0].text.find("../other") != std::string::npos);
    QVERIFY(!QFileInfo::exists(m_folder->filePath(u"../other"_s)));
}

// The frame sets the program's font before the main window is made, so the window is measured in it from the
// start (its size limits are computed then), not only once a font change arrives. Qt's own texts, as on the
// buttons of the save question, are Japanese.
void StartupTest::windowIsMadeInTheProgramFontAndQtSpeaksJapanese() {
    QApplication::setFont(QFont(u"Serif"_s, 20));
    const auto program = StartProgram({}, Services(QUuid::createUuid().toString()));
    QVERIFY(program != nullptr);
    TZangyoMain* window = program->window.get();
    const QFont programFont = ProgramFont();
    for (const QWidget* part : {static_cast<QWidget*>(window), static_cast<QWidget*>(window->menuBar()),
                                static_cast<QWidget*>(window->findChild<QLineEdit*>(u"YearMemo"_s))}) {
        QCOMPARE(part->font().family(), programFont.family());
        QCOMPARE(part->font().pixelSize(), 12);
    }

    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_ja.qm"_s) &&
        !QFile::exists(u":/translations/qtbase_ja.qm"_s))
        QSKIP("Qt's Japanese translations (Debian qt6-translations-l10n) are not installed");
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QVERIFY2(box.button(QMessageBox::Yes)->text().startsWith(u"はい"_s),
             qPrintable(box.button(QMessageBox::Yes)->text()));
    QVERIFY(box.button(QMessageBox::No)->text().startsWith(u"いいえ"_s));
}

namespace {

// Runs `send` on a thread of its own, as another process would, while this one goes on handling events: a
// sender on the listener's own thread would wait for an answer that cannot come.
template <typename Send>
auto FromAnotherThread(Send send) {
    auto result = std::async(std::launch::async, std::move(send));
    while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QTest::qWait(5);
    return result.get();
}

} // namespace

void StartupTest::secondClaimAsksTheFirstToComeToTheFront() {
    const QString name = QUuid::createUuid().toString();
    auto first = std::make_unique<TSingleHalt>(name);
    QSignalSpy raised(first.get(), &TSingleHalt::RaiseRequested);
    QVERIFY(first->Claim());
    QVERIFY(IsInstanceRunning(name));
    QVERIFY(!FromAnotherThread([name] { return TSingleHalt(name).Claim(); }));
    QCOMPARE(raised.count(), 1);

    // Once the first is gone (as after a crash), the name is free again.
    first.reset();
    QVERIFY(!IsInstanceRunning(name));
    TSingleHalt third(name);
    QVERIFY(third.Claim());
}

void StartupTest::listenerSurvivesOtherSenders() {
    const QString name = QUuid::createUuid().toString();
    TSingleHalt first(name);
    QSignalSpy raised(&first, &TSingleHalt::RaiseRequested);
    QVERIFY(first.Claim());
    InstanceListener rival;
    QVERIFY(!rival.Listen(name));

    // A stranger's endless line and other requests are dropped; raise requests still arrive, each once, and
    // each is answered.
    const auto answers = FromAnotherThread([name] {
        SendToInstance(name, QByteArray(10000, 'x'));
        return std::pair{AskInstance(name, "other\nraise"_ba, 2000), AskInstance(name, "raise"_ba, 2000)};
    });
    QCOMPARE(answers.first, std::optional{"raise"_ba});
    QCOMPARE(answers.second, std::optional{"raise"_ba});
    QTest::qWait(50);
    QCOMPARE(raised.count(), 2);
}

#ifdef Q_OS_LINUX
namespace {

// A socket of another user (nobody) bound at the path, which the child process holds until the returned pipe
// closes, or, when `message` is given, connected to the path to send it instead. `done` tells whether it could.
pid_t StrangerProcess(const QString& path, const QByteArray& message, int& release, bool& done) {
    int ready[2];
    int hold[2];
    if (::pipe(ready) != 0 || ::pipe(hold) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        ::close(hold[1]);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray bytes = QFile::encodeName(path);
        std::memcpy(address.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        bool could = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        if (message.isEmpty())
            could = could && ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                    ::listen(socket, 4) == 0;
        else
            could = could && ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                    ::write(socket, message.constData(), static_cast<std::size_t>(message.size())) == message.size();
        const char status = could ? 'y' : 'n';
        [[maybe_unused]] const auto written = ::write(ready[1], &status, 1);
        char end = 0;
        [[maybe_unused]] const auto read = ::read(hold[0], &end, 1);
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(hold[0]);
    char status = 'n';
    [[maybe_unused]] const auto got = ::read(ready[0], &status, 1);
    ::close(ready[0]);
    release = hold[1];
    done = status == 'y';
    return child;
}

void EndStranger(pid_t child, int release) {
    ::close(release);
    ::waitpid(child, nullptr, 0);
}

} // namespace
#endif

// The channel lives in a folder only the user can enter: another user's process can neither take the name nor
// reach the program through it.
void StartupTest::otherUsersNeitherHoldNorRaise() {
#ifdef Q_OS_LINUX
    if (::getuid() != 0)
        QSKIP("running a process as another user needs root");
    QTemporaryDir runtime;
    ::chmod(QFile::encodeName(runtime.path()).constData(), 0700);
    const QByteArray runtimeBefore = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const auto restore = qScopeGuard([&runtimeBefore] {
        if (runtimeBefore.isEmpty())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", runtimeBefore);
    });
    QVERIFY(QDir().mkpath(runtime.filePath(u"mitoran"_s)));
    const QString held = QUuid::createUuid().toString();
    int release = -1;
    bool done = true;
    const pid_t squatter = StrangerProcess(runtime.filePath(u"mitoran/"_s + held), {}, release, done);
    QVERIFY(squatter > 0);
    QVERIFY(!done);
    EndStranger(squatter, release);
    QVERIFY(!IsInstanceRunning(held));
    TSingleHalt halt(held);
    QVERIFY(halt.Claim());

    const QString name = QUuid::createUuid().toString();
    TSingleHalt first(name);
    QSignalSpy raised(&first, &TSingleHalt::RaiseRequested);
    QVERIFY(first.Claim());
    const pid_t stranger = StrangerProcess(runtime.filePath(u"mitoran/"_s + name), "raise\n"_ba, release, done);
    QVERIFY(stranger > 0);
    QVERIFY(!done);
    QTest::qWait(100);
    EndStranger(stranger, release);
    QTest::qWait(50);
    QCOMPARE(raised.count(), 0);
    QVERIFY(SendToInstance(name, "raise\n"_ba));
    QTRY_COMPARE(raised.count(), 1);
#else
    QSKIP("Unix sockets of the program's own exist on Linux only");
#endif
}

// The desktop program started as a process of its own, with its data and settings in the folder.
std::unique_ptr<QProcess> StartupTest::StartedProgram(const QTemporaryDir& home, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"MITORAN_DATA_DIR"_s, home.filePath(u"data"_s));
    environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    auto program = std::make_unique<QProcess>();
    program->setProcessEnvironment(environment);
    program->start(QStringLiteral(MITORAN_PROGRAM), arguments);
    return program;
}

void StartupTest::secondStartEndsAndRaisesTheFirst() {
    const QString name = InstanceName(u"TZangyoMain"_s);
    if (IsInstanceRunning(name))
        QSKIP("a desktop program of this user is already running");
    const auto first = StartProgram({}, Services(name));
    QVERIFY(first != nullptr);
    first->window->showMinimized();
    QTRY_VERIFY(first->window->isMinimized());
    QTemporaryDir home;
    const auto second = StartedProgram(home, {u"/U:other"_s});
    QTRY_COMPARE_WITH_TIMEOUT(second->state(), QProcess::NotRunning, 20000);
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QTRY_VERIFY(!first->window->isMinimized());

    // A running idle watcher ends a new start before it claims anything.
    const QString fresh = QUuid::createUuid().toString();
    TSingleHalt watcher(u"StartupTestWatcher-"_s + fresh);
    QVERIFY(watcher.Claim());
    QVERIFY(StartProgram({}, Services(fresh)) == nullptr);
    QVERIFY(!IsInstanceRunning(fresh));
}

void StartupTest::secondProgramEndsWhileTheFirstRuns() {
    QTemporaryDir home;
    const QString name = InstanceName(u"TZangyoMain"_s);
    if (IsInstanceRunning(name))
        QSKIP("a desktop program of this user is already running");

    const auto first = StartedProgram(home, {});
    QVERIFY(first->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(IsInstanceRunning(name), 20000);

    const auto second = StartedProgram(home, {});
    QVERIFY(second->waitForFinished(20000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);

    QVERIFY(test::EndProgram(*first));
    QTRY_VERIFY(!IsInstanceRunning(name));
}

} // namespace mitoran

QTEST_MAIN(mitoran::StartupTest)
#include "StartupTest.moc"
