// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/calendar/Clock.h"
#include "engine/leave/Ledger.h"
#include "engine/limits/AgreementYear.h"
#include "engine/month/MonthSheet.h"
#include "engine/print/PrintLists.h"
#include "engine/settings/Settings.h"
#include "engine/text/Cp932.h"
#include "engine/text/Util.h"
#include "engine/totals/PeriodTotals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace mitoran {
namespace {

std::string S(std::string_view utf8) {
    return Utf8ToCp932(utf8);
}

std::string DateText(int month, int day) {
    return PadNumber(month, 2, " ") + "/" + PadNumber(day, 2, " ");
}

// March with every day filled; the 3rd is a day off, the 5th has a long memo.
MonthSheet March() {
    MonthSheet sheet;
    sheet.dayCount = 31;
    for (int d = 1; d <= 31; ++d) {
        DayRecord& day = sheet.days[static_cast<std::size_t>(d)];
        day[DayColumn::Date] = DateText(3, d);
        day[DayColumn::Kubun] = d == 3 ? S("○") : "  ";
        day[DayColumn::Arrival] = " 8:00";
        day[DayColumn::Leaving] = "18:30";
        day[DayColumn::Zangyo] = " 1:30";
        day[DayColumn::Kinmu] = " 9:30";
    }
    sheet.days[5][DayColumn::Memo] = S("あいうえおかきくけこさしすせそ");
    sheet.summary = {"22.0", " 0.0", " 33:00", "  0:00", " 33:00", " 13:00", "209:00"};
    return sheet;
}

const PrintText* FindText(const PrintPage& page, std::string_view text) {
    const auto found = std::ranges::find_if(page.texts, [text](const PrintText& item) { return item.text == text; });
    return found == page.texts.end() ? nullptr : &*found;
}

int CountTexts(const PrintPage& page, std::string_view text) {
    return static_cast<int>(
        std::ranges::count_if(page.texts, [text](const PrintText& item) { return item.text == text; }));
}

// The days of the sheet printed on a page, by their date texts.
int DaysOn(const PrintPage& page) {
    int days = 0;
    for (int d = 1; d <= 31; ++d)
        days += CountTexts(page, DateText(3, d));
    return days;
}

struct BreakCase {
    const char* name;
    int muki;
    bool foot; // page numbers and print date
    std::size_t pages;
    int daysOnFirstPage;
};

// A4, 20 mm above and below, list font 9 pt: a row is 4.76 mm. Portrait holds the month and its summary; landscape
// holds 31 days (summary on the next page), or 30 days once the foot takes its line.
TEST(PrintLayout, BreaksAThirtyOneDayMonthByOrientationAndFoot) {
    const BreakCase cases[] = {
        {"portrait", 0, false, 1, 31},
        {"portrait with foot", 0, true, 1, 31},
        {"landscape", 1, false, 2, 31},
        {"landscape with foot", 1, true, 2, 30},
    };
    for (const BreakCase& c : cases) {
        SCOPED_TRACE(c.name);
        Settings settings;
        settings.ZangyoPrintMuki = c.muki;
        settings.PrintPage = c.foot;
        settings.PrintDate = c.foot;
        const PrintDocument document =
            LayOutPrint(MonthPrintList(March(), "2024", settings), settings, PrintPaper{}, "2024/04/01");
        EXPECT_EQ(document.landscape, c.muki == 1);
        EXPECT_EQ(document.widthMm, c.muki == 1 ? 297 : 210);
        ASSERT_EQ(document.pages.size(), c.pages);
        EXPECT_EQ(DaysOn(document.pages[0]), c.daysOnFirstPage);
        EXPECT_EQ(DaysOn(document.pages.back()), c.pages == 1 ? 31 : 31 - c.daysOnFirstPage);
        // The summary closes the last page; a page that continues the days repeats the header row.
        EXPECT_NE(FindText(document.pages.back(), S("目標")), nullptr);
        EXPECT_EQ(CountTexts(document.pages.back(), S("日 付")), c.daysOnFirstPage < 31 ? 1 : c.pages == 1 ? 1 : 0);
        EXPECT_EQ(FindText(document.pages.back(), "2 / 2") != nullptr, c.foot && c.pages == 2);
    }
}

TEST(PrintLayout, PlacesTheHeadAndFootTextsByTheirPositionSettings) {
    Settings settings;
    settings.PrintName = true;
    settings.PrintPage = true;
    settings.PrintDate = true;
    settings.TitlePosition = 0;
    settings.NamePosition = 2;
    settings.MonthPosition = 1;
    settings.PagePosition = 2;
    settings.DatePosition = 0;
    const PrintDocument document =
        LayOutPrint(MonthPrintList(March(), S("2024年3月"), settings), settings, PrintPaper{}, "2024/04/01");
    const PrintPage& page = document.pages.at(0);
    const PrintText* title = FindText(page, settings.ZangyoTitle);
    const PrintText* name = FindText(page, settings.NameTitle);
    const PrintText* month = FindText(page, S("2024年3月"));
    const PrintText* number = FindText(page, "1 / 1");
    const PrintText* date = FindText(page, "2024/04/01");
    ASSERT_TRUE(title && name && month && number && date);

    struct Expected {
        const PrintText* text;
        PrintAlign align;
        PrintFontRole font;
    };
    for (const auto& [text, align, font] : {Expected{title, PrintAlign::Left, PrintFontRole::Title},
                                            Expected{name, PrintAlign::Right, PrintFontRole::Name},
                                            Expected{month, PrintAlign::Center, PrintFontRole::Month},
                                            Expected{number, PrintAlign::Right, PrintFontRole::Page},
                                            Expected{date, PrintAlign::Left, PrintFontRole::Date}}) {
        EXPECT_EQ(text->align, align);
        EXPECT_EQ(text->font, font);
        EXPECT_DOUBLE_EQ(text->rect.x, 25.0); // the left margin; the line runs to the right margin
        EXPECT_DOUBLE_EQ(text->rect.width, 170.0);
    }
    EXPECT_DOUBLE_EQ(title->rect.y, 20.0);
    EXPECT_DOUBLE_EQ(name->rect.y, 20.0 + LineHeightMm(12));
    EXPECT_DOUBLE_EQ(month->rect.y, name->rect.y); // different positions share a line
    EXPECT_DOUBLE_EQ(number->rect.y + number->rect.height, 297.0 - 20.0);
    EXPECT_DOUBLE_EQ(date->rect.y, number->rect.y);

    // The same position puts the year-month under the name rather than over it.
    settings.MonthPosition = settings.NamePosition;
    const PrintDocument stacked =
        LayOutPrint(MonthPrintList(March(), S("2024年3月"), settings), settings, PrintPaper{}, "2024/04/01");
    EXPECT_DOUBLE_EQ(FindText(stacked.pages[0], S("2024年3月"))->rect.y, name->rect.y + LineHeightMm(10));

    // Without the name, page number and date they are not printed.
    settings.PrintName = settings.PrintPage = settings.PrintDate = false;
    const PrintDocument bare =
        LayOutPrint(MonthPrintList(March(), S("2024年3月"), settings), settings, PrintPaper{}, "2024/04/01");
    EXPECT_EQ(FindText(bare.pages[0], settings.NameTitle), nullptr);
    EXPECT_EQ(FindText(bare.pages[0], "1 / 1"), nullptr);
    EXPECT_EQ(FindText(bare.pages[0], "2024/04/01"), nullptr);
}

TEST(PrintLayout, MarginsLargerThanThePaperStillEndWithOneRowAPage) {
    Settings settings;
    settings.PageTopMargin = "400.0";
    const PrintDocument document =
        LayOutPrint(MonthPrintList(March(), "", settings), settings, PrintPaper{}, "2024/04/01");
    ASSERT_EQ(document.pages.size(), 32U); // a day a page, then the summary
    EXPECT_EQ(DaysOn(document.pages[30]), 1);
}

TEST(PrintLayout, CutsTextToCharactersWithoutSplittingADoubleByteOne) {
    const struct {
        std::string text;
        int count;
        std::string cut;
    } cases[] = {
        {"abcdef", 3, "abc"},
        {S("あいう"), 2, S("あい")},
        {S("aあb"), 2, S("aあ")},
        {S("ｱｲｳ"), 2, S("ｱｲ")},
        {"", 5, ""},
        {S("あ"), 0, ""},
        {std::string("a\x82"), 5, std::string("a\x82")}, // a lone lead byte at the end stays one character
    };
    for (const auto& c : cases)
        EXPECT_EQ(CutToCharacters(c.text, c.count), c.cut) << Cp932ToUtf8(c.text);
}

struct MonthRowCase {
    const char* name;
    int printForm;
    bool printGary;
    bool printTime;
    int printMemo;
    CellFill dayOffFill;
    CellFill summaryFill;
    std::string zangyo;
    std::string summaryZangyo;
    std::string memo;
};

TEST(PrintLists, MonthRowsFollowFormGreyDecimalAndMemoSettings) {
    const MonthRowCase cases[] = {
        {"shaded, grey, decimal", 0, true, true, 12, CellFill::Grey, CellFill::Shade, "1.50", "33.00",
         S("あいうえおかきくけこさし")},
        {"plain, h:mm", 1, false, false, 10, CellFill::None, CellFill::None, "1:30", "33:00",
         S("あいうえおかきくけこ")},
        {"damaged memo length reads as 10", 1, false, false, 3, CellFill::None, CellFill::None, "1:30", "33:00",
         S("あいうえおかきくけこ")},
    };
    for (const MonthRowCase& c : cases) {
        SCOPED_TRACE(c.name);
        Settings settings;
        settings.PrintForm = c.printForm;
        settings.PrintGary = c.printGary;
        settings.PrintTime = c.printTime;
        settings.PrintMemo = c.printMemo;
        const PrintList list = MonthPrintList(March(), "", settings);
        ASSERT_EQ(list.tables.size(), 2U);
        const PrintTable& days = list.tables[0];
        ASSERT_EQ(days.rows.size(), 31U);
        EXPECT_EQ(days.rows[2].fill, c.dayOffFill);
        EXPECT_EQ(days.rows[1].fill, CellFill::None);
        EXPECT_EQ(days.rows[0].cells[3], "8:00"); // clock times stay h:mm
        EXPECT_EQ(days.rows[0].cells[5], c.zangyo);
        EXPECT_EQ(days.rows[4].cells[8], c.memo);
        const PrintTable& summary = list.tables[1];
        EXPECT_TRUE(summary.keepTogether);
        EXPECT_EQ(summary.columns[0].header, S("出勤"));
        EXPECT_EQ(summary.columns[6].header, S("勤務"));
        EXPECT_EQ(summary.rows.at(0).cells[0], "22.0");
        EXPECT_EQ(summary.rows[0].cells[2], c.summaryZangyo);
        EXPECT_EQ(summary.rows[0].fill, c.summaryFill);

        const PrintDocument document = LayOutPrint(list, settings, PrintPaper{}, "");
        const PrintCell& headerCell = document.pages[0].cells[0];
        EXPECT_EQ(headerCell.fill, c.printForm == 0 ? CellFill::Shade : CellFill::None);
    }
}

TEST(PrintLists, NamesTheMonthAndTheDaysOfASheetThatDoesNotStartOnTheFirst) {
    MonthSheet sheet = March();
    EXPECT_EQ(MonthPeriodText(sheet, 2024, 3), S("2024年3月"));
    sheet.days[1][DayColumn::Date] = DateText(2, 21);
    sheet.days[31][DayColumn::Date] = DateText(3, 20);
    EXPECT_EQ(MonthPeriodText(sheet, 2024, 3), S("2024年3月 (2/21～3/20)"));
    EXPECT_EQ(PdfFileName(S("山田 2024年3月.csv")), S("山田 2024年3月.pdf"));
    EXPECT_EQ(PageNumberText(2, 11), "2 / 11");
    EXPECT_EQ(PrintDateText(FixedClock({2026, 12, 8, 9, 30})), "2026/12/08");
}

TEST(PrintLists, PeriodTotalsShadeTheirFourSummaryRowsAndPrintDecimalHours) {
    MonthFigures full;
    full.hasData = true;
    full.syukin = 20;
    full.zangyo = 90;
    const std::vector<YearMonth> months{{2024, 4}, {2024, 5}};
    const PeriodTable table = BuildPeriodTable(months, {full, MonthFigures{}}, false);
    Settings settings;
    settings.PrintTime = true;
    const PrintList list = PeriodPrintList({{2024, 4}, {2024, 5}}, table, settings);
    EXPECT_EQ(list.title, settings.YearTitle);
    EXPECT_EQ(list.period, S("2024年4月～2024年5月"));
    const PrintTable& printed = list.tables.at(0);
    ASSERT_EQ(printed.rows.size(), 6U);
    EXPECT_EQ(printed.columns[0].header, S("年 月"));
    EXPECT_EQ(printed.rows[0].cells[0], "2024/04");
    EXPECT_EQ(printed.rows[0].cells[6], "1.50");
    EXPECT_EQ(printed.rows[1].fill, CellFill::None);
    for (std::size_t r = 2; r < 6; ++r)
        EXPECT_EQ(printed.rows[r].fill, CellFill::Shade) << r;
    EXPECT_EQ(printed.rows[2].cells[0], S("合 計"));
}

// The agreement year prints in landscape: twelve months with the level each reached, then the limits in force.
TEST(PrintLists, LimitsTableGivesEachMonthsLevelAndTheLimitsInForce) {
    Settings settings;
    settings.Limits.Special = true;
    settings.Limits.SpecialTimes = 3;
    std::array<MonthOvertime, kAgreementFigures> figures{};
    figures[kMonthsBeforeYear] = {73 * 60, 0};     // April: 73:00 of the special clause's 80:00
    figures[kMonthsBeforeYear + 1] = {30 * 60, 0}; // May: nothing near a limit
    const AgreementYear year = BuildAgreementYear({2024, 4}, figures, settings.Limits);
    const PrintList list = LimitPrintList(year, settings);
    EXPECT_EQ(list.muki, 1);
    EXPECT_EQ(list.period, S("協定年度 2024年4月～2025年3月"));
    ASSERT_EQ(list.tables.size(), 2U);
    const PrintTable& months = list.tables[0];
    ASSERT_EQ(months.rows.size(), 12U);
    EXPECT_EQ(months.columns.back().header, S("水準"));
    EXPECT_EQ(months.rows[0].cells[0], "2024/04");
    EXPECT_EQ(months.rows[0].cells[1], "73:00");
    EXPECT_EQ(months.rows[0].cells.back(), S("90%以上 (特別条項の月上限)"));
    EXPECT_EQ(months.rows[1].cells.back(), "");
    EXPECT_EQ(months.rows[11].cells[6], "103:00"); // 時間外累計

    const PrintTable& limits = list.tables[1];
    std::vector<std::string> headers;
    for (const PrintColumn& column : limits.columns)
        headers.push_back(column.header);
    EXPECT_EQ(headers, (std::vector<std::string>{S("月の上限"), S("特別条項の月上限"), S("特別条項の年上限"),
                                                 S("特別条項の回数"), S("月100時間未満"), S("2〜6か月平均80時間")}));
    EXPECT_EQ(limits.rows.at(0).cells,
              (std::vector<std::string>{"45:00", "80:00", "720:00", S("3回"), "99:59", "80:00"}));

    const PrintDocument document = LayOutPrint(list, settings, PrintPaper{}, "");
    EXPECT_TRUE(document.landscape);
    ASSERT_EQ(document.pages.size(), 1U);
    EXPECT_NE(FindText(document.pages[0], "2025/03"), nullptr);
    EXPECT_NE(FindText(document.pages[0], "720:00"), nullptr);
}

// 500 entries at 50 a page (51 rows of 4.76 mm under the head) fill ten pages; the balances take the eleventh.
TEST(PrintLists, LedgerOfFiveHundredEntriesContinuesOverPagesWithItsHeader) {
    Ledger ledger;
    for (int r = 1; r <= kLedgerRowCount; ++r) {
        const int day = r - 1;
        ledger.Row(r)[LedgerColumn::Date] = PadNumber(2000 + day / 300, 4, "0") + "/" +
                                            PadNumber(1 + day % 300 / 28, 2, "0") + "/" +
                                            PadNumber(1 + day % 28, 2, "0");
        ledger.Row(r)[LedgerColumn::Category] = S("有給");
        ledger.Row(r)[LedgerColumn::Days] = " -1.0";
        ledger.Row(r)[LedgerColumn::Memo] = S("通院のため午前中は病院へ行きました");
    }
    ledger.SetCarryOverText("520.0");
    ledger.RecalculateLedger(false);
    ASSERT_EQ(ledger.EntryCount(), 500);

    Settings settings;
    const PrintList list = LedgerPrintList(ledger, settings);
    EXPECT_EQ(list.period, S("2000/01/01～2001/08/24"));
    const PrintDocument document = LayOutPrint(list, settings, PrintPaper{}, "");
    ASSERT_EQ(document.pages.size(), 11U);
    for (std::size_t p = 0; p < 10; ++p) {
        EXPECT_EQ(CountTexts(document.pages[p], "No."), 1) << p;
        EXPECT_NE(FindText(document.pages[p], std::to_string(p * 50 + 1)), nullptr) << p;
        EXPECT_NE(FindText(document.pages[p], std::to_string(p * 50 + 50)), nullptr) << p;
    }
    EXPECT_EQ(CountTexts(document.pages[0], S("通院のため午前中は病")), 50); // cut to 10 characters
    const PrintPage& last = document.pages[10];
    EXPECT_NE(FindText(last, S("繰越残日数")), nullptr);
    EXPECT_NE(FindText(last, S("現在残日数")), nullptr);
    EXPECT_NE(FindText(last, "520.0"), nullptr);
    EXPECT_NE(FindText(last, "20.0"), nullptr);
}

} // namespace
} // namespace mitoran
