// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/month/MonthFile.h"

#include "support/MonthFileText.h"
#include "support/TempFolder.h"

#include <vector>

namespace mitoran::test {

// A data folder of its own with hand-written month files of the default user.
class MonthFiles {
public:
    void Write(int year, int month, const std::vector<SavedDay>& days) const {
        WriteBytes(Path(year, month), MonthFileText(month, days));
    }
    std::filesystem::path Path(int year, int month) const { return MonthFilePath(m_data.Path(), year, month, ""); }
    MonthLocation Location() const { return {m_data.Path(), ""}; }

private:
    TempFolder m_data;
};

} // namespace mitoran::test
