// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtSettingsStore.h"

#include "platform/Cp932Qt.h"

#include <QEvent>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <utility>

namespace mitoran {

namespace {

constexpr std::string_view kBaseKey = "Software\\Quorvan\\Vuvedez";

// "Software\Quorvan\Vuvedez\User\abc" + "System" gives "User/abc/System".
QString GroupOf(std::string_view keyPath, std::string_view subkey) {
    if (keyPath.starts_with(kBaseKey) && (keyPath.size() == kBaseKey.size() || keyPath[kBaseKey.size()] == '\\')) {
        keyPath.remove_prefix(std::min(keyPath.size(), kBaseKey.size() + 1));
    }
    QString group = ToQString(keyPath);
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!group.isEmpty()) {
        group += QLatin1Char('/');
    }
    return group + ToQString(subkey);
}

QString KeyOf(std::string_view keyPath, std::string_view subkey, std::string_view name) {
    return GroupOf(keyPath, subkey) + QLatin1Char('/') + ToQString(name);
}

#ifdef Q_OS_WIN
constexpr QSettings::Format kFormat = QSettings::NativeFormat;
#else
constexpr QSettings::Format kFormat = QSettings::IniFormat;
#endif

} // namespace

// QSettings posts itself an update request with the first change and writes everything out when it arrives;
// while held, the request waits.
class QtSettingsStore::HeldSettings : public QSettings {
public:
    // Only the user's own key: no fall-back to the machine-wide settings or to other programs of the organisation.
    HeldSettings() : QSettings(kFormat, QSettings::UserScope, QStringLiteral("Quorvan"), QStringLiteral("Vuvedez")) {
        setFallbacksEnabled(false);
    }

    void Hold() { m_held = true; }
    void Resume() {
        m_held = false;
        if (std::exchange(m_waiting, false))
            sync();
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::UpdateRequest && m_held) {
            m_waiting = true;
            return true;
        }
        return QSettings::event(event);
    }

private:
    bool m_held = false;
    bool m_waiting = false;
};

QtSettingsStore::QtSettingsStore() : m_settings(std::make_unique<HeldSettings>()) {}

QtSettingsStore::~QtSettingsStore() = default;

void QtSettingsStore::HoldSaving() {
    m_settings->Hold();
}

void QtSettingsStore::ResumeSaving() {
    m_settings->Resume();
}

// QSettings has no empty keys: a group comes into being with its first value.
void QtSettingsStore::CreateKey(std::string_view) {}

std::optional<std::string> QtSettingsStore::ReadValue(std::string_view keyPath, std::string_view subkey,
                                                      std::string_view name) const {
    const QVariant value = m_settings->value(KeyOf(keyPath, subkey, name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    // An INI line edited by hand with an unquoted comma reads as a list.
    if (value.typeId() == QMetaType::QStringList) {
        return FromQString(value.toStringList().join(QLatin1Char(',')));
    }
    return FromQString(value.toString());
}

void QtSettingsStore::WriteValue(std::string_view keyPath, std::string_view subkey, std::string_view name,
                                 std::string_view value) {
    m_settings->setValue(KeyOf(keyPath, subkey, name), ToQString(value));
}

void QtSettingsStore::DeleteSubkey(std::string_view keyPath, std::string_view subkey) {
    m_settings->remove(GroupOf(keyPath, subkey));
}

bool QtSettingsStore::Sync() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

} // namespace mitoran
