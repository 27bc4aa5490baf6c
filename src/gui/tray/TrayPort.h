// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace mitoran {

// The icon in the desktop's notification area with its menu "開く(&O)", a separator and "終了(&X)". Windows
// talk to this interface; tests give them one of their own.
class TrayPort : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // False where the desktop has no notification area: nothing may then be hidden into it.
    virtual bool IsAvailable() const = 0;
    virtual void SetIcon(const QIcon& icon) = 0;
    // Shows or removes the icon.
    virtual void SetActive(bool active) = 0;
    virtual bool IsActive() const = 0;
    // "終了(&X)" can be turned off while a dialog must be answered first.
    virtual void SetQuitEnabled(bool enabled) = 0;
    // A message beside the icon; false, and nothing shown, while the icon is not shown or cannot show one.
    virtual bool ShowMessage(const QString& caption, const QString& text) = 0;

signals:
    void OpenRequested(); // "開く(&O)" or a double-click
    void QuitRequested(); // "終了(&X)"
    void Clicked();       // a single click on the icon
};

// The desktop's own notification area (QSystemTrayIcon), hint "ミトラン".
class SystemTray : public TrayPort {
    Q_OBJECT

public:
    explicit SystemTray(QObject* parent = nullptr);
    ~SystemTray() override;

    bool IsAvailable() const override;
    void SetIcon(const QIcon& icon) override;
    void SetActive(bool active) override;
    bool IsActive() const override;
    void SetQuitEnabled(bool enabled) override;
    bool ShowMessage(const QString& caption, const QString& text) override;

private:
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon* m_icon;
    QAction* m_closeItem;
};

// Starts a program on its own, handing it the arguments as a list (no shell); false when it could not start.
using ProgramStarter = std::function<bool(const QString& program, const QStringList& arguments)>;
bool StartDetachedProgram(const QString& program, const QStringList& arguments);

// A program installed beside the running one (kestrow beside mitoran and the other way round).
QString SiblingProgram(const QString& name);

} // namespace mitoran
