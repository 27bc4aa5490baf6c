// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/OverlaySettingsStore.h"

#include <algorithm>

namespace mitoran {

void OverlaySettingsStore::CreateKey(std::string_view keyPath) {
    m_written.CreateKey(keyPath);
}

bool OverlaySettingsStore::KeyExists(std::string_view keyPath) const {
    return m_written.KeyExists(keyPath) || m_below.KeyExists(keyPath);
}

std::optional<std::string> OverlaySettingsStore::ReadValue(std::string_view keyPath, std::string_view subkey,
                                                           std::string_view name) const {
    if (std::optional<std::string> written = m_written.ReadValue(keyPath, subkey, name))
        return written;
    const std::string path = std::string(keyPath) + "\\" + std::string(subkey);
    const bool deleted = std::any_of(m_deleted.begin(), m_deleted.end(), [&path](const std::string& root) {
        return path == root || (path.starts_with(root) && path[root.size()] == '\\');
    });
    return deleted ? std::nullopt : m_below.ReadValue(keyPath, subkey, name);
}

void OverlaySettingsStore::WriteValue(std::string_view keyPath, std::string_view subkey, std::string_view name,
                                      std::string_view value) {
    m_written.WriteValue(keyPath, subkey, name, value);
}

void OverlaySettingsStore::DeleteSubkey(std::string_view keyPath, std::string_view subkey) {
    m_written.DeleteSubkey(keyPath, subkey);
    m_deleted.insert(std::string(keyPath) + "\\" + std::string(subkey));
}

} // namespace mitoran
