// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// CSV lines of the program's exports. A field holding a comma, a double quote, CR or LF is quoted as RFC 4180
// says (inner quotes doubled); every other field is written as it stands, so files without such text keep
// their exact bytes.
namespace mitoran {

std::string CsvField(std::string_view field);
// The fields joined by "," and ended with CR LF.
std::string CsvRecord(const std::vector<std::string>& fields);

} // namespace mitoran
