// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/limits/AgreementYear.h"

#include <array>
#include <string>

// The agreement year as the command line gives it: the table with each of the five averages in a column of its
// own, as lines of cells or as a CSV file. Times show their hours whole ("0:00", "360:00", "-1:30"). Texts are
// CP932.
namespace mitoran {

inline constexpr int kLimitExportColumns = 12;
using LimitExportCells = std::array<std::string, kLimitExportColumns>;

// "月", "時間外", "休日労働", "合計", "2か月平均" … "6か月平均", "60時間超", "時間外累計", "上限超え回数".
const LimitExportCells& LimitExportHeaders();
// The month's cells; the count is of the months over the limit up to and including this one.
LimitExportCells LimitExportRow(const LimitMonth& month);

// "2024/04-2025/03".
std::string AgreementYearRangeText(const AgreementYear& year);

// The header and the twelve months, quoted as the other exports are, each line ended by CRLF.
std::string LimitCsvText(const AgreementYear& year);

} // namespace mitoran
