// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/settings/SettingsStore.h"

#include <QByteArray>
#include <QSettings>

#include <memory>
#include <string>
#include <vector>

namespace mitoran {

// The settings store on QSettings: the registry at HKEY_CURRENT_USER\Software\Quorvan\Vuvedez on
// Windows, the INI file $XDG_CONFIG_HOME/Quorvan/Vuvedez.ini elsewhere. A key path below
// "Software\Quorvan\Vuvedez" and its subkey become a group ("User/abc/System"); value names are
// case-sensitive in the INI file. An INI file with lines that cannot be read is read as far as it goes (those
// lines are ignored) and copied to "Vuvedez.ini.damaged" before it is first written anew.
// The INI file holds the passwords, the pay figures and the name: its folder is made for the user alone (0700)
// and the file and its copy too (0600); a folder or file that others may use is closed to them when the store
// opens, with a note (PrivacyNotes).
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;

    // What opening the store closed to other users, one message each (CP932), for standard error.
    const std::vector<std::string>& PrivacyNotes() const { return m_privacyNotes; }

    void CreateKey(std::string_view keyPath) override;
    bool KeyExists(std::string_view keyPath) const override;
    std::optional<std::string> ReadValue(std::string_view keyPath, std::string_view subkey,
                                         std::string_view name) const override;
    void WriteValue(std::string_view keyPath, std::string_view subkey, std::string_view name,
                    std::string_view value) override;
    void DeleteSubkey(std::string_view keyPath, std::string_view subkey) override;
    // Sync, with a failure thrown as FileWriteError.
    void Flush() override;
    // The INI file as it is now is copied to "Vuvedez.ini.damaged" before it is first written anew.
    void KeepDamagedCopy() override;

    // Writes pending changes to the file or registry; false when that failed. A file that could not be read
    // whole is no failure here.
    bool Sync();

    // Qt writes changes out at the next turn of the event loop. While held they wait in memory (and are
    // written when the store goes in any case); resuming writes what waits.
    void HoldSaving();
    void ResumeSaving();

private:
    class HeldSettings;
    void BeforeChange();
    void Reopen();

    std::unique_ptr<HeldSettings> m_settings;
    std::vector<std::string> m_privacyNotes;
    // The INI file as read when it held lines that Qt could not read (and reported as a format error of
    // every later sync) or a value that does not read; empty once it has been written anew.
    QByteArray m_damaged;
    bool m_changed = false;
    bool m_copied = false;
};

} // namespace mitoran
