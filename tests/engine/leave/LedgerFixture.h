// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/leave/Ledger.h"
#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

namespace mitoran::test {

inline std::string S(std::string_view utf8) {
    return Utf8ToCp932(utf8);
}

// A ledger whose data folder is a fresh temporary folder of its own.
class LedgerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::filesystem::path(::testing::TempDir()) /
                   ("ledger-" + std::string(info->name()) + "-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(m_folder);
        ledger.SetLocation(m_folder, "");
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    void WriteLedgerFile(const std::string& bytes) const {
        std::ofstream(ledger.LedgerFilePath(), std::ios::binary) << bytes;
    }
    std::string ReadLedgerFile() const {
        std::ostringstream bytes;
        bytes << std::ifstream(ledger.LedgerFilePath(), std::ios::binary).rdbuf();
        return bytes.str();
    }
    bool LedgerFileExists() const { return std::filesystem::exists(ledger.LedgerFilePath()); }

    std::filesystem::path m_folder;
    Ledger ledger;
};

} // namespace mitoran::test
