// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/CsvText.h"
#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

TEST(CsvText, FieldsAreQuotedOnlyWhenTheyHoldASeparatorOrAQuote) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"plain text", "plain text"},
        {" -1.0", " -1.0"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\"", "\"\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"lf\n", "\"lf\n\""},
        {Utf8ToCp932("表示"), Utf8ToCp932("表示")}, // 0x5C trail byte is no separator
        {Utf8ToCp932("休み,半日"), "\"" + Utf8ToCp932("休み,半日") + "\""},
    };
    for (const auto& [field, written] : cases)
        EXPECT_EQ(CsvField(field), written) << field;
}

TEST(CsvText, RecordJoinsWithCommasAndEndsWithCrLf) {
    EXPECT_EQ(CsvRecord({}), "\r\n");
    EXPECT_EQ(CsvRecord({"1", "", "x"}), "1,,x\r\n");
    EXPECT_EQ(CsvRecord({"1", "a,b", "c\"d"}), "1,\"a,b\",\"c\"\"d\"\r\n");
}

} // namespace
} // namespace mitoran
