// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/settings/SettingsStore.h"

#include <map>
#include <set>
#include <string>

namespace mitoran {

// A settings store held in memory, for tests and for runs that must not touch the user's store.
// Key paths and value names are compared exactly (case-sensitive).
class MemorySettingsStore : public SettingsStore {
public:
    void CreateKey(std::string_view keyPath) override;
    std::optional<std::string> ReadValue(std::string_view keyPath, std::string_view subkey,
                                         std::string_view name) const override;
    void WriteValue(std::string_view keyPath, std::string_view subkey, std::string_view name,
                    std::string_view value) override;
    void DeleteSubkey(std::string_view keyPath, std::string_view subkey) override;

    bool KeyExists(std::string_view keyPath) const override;
    // The values of one subkey by name; empty when the subkey does not exist.
    std::map<std::string, std::string> Values(std::string_view keyPath, std::string_view subkey) const;

private:
    std::set<std::string, std::less<>> m_keys;
    std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> m_values;
};

} // namespace mitoran
