// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/session/Tray.h"
#include "gui/tray/TrayPort.h"

#include <QWidget>

#include <memory>

namespace mitoran {

class InstanceListener;

struct KestrowServices {
    WatcherCommandLine line;
    QString program; // the desktop program it starts again
    ProgramStarter start;
};

// The idle watcher's window. While it holds its name a new start of the desktop program ends at once. It
// shows the tray icon with "開く(&O)" and "終了(&X)", or, where the desktop has no notification area, itself
// with the same two commands as buttons.
class TKestrowForm : public QWidget {
    Q_OBJECT

public:
    TKestrowForm(KestrowServices services, std::unique_ptr<TrayPort> tray, QWidget* parent = nullptr);
    ~TKestrowForm() override;

    // False when another watcher of this user holds the name.
    bool Claim(const QString& name);
    void Present();

    // Starts the program as it was started before and ends.
    void OpenPopMenuClick();
    void ClosePopMenuClick();
    // The desktop session ends: the program starts with "/Down", so that the leaving time is entered.
    void SessionEnding();

signals:
    void Ended();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool StartProgram(WatcherAction action);
    void End();

    KestrowServices m_services;
    std::unique_ptr<TrayPort> m_tray;
    QString m_name;
    InstanceListener* m_listener = nullptr;
    bool m_ended = false;
};

} // namespace mitoran
