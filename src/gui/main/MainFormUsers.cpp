// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's user menu "切り替え(&C)", shown when the program was started with "/M".
#include "gui/main/MainForm.h"

#include "engine/session/Users.h"
#include "engine/text/AtomicFile.h"
#include "gui/common/PassForm.h"
#include "gui/pay/TotalForm.h"
#include "platform/Cp932Qt.h"

#include <QActionGroup>
#include <QMenu>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

// Built once: users added while the program runs appear at its next start.
void TZangyoMain::BuildUserMenu() {
    m_multiUserMenu->menuAction()->setVisible(m_services.commandLine.multiUser);
    if (!m_services.commandLine.multiUser)
        return;
    m_userItems = new QActionGroup(this);
    for (const UserMenuItem& item : UserMenuItems(KnownUsers(m_services.folders, m_services.store))) {
        QAction* action = m_multiUserMenu->addAction(ToQString(item.caption));
        action->setObjectName(u"UserItem%1"_s.arg(m_userItems->actions().size()));
        action->setCheckable(true);
        action->setData(QByteArray::fromStdString(item.user));
        m_userItems->addAction(action);
        connect(action, &QAction::triggered, this, [this, user = item.user] { MultiUserMenuClick(user); });
    }
    CheckCurrentUserItem();
}

void TZangyoMain::CheckCurrentUserItem() {
    for (QAction* action : m_userItems->actions()) {
        if (action->data().toByteArray().toStdString() == m_session.CurrentUser())
            action->setChecked(true);
    }
}

void TZangyoMain::MultiUserMenuClick(const std::string& user) {
    SwitchOutcome outcome = SwitchOutcome::Refused;
    try {
        outcome = SwitchUser(m_session, user, DisplayedMonth(), [this] { return LeaveMonthCheck(); });
    } catch (const FileWriteError& error) {
        outcome = SwitchOutcome::Switched;
        ReportWriteError(error);
    }
    CheckCurrentUserItem();
    if (outcome != SwitchOutcome::Switched)
        return;
    ClosePayWindowUnlessGranted();
    RefreshMonthView();
    SettingRegistered();
    RecalculateForPayWindow();
}

// The open pay window would show the new user's amounts: it stays only when their amounts password passes.
void TZangyoMain::ClosePayWindowUnlessGranted() {
    TTotal* total = m_total.IfMade();
    if (total != nullptr && total->isVisible() &&
        !PromptAmountsPassword(m_settings.KinPass, m_services.questions, this))
        total->reject();
}

} // namespace mitoran
