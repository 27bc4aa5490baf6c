// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The per-user configuration store, shaped like the registry: a key path such as
// "Software\Quorvan\Vuvedez\User\abc" (CP932, backslashes) holds subkeys ("System", "Setting",
// "Position") that hold named string values. Every value is a CP932 string.
namespace mitoran {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Creates the key (and its parents) when it does not exist.
    virtual void CreateKey(std::string_view keyPath) = 0;

    // True when the key holds values or subkeys (or was created); asking never creates it.
    virtual bool KeyExists(std::string_view keyPath) const = 0;

    // An absent value (or subkey) gives std::nullopt; reading never creates anything.
    virtual std::optional<std::string> ReadValue(std::string_view keyPath, std::string_view subkey,
                                                 std::string_view name) const = 0;

    // Creates the key and subkey when needed.
    virtual void WriteValue(std::string_view keyPath, std::string_view subkey, std::string_view name,
                            std::string_view value) = 0;

    // Deletes the subkey with every value and subkey under it; an absent subkey is no error.
    virtual void DeleteSubkey(std::string_view keyPath, std::string_view subkey) = 0;

    // Writes out what waits to be written. Throws FileWriteError naming the store's file when that fails; a
    // store in memory has nothing to write.
    virtual void Flush() {}

    // A value of the store does not read: a store kept in a file copies the file aside (".damaged") before it
    // next writes it, so that what the user had can be looked at; a store without a file has nothing to copy.
    virtual void KeepDamagedCopy() {}
};

// One subkey of a key, with the typed reads and writes of the settings: integers as decimal text
// (hexadecimal with "0x" accepted on reading), Booleans as "1"/"0" (any non-zero integer reads true).
class StoreSection {
public:
    StoreSection(SettingsStore& store, std::string keyPath, std::string subkey)
        : m_store(store), m_keyPath(std::move(keyPath)), m_subkey(std::move(subkey)) {}

    int ReadInteger(std::string_view name, int defaultValue) const;
    bool ReadBool(std::string_view name, bool defaultValue) const;
    std::string ReadString(std::string_view name, std::string_view defaultValue) const;
    bool HasValue(std::string_view name) const;

    void WriteInteger(std::string_view name, int value);
    void WriteBool(std::string_view name, bool value);
    void WriteString(std::string_view name, std::string_view value);

private:
    SettingsStore& m_store;
    std::string m_keyPath;
    std::string m_subkey;
};

// Integer text as the store reads it: optional sign and decimal digits, or "0x"/"0X" and hex digits
// (taken as 32 bits, so "0x80000005" is negative). Anything else gives std::nullopt.
std::optional<int> ParseStoreInteger(std::string_view text);

} // namespace mitoran
