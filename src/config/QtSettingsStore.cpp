// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/QtSettingsStore.h"

#include "core/Cp932Qt.h"

#include <QStringList>
#include <QVariant>

#include <algorithm>

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

} // namespace

QtSettingsStore::QtSettingsStore()
#ifdef Q_OS_WIN
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvan"),
                                             QStringLiteral("Vuvedez")))
#else
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quorvan"),
                                             QStringLiteral("Vuvedez")))
#endif
{
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
