// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/settings/MemorySettingsStore.h"

#include <set>
#include <string>

namespace mitoran {

// A store laid over another for a run that must leave that store as it is: reads see the other store's
// values, changed by the writes and deletions made here, which stay in memory.
class OverlaySettingsStore : public SettingsStore {
public:
    explicit OverlaySettingsStore(const SettingsStore& below) : m_below(below) {}

    void CreateKey(std::string_view keyPath) override;
    bool KeyExists(std::string_view keyPath) const override;
    std::optional<std::string> ReadValue(std::string_view keyPath, std::string_view subkey,
                                         std::string_view name) const override;
    void WriteValue(std::string_view keyPath, std::string_view subkey, std::string_view name,
                    std::string_view value) override;
    void DeleteSubkey(std::string_view keyPath, std::string_view subkey) override;

private:
    const SettingsStore& m_below;
    MemorySettingsStore m_written;
    // Subkey paths ("key\subkey") deleted here: the values below them are hidden.
    std::set<std::string, std::less<>> m_deleted;
};

} // namespace mitoran
