// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/CsvText.h"

namespace mitoran {

std::string QuoteCsvField(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(field);
    std::string quoted = "\"";
    for (const char byte : field) {
        if (byte == '"')
            quoted += '"';
        quoted += byte;
    }
    quoted += '"';
    return quoted;
}

std::string JoinCsvRecord(const std::vector<std::string>& fields) {
    std::string record;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            record += ',';
        record += QuoteCsvField(fields[i]);
    }
    return record;
}

} // namespace mitoran
