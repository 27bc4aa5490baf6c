// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/Util.h"
#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

using namespace mitoran;

namespace {

std::string Sj(std::string_view utf8) {
    return Utf8ToCp932(utf8);
}

// The code point of a text holding exactly one UTF-8 character, else 0.
char32_t SingleCodePoint(std::string_view utf8) {
    if (utf8.empty()) {
        return 0;
    }
    const auto lead = static_cast<unsigned char>(utf8[0]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (utf8.size() != length) {
        return 0;
    }
    char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t i = 1; i < length; ++i) {
        code = code << 6 | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    }
    return code;
}

// What a typed full-width character means in ASCII, from Unicode alone: the full-width forms of
// U+FF01..U+FF5E are ASCII + 0xFEE0 (except ＂ ＇ ＼ ＿ ｀, which stay), plus the ideographic blank,
// curly quotes, primes, the geta mark and the yen sign.
char ExpectedAscii(char32_t code) {
    switch (code) {
    case 0x3000:
        return ' ';
    case 0x2018:
    case 0x2019:
    case 0x2032:
        return '\'';
    case 0x201C:
    case 0x201D:
    case 0x2033:
        return '"';
    case 0x3013:
        return '=';
    case 0xFFE5:
        return '\\';
    default:
        break;
    }
    if (code < 0xFF01 || code > 0xFF5E) {
        return '\0';
    }
    const char ascii = static_cast<char>(code - 0xFEE0);
    if (std::string_view("\"'\\_`").find(ascii) != std::string_view::npos) {
        return '\0';
    }
    return ascii >= 'a' && ascii <= 'z' ? static_cast<char>(ascii - 'a' + 'A') : ascii;
}

} // namespace

TEST(UtilTest, NormalizeWidthFoldsExactlyTheFullWidthFormsOfAsciiAndStepsOverTrailBytes) {
    int folded = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string wide{static_cast<char>(lead), static_cast<char>(trail)};
            const char ascii = ExpectedAscii(SingleCodePoint(Cp932ToUtf8(wide)));
            const std::string expected = ascii != '\0' ? std::string(1, ascii) : wide;
            ASSERT_EQ(NormalizeWidth(wide), expected) << std::hex << lead << ' ' << trail;
            folded += ascii != '\0';
        }
    }
    EXPECT_EQ(folded, 98);

    for (int byte = 0; byte <= 0xFF; ++byte) {
        const std::string single(1, static_cast<char>(byte));
        const std::string expected = byte >= 'a' && byte <= 'z' ? std::string(1, static_cast<char>(byte - 32)) : single;
        EXPECT_EQ(NormalizeWidth(single), expected) << byte;
    }
    EXPECT_EQ(NormalizeWidth(Sj("表ａｂ:xyzｱ、")), Sj("表AB:XYZｱ、"));
}

TEST(UtilTest, TextToIntDefReadsIntegersOrTheDefault) {
    const struct {
        std::string text;
        int expected;
    } cases[] = {
        {"$1A", 26},
        {"$1a", 26},
        {Sj("＄１Ａ"), 26},
        {Sj("１２"), 12},
        {" 12 ", 12},
        {"\t7\r\n", 7},
        {Sj("　12"), 12},
        {"-5", -5},
        {"+5", 5},
        {Sj("－５"), -5},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"$FFFFFFFF", -1},
        {"$80000005", -2147483643},
        {"$7FFFFFFF", INT_MAX},
        {"12 3", -99},
        {"", -99},
        {"   ", -99},
        {"-", -99},
        {"+", -99},
        {"+-5", -99},
        {"$", -99},
        {"$G", -99},
        {"$-1", -99},
        {"-$1", -99},
        {"$100000000", -99},
        {"$000000001", -99},
        {"2147483648", -99},
        {"-2147483649", -99},
        {"99999999999999999999", -99},
        {"1.5", -99},
        {"1,000", -99},
        {"12ab", -99},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextToIntDef(c.text, -99), c.expected) << c.text;
    }
}

TEST(UtilTest, TimeTextToMinutesReadsTolerantText) {
    const struct {
        std::string text;
        int expected;
    } cases[] = {
        {"8:30", 510},
        {"8.30", 510},
        {"8.5", 485},
        {"830", 510},
        {"0830", 510},
        {"8", 480},
        {"24", 1440},
        {"1:5", 65},
        {Sj("８：３０"), 510},
        {Sj("８．３０　"), 510},
        {Sj("　８３０"), 510},
        {"-1:30", -90},
        {"1:30-", -90},
        {"1-:30", -90},
        {Sj("－１：３０"), -90},
        {" -1:30", -90},
        {"", 0},
        {"abc", 0},
        {"8:3x", 480},
        {"8:755", 555},
        {"8:75", 555},
        {"25:30", 1530},
        {"48:00", 2880},
        {"1234", 754},
        {"x:30", 30},
        {"99999999999:00", 0},
        // Absurd sizes saturate to the widest time text, 99999:59.
        {"99999:59", kMaxTimeMinutes},
        {"100000:00", kMaxTimeMinutes},
        {"2147483647:59", kMaxTimeMinutes},
        {"-2147483647:59", -kMaxTimeMinutes},
        {"2147483647", kMaxTimeMinutes},
        {"$7FFFFFFF:00", kMaxTimeMinutes},
        {"-$7FFFFFFF:00", -kMaxTimeMinutes},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TimeTextToMinutes(c.text), c.expected) << c.text;
    }
}

TEST(UtilTest, MinutesToTimeTextWritesHoursInTheirWidthWithTheSignInTheLastBlank) {
    const struct {
        int minutes;
        int width;
        bool showZero;
        std::string expected;
    } cases[] = {
        {-90, 2, false, "-1:30"},  {-90, 3, true, " -1:30"},  {0, 2, false, ""},          {0, 3, true, "  0:00"},
        {-600, 2, false, "10:00"}, {6000, 2, true, "00:00"},  {510, 2, false, " 8:30"},   {1530, 2, true, "25:30"},
        {2715, 3, true, " 45:15"}, {-120, 3, true, " -2:00"}, {-5940, 3, true, "-99:00"}, {59999, 3, true, "999:59"},
        {5, 2, false, " 0:05"},    {-5, 2, false, "-0:05"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MinutesToTimeText(c.minutes, c.width, c.showZero), c.expected) << c.minutes << ' ' << c.width;
    }
    EXPECT_EQ(MinutesToTimeText(INT_MIN, 3, true).size(), 6u);
    for (int minutes = -5999; minutes <= 5999; ++minutes) {
        ASSERT_EQ(TimeTextToMinutes(MinutesToTimeText(minutes, 3, true)), minutes);
    }
}

TEST(UtilTest, RoundTimeTextRoundsTheMinutesOfTheHour) {
    const struct {
        std::string text;
        int mode;
        int unit;
        std::string expected;
    } cases[] = {
        {"8:07", 2, 15, " 8:00"},  {"8:08", 2, 15, " 8:15"},  {"8:52", 3, 15, " 9:00"},  {"-0:07", 1, 15, "-0:15"},
        {"0:05", 1, 15, ""},       {"8:05", 2, 10, " 8:10"},  {"-8:05", 2, 10, "-8:10"}, {"-1:07", 3, 15, "-1:00"},
        {"-1:07", 1, 15, "-1:15"}, {" 8:07", 0, 15, " 8:07"}, {"0:00", 0, 15, ""},       {"8:01", 3, 60, " 9:00"},
        {"8:30", 2, 60, " 9:00"},  {"8:29", 2, 60, " 8:00"},  {"8:03", 2, 6, " 8:06"},   {"8:02", 2, 6, " 8:00"},
        {"23:41", 3, 20, "24:00"}, {"8:45", 1, 30, " 8:30"},  {"8:15", 3, 15, " 8:15"},  {"8:07", 4, 15, " 8:07"},
        {"8:07", -1, 15, " 8:07"}, {"8:07", 99, 5, " 8:07"},  {"8:07", 2, 0, " 8:07"},   {"8:07", 3, -5, " 8:07"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundTimeText(c.text, c.mode, c.unit), c.expected)
            << c.text << " mode " << c.mode << " unit " << c.unit;
    }

    // Every value against the meaning of the modes: down never rises, up never falls, nearest is within half
    // a unit and a tie moves away from zero. The minutes form agrees with the text wherever the two-digit text
    // holds the result, and keeps its sign below -9:00 too (-10:00 fills the text's width and loses it).
    for (const int unit : RoundingIntervals) {
        for (int minutes = -6000; minutes <= 6000; ++minutes) {
            for (int mode = kRoundDown; mode <= kRoundUp; ++mode) {
                const int rounded = RoundTimeMinutes(minutes, mode, unit);
                SCOPED_TRACE(std::to_string(minutes) + " mode " + std::to_string(mode) + " unit " +
                             std::to_string(unit));
                if (minutes >= -540 && minutes <= 5940) {
                    const std::string text = MinutesToTimeText(minutes, 2, false);
                    ASSERT_EQ(TimeTextToMinutes(RoundTimeText(text, mode, unit)), rounded);
                }
                ASSERT_EQ(rounded % unit, 0);
                if (mode == kRoundDown) {
                    ASSERT_TRUE(rounded <= minutes && rounded > minutes - unit);
                } else if (mode == kRoundUp) {
                    ASSERT_TRUE(rounded >= minutes && rounded < minutes + unit);
                } else {
                    const int distance = std::abs(rounded - minutes);
                    ASSERT_TRUE(2 * distance < unit || (2 * distance == unit && std::abs(rounded) > std::abs(minutes)));
                }
            }
        }
    }
    EXPECT_EQ(RoundTimeMinutes(-607, kRoundNone, 15), -607);
    EXPECT_EQ(RoundTimeMinutes(-607, 7, 15), -607);
    EXPECT_EQ(RoundTimeMinutes(-607, kRoundNearest, 0), -607);
}

TEST(UtilTest, HoursAsRealsAndDecimalText) {
    EXPECT_DOUBLE_EQ(TimeTextToHours("8:30"), 8.5);
    EXPECT_DOUBLE_EQ(TimeTextToHours("8.30"), 8.5);
    EXPECT_DOUBLE_EQ(TimeTextToHours(" -0:45"), -0.75);
    EXPECT_DOUBLE_EQ(TimeTextToHours("8"), 8.0);
    EXPECT_DOUBLE_EQ(TimeTextToHours("8:755"), 8.0 + 75.0 / 60.0);
    EXPECT_DOUBLE_EQ(TimeTextToHours(""), 0.0);
    EXPECT_DOUBLE_EQ(TimeTextToHours("abc"), 0.0);
    EXPECT_DOUBLE_EQ(TimeTextToHours("-2147483647:59"), -kMaxTimeMinutes / 60.0);

    EXPECT_EQ(DecimalTimeText("8:30", true), "8.50");
    EXPECT_EQ(DecimalTimeText("-0:45", true), "-0.75");
    EXPECT_EQ(DecimalTimeText(" -1:30", true), "-1.50");
    EXPECT_EQ(DecimalTimeText("100:20", true), "100.33");
    EXPECT_EQ(DecimalTimeText("-0:00", true), "0.00");
    EXPECT_EQ(DecimalTimeText("8:30", false), "8:30");
    EXPECT_EQ(DecimalTimeText("  ", true), "  ");
    EXPECT_EQ(DecimalTimeText("", true), "");
    EXPECT_EQ(DecimalTimeText("2147483647:59", true), "99999.98");
}

TEST(UtilTest, RealsAreWrittenAndReadWithAPointAndRoundedAsWritten) {
    EXPECT_EQ(RealToText(5, 1, -1.0), " -1.0");
    EXPECT_EQ(RealToText(5, 1, 0.5), "  0.5");
    EXPECT_EQ(RealToText(0, 1, 12.5), "12.5");
    EXPECT_EQ(RealToText(0, 1, -3.0), "-3.0");
    EXPECT_EQ(RealToText(0, 1, 0.25), "0.3");
    EXPECT_EQ(RealToText(0, 1, -0.25), "-0.3");
    EXPECT_EQ(RealToText(0, 1, -0.04), "0.0");
    EXPECT_EQ(RealToText(0, 0, 2.5), "3");
    EXPECT_EQ(RealToText(3, 1, 1234.5), "1234.5");
    EXPECT_EQ(RealToText(0, 1, std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(RealToText(6, 1, std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(RealToText(0, 1, std::numeric_limits<double>::max()).size(), 311u);

    EXPECT_DOUBLE_EQ(TextToReal("20.5", 1, -1), 20.5);
    EXPECT_DOUBLE_EQ(TextToReal(Sj("０．５"), 1, -1), 0.5);
    EXPECT_DOUBLE_EQ(TextToReal(" -1.0", 1, -1), -1.0);
    EXPECT_DOUBLE_EQ(TextToReal("+2.5", 1, -1), 2.5);
    EXPECT_DOUBLE_EQ(TextToReal("0.15", 1, -1), 0.2);
    EXPECT_DOUBLE_EQ(TextToReal("-0.15", 1, -1), -0.2);
    EXPECT_DOUBLE_EQ(TextToReal("2.675", 2, -1), 2.68);
    EXPECT_DOUBLE_EQ(TextToReal("1.24", 1, -1), 1.2);
    EXPECT_DOUBLE_EQ(TextToReal("1e2", 1, -1), 100.0);
    for (const char* bad : {"", " ", "abc", "1,5", "1.5x", "+-2", "inf", "nan", "1e999"}) {
        EXPECT_DOUBLE_EQ(TextToReal(bad, 1, 9.5), 9.5) << bad;
    }
    // Day counts are held in single precision and must come back as they were written.
    const float days = static_cast<float>(TextToReal("19.5", 1, 0));
    EXPECT_EQ(RealToText(0, 1, days + 0.1f), "19.6");

    const struct {
        double value;
        int expected;
    } halves[] = {{0.5, 1},        {-0.5, -1},       {1.49, 1},
                  {-1.5, -2},      {2.5, 3},         {0.49999999999999994, 0},
                  {1e20, INT_MAX}, {-1e20, INT_MIN}, {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& h : halves) {
        EXPECT_EQ(RoundHalfAway(h.value), h.expected) << h.value;
    }
}

TEST(UtilTest, DayCountTextKeepsTheWidthOfItsInput) {
    EXPECT_EQ(DayCountText("", true), "");
    EXPECT_EQ(DayCountText("", false), "");
    EXPECT_EQ(DayCountText("  20.5", true), "  20.5");
    EXPECT_EQ(DayCountText("  20.5", false), "    21");
    EXPECT_EQ(DayCountText("  19.0", false), "    19");
    EXPECT_EQ(DayCountText("0.5", false), "  1");
    EXPECT_EQ(DayCountText(" abc", true), " 0.0");
    EXPECT_EQ(DayCountText(Sj("１．５"), true), "   1.5");
}

TEST(UtilTest, MoneyTextIsGroupedByThousands) {
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {"1000", "1,000"},
        {"999", "999"},
        {"-1000", "-1,000"},
        {"1234567", "1,234,567"},
        {"-123456", "-123,456"},
        {"-123", "-123"},
        {"0", "0"},
        {"12ab", "0"},
        {"", "0"},
        {" 100000 ", "100,000"},
        {Sj("１２３４"), "1,234"},
        {"2147483647", "2,147,483,647"},
        {"-2147483648", "-2,147,483,648"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GroupThousands(c.text), c.expected) << c.text;
        EXPECT_EQ(GroupThousands(StripThousands(c.expected)), c.expected) << c.text;
    }
    EXPECT_EQ(StripThousands(" \t1,234,567 "), "1234567");
}

TEST(UtilTest, TextHelpersCountBytesAndNeverOverrun) {
    EXPECT_EQ(PadNumber(2024, 2, "0"), "24");
    EXPECT_EQ(PadNumber(2024, 4, "0"), "2024");
    EXPECT_EQ(PadNumber(3, 2, "0"), "03");
    EXPECT_EQ(PadNumber(5, 3, " "), "  5");
    EXPECT_EQ(PadNumber(5, 3, ""), "  5");
    EXPECT_EQ(PadNumber(42, 3, "xyz"), "x42");
    EXPECT_EQ(PadNumber(-5, 3, " "), " -5");
    EXPECT_EQ(PadNumber(7, 0, " "), "");

    EXPECT_EQ(RightChars("abc", 2), "bc");
    EXPECT_EQ(RightChars("abc", 5), "abc");
    EXPECT_EQ(RightChars("abc", -1), "");
    EXPECT_EQ(LeftChars("abc", 2), "ab");
    EXPECT_EQ(LeftChars("abc", 9), "abc");
    EXPECT_EQ(LeftChars("abc", -2), "");

    EXPECT_EQ(TrimText("\t a b \r\n"), "a b");
    EXPECT_EQ(TrimText("   "), "");
    EXPECT_EQ(TrimLeftText("  a "), "a ");

    EXPECT_EQ(ReplaceAllText("a-b-c", "-", "--"), "a--b--c");
    EXPECT_EQ(ReplaceAllText("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAllText("aab", "ab", "b"), "ab");
    EXPECT_EQ(ReplaceAllText("8:30", ":", ""), "830");
    EXPECT_EQ(ReplaceAllText("xyz", "", "q"), "xyz");
    EXPECT_EQ(ReplaceAllText(Sj("表\\"), "\\", "/"), Sj("表/"));

    const struct {
        std::string record;
        int field;
        std::string expected;
    } fields[] = {
        {"a,b,c,", 3, "c"}, {"a,b,c,", 4, ""}, {"a,b", 5, ""},  {"a,b,c", 1, "a"},
        {"a,b,c", 3, "c"},  {"a,b,c", 4, ""},  {"a,,c", 2, ""}, {"", 1, ""},
    };
    for (const auto& f : fields) {
        EXPECT_EQ(CsvField(f.record, f.field), f.expected) << f.record << ' ' << f.field;
    }
}

TEST(UtilTest, CalendarHelpersAndUserFolders) {
    EXPECT_EQ(ClampYear("1989"), 1990);
    EXPECT_EQ(ClampYear(""), 1990);
    EXPECT_EQ(ClampYear("2091"), 2090);
    EXPECT_EQ(ClampYear(Sj("２０２４")), 2024);
    EXPECT_EQ(ClampMonth("13"), 12);
    EXPECT_EQ(ClampMonth("0"), 1);
    EXPECT_EQ(ClampMonth("7"), 7);

    const std::filesystem::path file = std::filesystem::path("data") / "Holiday.dat";
    EXPECT_EQ(UserFilePath("", file), file);
    EXPECT_EQ(UserFilePath("abc", file), std::filesystem::path("data") / "abc" / "Holiday.dat");
    EXPECT_EQ(UserFilePath(Sj("山田"), file),
              std::filesystem::path("data") / std::filesystem::path(u8"山田") / "Holiday.dat");
}

TEST(UtilTest, NormalTimeTextReadsEveryTypedForm) {
    for (const char* typed : {"8.30", "830", " 8:30"})
        EXPECT_EQ(NormalTimeText(typed), " 8:30") << typed;
    EXPECT_EQ(NormalTimeText(Sj("８：３０")), " 8:30");
    EXPECT_EQ(NormalTimeText("8.5"), " 8:05");
    EXPECT_EQ(NormalTimeText("abc"), " 0:00");
}
