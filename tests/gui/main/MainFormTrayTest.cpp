// SPDX-License-Identifier: GPL-3.0-or-later
// The main window with a notification area the test drives: the minimise routes, restoring behind the tray
// password, the start-up switches, the hand-over to kestrow and the user menu.
#include "gui/main/MainForm.h"

#include "engine/month/MonthFile.h"
#include "engine/text/Texts.h"
#include "gui/WindowTestSupport.h"
#include "gui/common/PassForm.h"
#include "gui/main/TAdjustForm.h"
#include "gui/tray/FakeTray.h"
#include "platform/Cp932Qt.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <memory>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;
using test::FakeTray;

class MainFormTrayTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void minimiseHidesInTheTrayAndRestoresBehindThePassword();
    void withoutATrayTheWindowStaysMinimised();
    void dispRestoresAndDownClosesWithTheLeavingTime();
    void idleProcessHandsOverToKestrowWithoutTheLeavingTime();
    void trayQuitIsOffWhileTheStampDialogIsOpen();
    void sessionEndWithTheStampDialogOpenBringsTheWindowBack();
    void switchingUsersAsksForAChangedMonth();

private:
    void StoreSettings(const std::function<void(Settings&)>& change);
    void StartWindow(const std::vector<std::string>& parameters, bool trayAvailable = true);
    int AnswerPrompts(const QStringList& entries);
    QString CellText(int day, DayColumn column) const;
    std::string MonthFileBytes() const;

    std::unique_ptr<test::WindowEnvironment> m_env;
    std::unique_ptr<TZangyoMain> m_window;
    FakeTray* m_tray = nullptr;
    test::StartedPrograms m_started;
    std::unique_ptr<QSignalSpy> m_closed;
    QTimer* m_promptHandler = nullptr;
    int m_prompts = 0;
};

void MainFormTrayTest::init() {
    m_env = std::make_unique<test::WindowEnvironment>();
    m_started = {};
    m_prompts = 0;
}

void MainFormTrayTest::cleanup() {
    if (m_promptHandler != nullptr)
        m_promptHandler->deleteLater();
    m_promptHandler = nullptr;
    m_closed.reset();
    m_window.reset();
}

void MainFormTrayTest::StoreSettings(const std::function<void(Settings&)>& change) {
    const SettingsContext context{m_env->store, m_env->folders, "", ""};
    Settings settings;
    LoadSettings(settings, context);
    change(settings);
    SaveSettings(settings, context);
}

void MainFormTrayTest::StartWindow(const std::vector<std::string>& parameters, bool trayAvailable) {
    m_window =
        std::make_unique<TZangyoMain>(MainServices{{m_env->store, m_env->folders, m_env->clock, m_env->questions},
                                                   test::WindowEnvironment::StartCommandLine(parameters)});
    auto tray = std::make_unique<FakeTray>(trayAvailable);
    m_tray = tray.get();
    m_window->UseTray(std::move(tray), m_started.Starter());
    m_closed = std::make_unique<QSignalSpy>(m_window.get(), &TZangyoMain::Closed);
    m_window->show();
}

// Each password prompt takes the next entry (OK), or is cancelled once the entries are used up.
int MainFormTrayTest::AnswerPrompts(const QStringList& entries) {
    m_prompts = 0;
    if (m_promptHandler != nullptr)
        m_promptHandler->deleteLater();
    m_promptHandler = test::HandleModals<TPass>(this, [this, entries](TPass& pass) {
        const int index = m_prompts++;
        if (index >= entries.size()) {
            pass.reject();
            return;
        }
        pass.findChild<QLineEdit*>(u"PassEdit"_s)->setText(entries[index]);
        QTest::mouseClick(pass.findChild<QPushButton*>(u"OkButton"_s), Qt::LeftButton);
    });
    return 0;
}

QString MainFormTrayTest::CellText(int day, DayColumn column) const {
    return ToQString(m_window->CurrentSession().sheet.days[day][column]);
}

std::string MainFormTrayTest::MonthFileBytes() const {
    QFile file(m_env->folder.filePath(u"200403.dat"_s));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

void MainFormTrayTest::minimiseHidesInTheTrayAndRestoresBehindThePassword() {
    StoreSettings([](Settings& settings) {
        settings.Pass = "secret";
        settings.ReOpenPassIn = true;
        settings.EscKeyMin = true;
        settings.IconSelect = 1;
    });
    StartWindow({});
    QCOMPARE(m_window->menuBar()->findChild<QMenu*>(u"MultiUserMenu"_s)->menuAction()->isVisible(),
             test::Expected(false, true)); // "/M"

    m_window->showMinimized();
    QTRY_VERIFY(!m_window->isVisible());
    QVERIFY(m_tray->active);
    QCOMPARE(m_tray->iconChanges, 2); // made, then set from "IconSelect" by the route

    // One wrong entry, reported, then the right one in another case.
    AnswerPrompts({u"wrong"_s, u"SECRET"_s});
    emit m_tray->OpenRequested();
    QCOMPARE(m_prompts, 2);
    QCOMPARE(m_env->questions.asked.size(), 1u);
    QCOMPARE(m_env->questions.asked[0].text, text::kPasswordWrong);
    QVERIFY(m_window->isVisible());
    QVERIFY(!m_window->isMinimized());
    QVERIFY(!m_tray->active);

    // Esc with "EscKeyMin"; three wrong entries leave it in the tray and the program running. A second
    // double-click while the prompt is open asks nothing more.
    QTest::keyClick(m_window->findChild<QWidget*>(u"DayStringGrid"_s), Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
    m_prompts = 0;
    m_promptHandler->deleteLater();
    m_promptHandler = test::HandleModals<TPass>(this, [this](TPass& pass) {
        if (m_prompts++ == 0) {
            emit m_tray->OpenRequested();
            emit m_tray->Clicked();
        }
        pass.findChild<QLineEdit*>(u"PassEdit"_s)->setText(u"wrong"_s);
        QTest::mouseClick(pass.findChild<QPushButton*>(u"OkButton"_s), Qt::LeftButton);
    });
    emit m_tray->OpenRequested();
    QCOMPARE(m_prompts, 3);
    QVERIFY(!m_window->isVisible());
    QVERIFY(m_tray->active);
    QCOMPARE(m_closed->count(), 0);

    // Without "ReOpenPassIn" the window comes back at once.
    m_window->CurrentSession().settings.StartUserReOpenPassIn = false;
    m_prompts = 0;
    emit m_tray->OpenRequested();
    QCOMPARE(m_prompts, 0);
    QVERIFY(m_window->isVisible());
}

void MainFormTrayTest::withoutATrayTheWindowStaysMinimised() {
    StoreSettings([](Settings& settings) { settings.EscKeyMin = true; });
    StartWindow({}, false);
    QTest::keyClick(m_window->findChild<QWidget*>(u"DayStringGrid"_s), Qt::Key_Escape);
    QTest::qWait(20);
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->isMinimized());
    QVERIFY(!m_tray->active);

    // Esc without "EscKeyMin" does nothing.
    m_window->showNormal();
    m_window->CurrentSession().settings.StartUserEscKeyMin = false;
    QTest::keyClick(m_window->findChild<QWidget*>(u"DayStringGrid"_s), Qt::Key_Escape);
    QVERIFY(!m_window->isMinimized());
}

void MainFormTrayTest::dispRestoresAndDownClosesWithTheLeavingTime() {
    StoreSettings([](Settings& settings) {
        settings.Pass = "secret";
        settings.ReOpenPassIn = true;
        settings.EndAutoIn = kAutoInSilent;
        settings.IdleProcess = true;
    });
    AnswerPrompts({u"secret"_s});
    StartWindow({"/Disp"});
    QTRY_COMPARE(m_prompts, 1);
    QTRY_VERIFY(m_window->isVisible() && !m_window->isMinimized());
    QVERIFY(m_started.starts.empty()); // "/Disp" hands nothing over
    QCOMPARE(m_tray->iconChanges, 1);  // nor changes the image
    m_window.reset();

    StartWindow({"/Down"});
    QTRY_COMPARE(m_closed->count(), 1);
    QVERIFY(m_started.starts.empty());
    QCOMPARE(CellText(test::DayRow(m_window->CurrentSession().sheet, 3, 10), DayColumn::Leaving), u" 9:00"_s);
    const std::string file = MonthFileBytes();
    QVERIFY(file.find(" 9:00") != std::string::npos);
}

void MainFormTrayTest::idleProcessHandsOverToKestrowWithoutTheLeavingTime() {
    StoreSettings([](Settings& settings) {
        settings.IdleProcess = true;
        settings.IconSelect = 1;
        settings.EndAutoIn = kAutoInSilent;
    });
    // The start fails first: reported, and the window waits in the tray.
    m_started.succeed = false;
    StartWindow({"/M"});
    m_window->CurrentSession().sheet.days[9][DayColumn::Arrival] = " 8:30";
    m_window->showMinimized();
    QTRY_VERIFY(!m_window->isVisible());
    QCOMPARE(m_env->questions.asked.size(), 1u);
    QCOMPARE(m_env->questions.asked[0].caption, text::kStartErrorCaption);
    QCOMPARE(m_env->questions.asked[0].text, text::kWatcherStartFailed);
    QVERIFY(m_tray->active);
    QCOMPARE(m_closed->count(), 0);

    // Then it starts: the changed month is saved without a question and no leaving time is entered.
    m_started.succeed = true;
    emit m_tray->OpenRequested();
    m_window->showMinimized();
    QTRY_COMPARE(m_closed->count(), 1);
    QCOMPARE(m_started.starts.size(), 2u);
    QVERIFY(m_started.starts[1].program.endsWith(u"/kestrow"_s));
    QCOMPARE(m_started.starts[1].arguments, (QStringList{u"/Idle"_s, u"1"_s, u"/M"_s}));
    QCOMPARE(m_env->questions.asked.size(), 1u);
    const std::string file = MonthFileBytes();
    QVERIFY(file.find(" 8:30") != std::string::npos);
    QCOMPARE(CellText(10, DayColumn::Leaving), QString());
}

void MainFormTrayTest::trayQuitIsOffWhileTheStampDialogIsOpen() {
    StoreSettings([](Settings& settings) { settings.StartAutoIn = kAutoInWindow; });
    bool quitEnabledWhileOpen = true;
    QTimer* handler = test::HandleModals<TTimeAdjust>(this, [&](TTimeAdjust& stamp) {
        quitEnabledWhileOpen = m_tray->quitEnabled;
        emit m_tray->QuitRequested();
        stamp.reject();
    });
    StartWindow({});
    QTRY_VERIFY(handler->isActive() && m_window->isVisible());
    handler->deleteLater();
    QVERIFY(!quitEnabledWhileOpen);
    QCOMPARE(m_closed->count(), 0);
    QVERIFY(m_tray->quitEnabled);
    emit m_tray->QuitRequested();
    QCOMPARE(m_closed->count(), 1);
}

// The stamp dialog sent the program to the notification area with Esc; the session's end is refused and shows the
// window again with the dialog, and the icon goes.
void MainFormTrayTest::sessionEndWithTheStampDialogOpenBringsTheWindowBack() {
    StoreSettings([](Settings& settings) {
        settings.StartAutoIn = kAutoInWindow;
        settings.EscKeyMin = true;
    });
    bool inTray = false;
    bool allowed = true;
    bool restored = false;
    QTimer* handler = test::HandleModals<TTimeAdjust>(this, [&](TTimeAdjust& stamp) {
        QTest::keyClick(&stamp, Qt::Key_Escape);
        inTray = !m_window->isVisible() && m_tray->active && stamp.isVisible();
        allowed = m_window->AllowSessionEnd();
        restored = m_window->isVisible() && !m_window->isMinimized() && !m_tray->active;
        stamp.reject();
    });
    StartWindow({});
    QTRY_VERIFY(m_window->isVisible());
    handler->deleteLater();
    QVERIFY(inTray);
    QVERIFY(!allowed);
    QVERIFY(restored);
    QCOMPARE(m_closed->count(), 0);
}

void MainFormTrayTest::switchingUsersAsksForAChangedMonth() {
    for (const char* user : {"bob", "Alice"}) {
        std::filesystem::create_directories(m_env->folders.DataFolder() / user);
        m_env->store.WriteValue(UserKeyPath(user), "System", "SimeDay", "31");
    }
    StartWindow({"/M"});
    QMenu* menu = m_window->menuBar()->findChild<QMenu*>(u"MultiUserMenu"_s);
    QVERIFY(menu->menuAction()->isVisible());
    QStringList captions;
    for (QAction* item : menu->actions())
        captions << item->text();
    const QStringList users{u"&0 (ｶﾚﾝﾄ)"_s, u"&1 Alice"_s, u"&2 bob"_s};
    QCOMPARE(captions, test::Expected(users, users + QStringList{u"&3 u2"_s}));
    QCOMPARE(m_window->windowTitle(), u"ミトラン - (ｶﾚﾝﾄ)"_s);

    // Cancel on the save question keeps the user, the month and the checked item. With "AutoSave" there is no
    // question: the month is saved and bob's shown.
    m_window->CurrentSession().sheet.days[9][DayColumn::Arrival] = " 8:30";
    m_env->questions.answers = {Answer::Cancel};
    menu->actions()[2]->trigger();
    QCOMPARE(m_env->questions.asked.size(), test::Expected(1U, 0U));
    for (const test::ScriptedQuestions::Question& question : m_env->questions.asked)
        QCOMPARE(question.caption, text::kSaveCaption);
    QCOMPARE(m_window->windowTitle(), test::Expected(u"ミトラン - (ｶﾚﾝﾄ)"_s, u"ミトラン - bob"_s));
    QCOMPARE(menu->actions()[0]->isChecked(), test::Expected(true, false));
    QCOMPARE(CellText(9, DayColumn::Arrival), test::Expected(u" 8:30"_s, QString()));
    QCOMPARE(MonthFileBytes().find(" 8:30") != std::string::npos, test::Expected(false, true));

    // No: bob's month, title and item.
    m_env->questions.answers = {Answer::No};
    menu->actions()[2]->trigger();
    QCOMPARE(m_window->CurrentSession().CurrentUser(), std::string("bob"));
    QCOMPARE(m_window->windowTitle(), u"ミトラン - bob"_s);
    QVERIFY(menu->actions()[2]->isChecked());
    QCOMPARE(CellText(9, DayColumn::Arrival), QString());
    QCOMPARE(m_window->CurrentSession().sheet.loadedMonth, 3);
}

} // namespace mitoran

QTEST_MAIN(mitoran::MainFormTrayTest)
#include "MainFormTrayTest.moc"
