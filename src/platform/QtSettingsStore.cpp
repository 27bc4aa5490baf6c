// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtSettingsStore.h"

#include "engine/settings/Folders.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/FileStamp.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"
#include "platform/Cp932Qt.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <filesystem>
#include <utility>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

// The bytes of the INI file when it holds lines that Qt cannot read, else nothing. Qt reads a section when it is
// first used, so every section is read here to find out at once. It keeps a file it has read in a cache and
// reads it again only once it has changed: a later QSettings over the same damaged file in this process
// reports no error, so the damage found is remembered.
QByteArray DamagedBytes(QSettings& settings) {
    static QMutex mutex;
    static QHash<QString, QByteArray> known;
    settings.allKeys();
    const bool formatError = settings.status() == QSettings::FormatError;
    const QMutexLocker lock(&mutex);
    const auto found = known.constFind(settings.fileName());
    QFile file(settings.fileName());
    if ((!formatError && found == known.cend()) || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (formatError) {
        known.insert(settings.fileName(), bytes);
        return bytes;
    }
    return bytes == *found ? bytes : QByteArray();
}

#ifndef Q_OS_WIN
// Closes a folder or file of this user's to everyone else (not through a symbolic link); true when it had to.
bool CloseToOthers(const QString& path, mode_t ownMode) {
    struct stat st {};
    const QByteArray name = QFile::encodeName(path);
    return ::lstat(name.constData(), &st) == 0 && !S_ISLNK(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) != 0 && ::chmod(name.constData(), ownMode) == 0;
}

// The INI file of a store being written for the first time: its folder and the file itself are made for the user
// alone before Qt writes them (Qt keeps the mode of a file that is there already).
void MakePrivateFile(const QString& path) {
    CreatePrivateFolders(std::filesystem::path(QFileInfo(path).path().toStdU16String()));
    const int file = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (file >= 0)
        ::close(file);
}

std::string MadePrivateNote(const QString& path) {
    return ReplaceAllText(text::kMadePrivate, "%s", ShownPath(std::filesystem::path(path.toStdU16String())));
}
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

    bool Held() const { return m_held; }
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

QtSettingsStore::QtSettingsStore() : m_settings(std::make_unique<HeldSettings>()) {
    if constexpr (kFormat == QSettings::IniFormat)
        m_damaged = DamagedBytes(*m_settings);
#ifndef Q_OS_WIN
    const QString file = m_settings->fileName();
    for (const auto& [path, mode] : {std::pair{QFileInfo(file).path(), mode_t{0700}}, std::pair{file, mode_t{0600}},
                                     std::pair{file + QStringLiteral(".damaged"), mode_t{0600}}}) {
        if (CloseToOthers(path, mode))
            m_privacyNotes.push_back(MadePrivateNote(path));
    }
#endif
}

QtSettingsStore::~QtSettingsStore() = default;

void QtSettingsStore::HoldSaving() {
    m_settings->Hold();
}

void QtSettingsStore::ResumeSaving() {
    m_settings->Resume();
}

// QSettings has no empty keys: a group comes into being with its first value.
void QtSettingsStore::CreateKey(std::string_view) {}

// The base key always exists; any other is a group that holds values.
bool QtSettingsStore::KeyExists(std::string_view keyPath) const {
    QString group = GroupOf(keyPath, {});
    group.chop(1);
    if (group.isEmpty())
        return true;
    m_settings->beginGroup(group);
    const bool exists = !m_settings->allKeys().isEmpty();
    m_settings->endGroup();
    return exists;
}

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
    BeforeChange();
    m_settings->setValue(KeyOf(keyPath, subkey, name), ToQString(value));
}

void QtSettingsStore::DeleteSubkey(std::string_view keyPath, std::string_view subkey) {
    BeforeChange();
    m_settings->remove(GroupOf(keyPath, subkey));
}

void QtSettingsStore::KeepDamagedCopy() {
    if (kFormat != QSettings::IniFormat || !m_damaged.isEmpty() || m_copied)
        return;
    QFile file(m_settings->fileName());
    if (file.open(QIODevice::ReadOnly))
        m_damaged = file.readAll();
}

// Qt drops the lines it cannot read when it writes the file: what they held is kept beside it first. A copy
// that cannot be written leaves the write to go on as it would without one.
void QtSettingsStore::BeforeChange() {
#ifndef Q_OS_WIN
    if (!m_changed)
        MakePrivateFile(m_settings->fileName());
#endif
    m_changed = true;
    if (m_damaged.isEmpty() || std::exchange(m_copied, true))
        return;
    try {
        WriteFileAtomically(
            std::filesystem::path((m_settings->fileName() + QStringLiteral(".damaged")).toStdU16String()),
            std::string_view(m_damaged.constData(), static_cast<std::size_t>(m_damaged.size())));
    } catch (const FileWriteError&) {
    }
}

bool QtSettingsStore::Sync() {
    m_settings->sync();
    if (m_damaged.isEmpty())
        return m_settings->status() == QSettings::NoError;
    // The read's format error hides any write error; a file written anew, without the lines Qt cannot read,
    // shows that the write went through.
    if (!m_changed)
        return true;
    QFile file(m_settings->fileName());
    if (!file.open(QIODevice::ReadOnly) || file.readAll() == m_damaged)
        return false;
    Reopen();
    return true;
}

void QtSettingsStore::Flush() {
    if (!Sync())
        throw FileWriteError(std::filesystem::path(m_settings->fileName().toStdU16String()));
}

// A new QSettings over the file as now written, whose status tells the outcome of later writes.
void QtSettingsStore::Reopen() {
    const bool held = m_settings->Held();
    m_settings.reset();
    m_settings = std::make_unique<HeldSettings>();
    if (held)
        m_settings->Hold();
    m_damaged.clear();
}

} // namespace mitoran
