// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/tray/TrayPort.h"

#include <utility>
#include <vector>

namespace mitoran::test {

// A notification area the test drives: it emits the tray's signals itself and reads back what was shown.
class FakeTray : public TrayPort {
public:
    explicit FakeTray(bool available) : m_available(available) {}

    bool IsAvailable() const override { return m_available; }
    void SetIcon(const QIcon& newIcon) override {
        icon = newIcon;
        ++iconChanges;
    }
    void SetActive(bool isActive) override { active = isActive; }
    bool IsActive() const override { return active; }
    void SetQuitEnabled(bool enabled) override { quitEnabled = enabled; }
    bool ShowMessage(const QString& caption, const QString& text) override {
        if (!m_available || !active)
            return false;
        messages.push_back({caption, text});
        return true;
    }

    QIcon icon;
    int iconChanges = 0;
    bool active = false;
    bool quitEnabled = true;
    std::vector<std::pair<QString, QString>> messages; // caption and text

private:
    bool m_available;
};

// Records the programs started instead of starting them.
struct StartedPrograms {
    struct Start {
        QString program;
        QStringList arguments;
    };
    std::vector<Start> starts;
    bool succeed = true;

    ProgramStarter Starter() {
        return [this](const QString& program, const QStringList& arguments) {
            starts.push_back({program, arguments});
            return succeed;
        };
    }
};

} // namespace mitoran::test
