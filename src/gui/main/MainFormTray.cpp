// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and the notification area: the three ways of minimising, the hand-over to the idle watcher,
// restoring behind the tray password and quitting from the tray.
#include "gui/main/MainForm.h"

#include "engine/session/Questions.h"
#include "engine/text/Texts.h"
#include "gui/common/NotificationIcons.h"
#include "gui/common/PassForm.h"
#include "platform/Cp932Qt.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <utility>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

void TZangyoMain::UseTray(std::unique_ptr<TrayPort> tray, ProgramStarter startProgram) {
    m_tray = std::move(tray);
    m_startProgram = std::move(startProgram);
    ConnectTray();
}

TrayPort& TZangyoMain::Tray() {
    if (!m_tray) {
        m_tray = std::make_unique<SystemTray>();
        ConnectTray();
    }
    return *m_tray;
}

void TZangyoMain::ConnectTray() {
    m_tray->SetIcon(NotificationIcon(m_settings.IconSelect));
    m_tray->SetQuitEnabled(m_trayQuitEnabled);
    connect(m_tray.get(), &TrayPort::OpenRequested, this, &TZangyoMain::OpenPopMenuClick);
    connect(m_tray.get(), &TrayPort::QuitRequested, this, &TZangyoMain::ClosePopMenuClick);
    connect(m_tray.get(), &TrayPort::Clicked, this, &TZangyoMain::RxTrayIconClick);
}

void TZangyoMain::SetTrayQuitEnabled(bool enabled) {
    m_trayQuitEnabled = enabled;
    if (m_tray)
        m_tray->SetQuitEnabled(enabled);
}

// The window's own minimise: the rest follows once the state change is done.
void TZangyoMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized() || m_autoMinimising)
        return;
    QTimer::singleShot(0, this, [this] {
        if (isMinimized() && isVisible())
            MinimizeToTray(MinimiseRoute::WindowCommand);
    });
}

void TZangyoMain::EscButtonClick() {
    MinimizeToTray(MinimiseRoute::EscKey);
}

void TZangyoMain::MinimizeTimerTimer() {
    MinimizeToTray(MinimiseRoute::StartupTimer);
    switch (AfterStartupMinimise(m_services.commandLine)) {
    case AfterMinimise::Restore:
        OpenPopMenuClick();
        break;
    case AfterMinimise::Close:
        close();
        break;
    case AfterMinimise::Stay:
        break;
    }
}

void TZangyoMain::MinimizeToTray(MinimiseRoute route) {
    TrayPort& tray = Tray();
    const MinimisePlan plan = PlanMinimise(route, {.escKeyMin = m_settings.StartUserEscKeyMin,
                                                   .idleProcess = m_settings.IdleProcess,
                                                   .startedMinimised = m_services.commandLine.StartsMinimised(),
                                                   .trayAvailable = tray.IsAvailable()});
    if (!plan.minimise)
        return;
    if (plan.changeIcon)
        tray.SetIcon(NotificationIcon(m_settings.IconSelect));
    if (!isMinimized()) {
        m_autoMinimising = true;
        showMinimized();
        m_autoMinimising = false;
    }
    if (plan.startWatcher && HandOverToWatcher())
        return;
    if (plan.hideWindow) {
        MinimiseOtherWindows();
        hide();
        tray.SetActive(true);
    }
}

// The paid-leave and period windows go down with the program and come back with it. They are minimised, not
// hidden: showing them again would load them afresh. A dialog being answered stays as it is.
void TZangyoMain::MinimiseOtherWindows() {
    m_minimisedWindows.clear();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && !window->isModal() && !window->isMinimized() &&
            window->windowType() == Qt::Window) {
            m_minimisedWindows.emplace_back(window);
            window->showMinimized();
        }
    }
}

// The month is saved without a question on the way out; a close refused all the same keeps the program as it
// was, the watcher running beside it.
bool TZangyoMain::HandOverToWatcher() {
    QStringList arguments;
    for (const std::string& argument : WatcherArguments(m_settings.IconSelect, m_services.commandLine))
        arguments << ToQString(argument);
    if (!m_startProgram(SiblingProgram(u"kestrow"_s), arguments)) {
        m_services.questions.AskStyled(text::kStartErrorCaption, text::kWatcherStartFailed, Buttons::Ok,
                                       QuestionIcon::Error, Answer::Ok);
        return false;
    }
    m_watcherStarted = true;
    const bool autoSave = std::exchange(m_settings.AutoSave, true);
    if (close())
        return true;
    m_watcherStarted = false;
    m_settings.AutoSave = autoSave;
    return false;
}

void TZangyoMain::OpenPopMenuClick() {
    const std::string& password = m_settings.StartUserPass;
    const RestoreOutcome outcome =
        m_trayRestore.Restore(RestoreAsksPassword(password, m_settings.StartUserReOpenPassIn),
                              [&] { return PromptPassword(password, m_services.questions, this); });
    if (outcome == RestoreOutcome::AlreadyAsking)
        RaiseTrayPrompt();
    if (outcome == RestoreOutcome::Granted)
        ShowRestored();
}

// The window and the windows minimised with it back on screen, the icon gone from the notification area.
void TZangyoMain::ShowRestored() {
    if (m_tray)
        m_tray->SetActive(false);
    for (const QPointer<QWidget>& window : std::exchange(m_minimisedWindows, {})) {
        if (window != nullptr && window->isMinimized())
            window->showNormal();
    }
    showNormal();
    raise();
    activateWindow();
}

void TZangyoMain::RxTrayIconClick() {
    if (m_trayRestore.Asking())
        RaiseTrayPrompt();
}

void TZangyoMain::RaiseTrayPrompt() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* prompt = qobject_cast<TPass*>(window); prompt != nullptr && prompt->isVisible()) {
            prompt->raise();
            prompt->activateWindow();
        }
    }
}

void TZangyoMain::ClosePopMenuClick() {
    if (m_trayQuitEnabled)
        close();
}

} // namespace mitoran
