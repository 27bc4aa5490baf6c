// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tray/TrayPort.h"

#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QSystemTrayIcon>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

SystemTray::SystemTray(QObject* parent)
    : TrayPort(parent), m_menu(std::make_unique<QMenu>()), m_icon(new QSystemTrayIcon(this)) {
    m_icon->setObjectName(u"RxTrayIcon"_s);
    m_icon->setToolTip(u"ミトラン"_s);
    m_menu->setObjectName(u"TrayIconPopupMenu"_s);
    QAction* openItem = m_menu->addAction(u"開く(&O)"_s);
    openItem->setObjectName(u"OpenPopMenu"_s);
    m_menu->addSeparator();
    m_closeItem = m_menu->addAction(u"終了(&X)"_s);
    m_closeItem->setObjectName(u"ClosePopMenu"_s);
    m_icon->setContextMenu(m_menu.get());
    connect(openItem, &QAction::triggered, this, &TrayPort::OpenRequested);
    connect(m_closeItem, &QAction::triggered, this, &TrayPort::QuitRequested);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            emit OpenRequested();
        else if (reason == QSystemTrayIcon::Trigger)
            emit Clicked();
    });
}

SystemTray::~SystemTray() = default;

bool SystemTray::IsAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SystemTray::SetIcon(const QIcon& icon) {
    m_icon->setIcon(icon);
}

void SystemTray::SetActive(bool active) {
    m_icon->setVisible(active);
}

bool SystemTray::IsActive() const {
    return m_icon->isVisible();
}

void SystemTray::SetQuitEnabled(bool enabled) {
    m_closeItem->setEnabled(enabled);
}

bool SystemTray::ShowMessage(const QString& caption, const QString& text) {
    if (!IsAvailable() || !IsActive() || !QSystemTrayIcon::supportsMessages())
        return false;
    m_icon->showMessage(caption, text, QSystemTrayIcon::Warning);
    return true;
}

bool StartDetachedProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

QString SiblingProgram(const QString& name) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

} // namespace mitoran
