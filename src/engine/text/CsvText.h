// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Fields and records of the CSV files the program writes (RFC 4180 quoting, CP932 bytes).
namespace mitoran {

// The field as written: in double quotes, inner quotes doubled, when it holds a comma, a double quote, CR or
// LF; otherwise unchanged, so that a file without such text keeps its plain form.
std::string QuoteCsvField(std::string_view field);

// The fields, each quoted when needed, joined by "," (no line end).
std::string JoinCsvRecord(const std::vector<std::string>& fields);

} // namespace mitoran
