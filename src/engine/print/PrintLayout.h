// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/settings/SettingControls.h"

#include <string>
#include <string_view>
#include <vector>

// The printed page of a list, laid out by the print settings: the title, affiliation and name and the list's
// period at the top, the tables in the middle (continued on following pages with their header row repeated),
// the page number and the print date at the foot. Everything is placed in millimetres from the top-left
// corner of the sheet; a painter only draws what it is given.
namespace mitoran {

class Clock;
struct Settings;

// The six print fonts in the order of PrintFonts ("Title", "Name", "Month", "List", "Page", "Date").
enum class PrintFontRole { Title, Name, Month, List, Page, Date };
// "TitlePosition" … "DatePosition": 0 left, 1 centre, 2 right.
enum class PrintAlign { Left = 0, Center = 1, Right = 2 };
// Header and summary rows are shaded with "PrintForm" 0; days off are grey with "PrintGary".
enum class CellFill { None, Shade, Grey };

struct PrintRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    bool operator==(const PrintRect&) const = default;
};

struct PrintText {
    PrintRect rect;
    std::string text; // CP932
    PrintFontRole font = PrintFontRole::List;
    PrintAlign align = PrintAlign::Left;
};

// A ruled cell of a table.
struct PrintCell {
    PrintRect rect;
    CellFill fill = CellFill::None;
};

struct PrintPage {
    std::vector<PrintCell> cells;
    std::vector<PrintText> texts;
};

struct PrintDocument {
    double widthMm = 0;
    double heightMm = 0;
    bool landscape = false;
    std::string title; // CP932, also the PDF's title
    PrintFonts fonts;
    std::vector<PrintPage> pages;
};

// A list to print: its tables one after another, each a header row and rows of cell texts.
struct PrintColumn {
    std::string header;
    int chars = 0; // width in half-width characters
    PrintAlign align = PrintAlign::Left;
    bool fill = false; // takes the width the other columns leave
};

struct PrintRow {
    std::vector<std::string> cells;
    CellFill fill = CellFill::None;
};

struct PrintTable {
    std::vector<PrintColumn> columns;
    std::vector<PrintRow> rows;
    bool keepTogether = false; // starts a new page rather than split
};

struct PrintList {
    std::string title;  // "ZangyoTitle", "YearTitle" or "YukyuTitle"
    std::string period; // the list's month, range or span
    int muki = 0;       // 0 portrait, 1 landscape
    std::vector<PrintTable> tables;
};

// The sheet the list is printed on, in portrait; A4 unless a printer says otherwise.
struct PrintPaper {
    double widthMm = 210;
    double heightMm = 297;
};

inline constexpr double kMmPerPoint = 25.4 / 72.0;
// A line of text is this many times its font's size high; a table row takes the list font's line.
inline constexpr double kLineSpacing = 1.5;

// The height of one line of a font of `points` in millimetres.
double LineHeightMm(int points);

// The list laid out on pages of the paper (turned by the list's "muki"); printDate is the date text the foot
// shows when "PrintDate" is on.
PrintDocument LayOutPrint(const PrintList& list, const Settings& settings, const PrintPaper& paper,
                          std::string_view printDate);

// At most `count` characters of a CP932 text, a double-byte character counting as one.
std::string CutToCharacters(std::string_view text, int count);

// Today as the foot shows the print date: "2026/12/08".
std::string PrintDateText(const Clock& clock);

// "n / N".
std::string PageNumberText(int page, int pageCount);

// The CSV export's proposed name with ".pdf" in place of ".csv".
std::string PdfFileName(std::string_view csvName);

} // namespace mitoran
