// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/CsvText.h"

#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

TEST(CsvText, QuotesOnlyFieldsThatWouldSplitTheLine) {
    const struct {
        std::string field;
        std::string written;
    } cases[] = {
        {"", ""},
        {"8:30", "8:30"},
        {Utf8ToCp932("表示"), Utf8ToCp932("表示")}, // a trail byte 0x5C stays as it is
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"line\n", "\"line\n\""},
        {"\"", "\"\"\"\""},
    };
    for (const auto& [field, written] : cases)
        EXPECT_EQ(QuoteCsvField(field), written) << field;
}

TEST(CsvText, JoinsFieldsWithCommasQuotingEachAsNeeded) {
    EXPECT_EQ(JoinCsvRecord({}), "");
    EXPECT_EQ(JoinCsvRecord({"", ""}), ",");
    EXPECT_EQ(JoinCsvRecord({"2024/4", "a,b", "", "x\"y"}), "2024/4,\"a,b\",,\"x\"\"y\"");
}

} // namespace
} // namespace mitoran
