// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/MemorySettingsStore.h"

namespace mitoran {

namespace {

std::string SubkeyPath(std::string_view keyPath, std::string_view subkey) {
    return std::string(keyPath) + "\\" + std::string(subkey);
}

bool IsSameOrBelow(std::string_view path, std::string_view root) {
    return path == root || (path.size() > root.size() && path.starts_with(root) && path[root.size()] == '\\');
}

} // namespace

void MemorySettingsStore::CreateKey(std::string_view keyPath) {
    for (std::size_t end = keyPath.find('\\'); end != std::string_view::npos; end = keyPath.find('\\', end + 1)) {
        m_keys.emplace(keyPath.substr(0, end));
    }
    m_keys.emplace(keyPath);
}

std::optional<std::string> MemorySettingsStore::ReadValue(std::string_view keyPath, std::string_view subkey,
                                                          std::string_view name) const {
    const auto key = m_values.find(SubkeyPath(keyPath, subkey));
    if (key == m_values.end()) {
        return std::nullopt;
    }
    const auto value = key->second.find(name);
    if (value == key->second.end()) {
        return std::nullopt;
    }
    return value->second;
}

void MemorySettingsStore::WriteValue(std::string_view keyPath, std::string_view subkey, std::string_view name,
                                     std::string_view value) {
    const std::string path = SubkeyPath(keyPath, subkey);
    CreateKey(path);
    m_values[path].insert_or_assign(std::string(name), std::string(value));
}

void MemorySettingsStore::DeleteSubkey(std::string_view keyPath, std::string_view subkey) {
    const std::string root = SubkeyPath(keyPath, subkey);
    std::erase_if(m_keys, [&](const std::string& path) { return IsSameOrBelow(path, root); });
    std::erase_if(m_values, [&](const auto& entry) { return IsSameOrBelow(entry.first, root); });
}

bool MemorySettingsStore::KeyExists(std::string_view keyPath) const {
    return m_keys.contains(keyPath);
}

std::map<std::string, std::string> MemorySettingsStore::Values(std::string_view keyPath,
                                                               std::string_view subkey) const {
    const auto key = m_values.find(SubkeyPath(keyPath, subkey));
    if (key == m_values.end()) {
        return {};
    }
    return {key->second.begin(), key->second.end()};
}

} // namespace mitoran
