// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/print/PrintLayout.h"

#include "engine/calendar/Clock.h"
#include "engine/settings/Settings.h"
#include "engine/text/Cp932.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <numeric>

namespace mitoran {

namespace {

struct Margins {
    double top = 0;
    double bottom = 0;
    double left = 0;
    double right = 0;
};

double MarginMm(const std::string& text, double fallback) {
    return std::max(0.0, TextToReal(text, 1, fallback));
}

Margins MarginsOf(const Settings& settings) {
    return {MarginMm(settings.PageTopMargin, 20.0), MarginMm(settings.PageBottomMargin, 20.0),
            MarginMm(settings.PageLeftMargin, 25.0), MarginMm(settings.PageRightMargin, 15.0)};
}

PrintAlign AlignOf(int position) {
    return static_cast<PrintAlign>(std::clamp(position, 0, 2));
}

// One text of a header or footer band.
struct BandItem {
    std::string text;
    PrintFontRole font;
    PrintAlign align;
    int points;
};

// Items share a line unless they ask for the same position; each line is as high as its largest font.
struct BandLine {
    std::vector<BandItem> items;
    double height = 0;
};

std::vector<BandLine> BandLines(const std::vector<BandItem>& items) {
    std::vector<BandLine> lines;
    for (const BandItem& item : items) {
        auto free = std::ranges::find_if(lines, [&item](const BandLine& line) {
            return std::ranges::none_of(line.items,
                                        [&item](const BandItem& other) { return other.align == item.align; });
        });
        if (free == lines.end())
            free = lines.insert(lines.end(), BandLine{});
        free->items.push_back(item);
        free->height = std::max(free->height, LineHeightMm(item.points));
    }
    return lines;
}

double BandHeight(const std::vector<BandLine>& lines) {
    return std::accumulate(lines.begin(), lines.end(), 0.0,
                           [](double sum, const BandLine& line) { return sum + line.height; });
}

void PlaceBand(const std::vector<BandLine>& lines, double left, double width, double top, PrintPage& page) {
    for (const BandLine& line : lines) {
        for (const BandItem& item : line.items)
            page.texts.push_back({{left, top, width, line.height}, item.text, item.font, item.align});
        top += line.height;
    }
}

// Columns take their characters' width; a filling column takes what is left of the line, and a table wider
// than the line shrinks to it.
std::vector<double> ColumnWidths(const std::vector<PrintColumn>& columns, double charWidth, double available) {
    std::vector<double> widths;
    for (const PrintColumn& column : columns)
        widths.push_back((column.chars + 1) * charWidth);
    const double used = std::accumulate(widths.begin(), widths.end(), 0.0);
    const auto fill = std::ranges::find_if(columns, &PrintColumn::fill);
    if (used > available) {
        for (double& width : widths)
            width *= available / used;
    } else if (fill != columns.end()) {
        widths[static_cast<std::size_t>(fill - columns.begin())] += available - used;
    }
    return widths;
}

// Places the tables row by row between the body's top and bottom, opening a page when a row does not fit; a
// page always takes at least one row, so margins that leave no room still end.
class TableFlow {
public:
    TableFlow(double left, double width, double top, double bottom, const Settings& settings)
        : m_left(left), m_width(width), m_top(top), m_bottom(bottom), m_rowHeight(LineHeightMm(settings.ListFontSize)),
          m_charWidth(settings.ListFontSize * kMmPerPoint / 2), m_shadeHeader(settings.PrintForm == 0) {
        NewPage();
    }

    void Place(const PrintTable& table) {
        const std::vector<double> widths = ColumnWidths(table.columns, m_charWidth, m_width);
        const std::size_t startRows =
            table.keepTogether ? table.rows.size() : std::min<std::size_t>(table.rows.size(), 1);
        if (!Fits(1 + startRows) && m_y > m_top)
            NewPage();
        PlaceHeader(table, widths);
        for (const PrintRow& row : table.rows) {
            if (!Fits(1) && m_rowsOnPage > 0) {
                NewPage();
                PlaceHeader(table, widths);
            }
            PlaceRow(row.cells, row.fill, table.columns, widths, false);
        }
        m_y += m_rowHeight; // a blank line before the next table
    }

    std::vector<PrintPage> TakePages() { return std::move(m_pages); }

private:
    bool Fits(std::size_t rows) const { return m_y + static_cast<double>(rows) * m_rowHeight <= m_bottom + 1e-9; }

    void NewPage() {
        m_pages.emplace_back();
        m_y = m_top;
        m_rowsOnPage = 0;
    }

    void PlaceHeader(const PrintTable& table, const std::vector<double>& widths) {
        std::vector<std::string> headers;
        for (const PrintColumn& column : table.columns)
            headers.push_back(column.header);
        PlaceRow(headers, m_shadeHeader ? CellFill::Shade : CellFill::None, table.columns, widths, true);
        m_rowsOnPage = 0;
    }

    void PlaceRow(const std::vector<std::string>& cells, CellFill fill, const std::vector<PrintColumn>& columns,
                  const std::vector<double>& widths, bool header) {
        PrintPage& page = m_pages.back();
        double x = m_left;
        const double inset = m_charWidth / 2;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            page.cells.push_back({{x, m_y, widths[c], m_rowHeight}, fill});
            const std::string& text = c < cells.size() ? cells[c] : std::string();
            if (!text.empty())
                page.texts.push_back({{x + inset, m_y, std::max(0.0, widths[c] - 2 * inset), m_rowHeight},
                                      text,
                                      PrintFontRole::List,
                                      header ? PrintAlign::Center : columns[c].align});
            x += widths[c];
        }
        m_y += m_rowHeight;
        ++m_rowsOnPage;
    }

    double m_left;
    double m_width;
    double m_top;
    double m_bottom;
    double m_rowHeight;
    double m_charWidth;
    bool m_shadeHeader;
    double m_y = 0;
    int m_rowsOnPage = 0;
    std::vector<PrintPage> m_pages;
};

std::vector<BandItem> HeadItems(const PrintList& list, const Settings& settings) {
    std::vector<BandItem> items;
    if (settings.PrintName && !TrimText(settings.NameTitle).empty())
        items.push_back(
            {settings.NameTitle, PrintFontRole::Name, AlignOf(settings.NamePosition), settings.NameFontSize});
    if (!list.period.empty())
        items.push_back({list.period, PrintFontRole::Month, AlignOf(settings.MonthPosition), settings.MonthFontSize});
    return items;
}

// The foot's items; its height does not depend on the page number, so it is known before the pages are.
std::vector<BandItem> FootItems(const Settings& settings, std::string_view printDate, std::string pageText) {
    std::vector<BandItem> items;
    if (settings.PrintPage)
        items.push_back(
            {std::move(pageText), PrintFontRole::Page, AlignOf(settings.PagePosition), settings.PageFontSize});
    if (settings.PrintDate)
        items.push_back(
            {std::string(printDate), PrintFontRole::Date, AlignOf(settings.DatePosition), settings.DateFontSize});
    return items;
}

} // namespace

double LineHeightMm(int points) {
    return std::max(points, 1) * kMmPerPoint * kLineSpacing;
}

PrintDocument LayOutPrint(const PrintList& list, const Settings& settings, const PrintPaper& paper,
                          std::string_view printDate) {
    PrintDocument document;
    document.landscape = list.muki == 1;
    document.widthMm = document.landscape ? paper.heightMm : paper.widthMm;
    document.heightMm = document.landscape ? paper.widthMm : paper.heightMm;
    document.title = list.title;
    document.fonts = PrintFontsOf(settings);

    const Margins margins = MarginsOf(settings);
    const double left = margins.left;
    const double width = std::max(0.0, document.widthMm - margins.left - margins.right);
    const double titleHeight = LineHeightMm(settings.TitleFontSize);
    const std::vector<BandLine> head = BandLines(HeadItems(list, settings));
    const std::vector<BandLine> foot = BandLines(FootItems(settings, printDate, ""));
    const double bodyTop = margins.top + titleHeight + BandHeight(head) + LineHeightMm(settings.ListFontSize) / 2;
    const double footTop = document.heightMm - margins.bottom - BandHeight(foot);

    TableFlow flow(left, width, bodyTop, footTop, settings);
    for (const PrintTable& table : list.tables)
        flow.Place(table);
    document.pages = flow.TakePages();

    const int pageCount = static_cast<int>(document.pages.size());
    for (int i = 0; i < pageCount; ++i) {
        PrintPage& page = document.pages[static_cast<std::size_t>(i)];
        page.texts.push_back({{left, margins.top, width, titleHeight},
                              list.title,
                              PrintFontRole::Title,
                              AlignOf(settings.TitlePosition)});
        PlaceBand(head, left, width, margins.top + titleHeight, page);
        PlaceBand(BandLines(FootItems(settings, printDate, PageNumberText(i + 1, pageCount))), left, width, footTop,
                  page);
    }
    return document;
}

std::string CutToCharacters(std::string_view text, int count) {
    std::size_t end = 0;
    for (int taken = 0; taken < count && end < text.size(); ++taken)
        end += IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
    return std::string(text.substr(0, end));
}

std::string PrintDateText(const Clock& clock) {
    const LocalDateTime now = clock.Now();
    return PadNumber(now.year, 4, "0") + "/" + PadNumber(now.month, 2, "0") + "/" + PadNumber(now.day, 2, "0");
}

std::string PageNumberText(int page, int pageCount) {
    return std::to_string(page) + " / " + std::to_string(pageCount);
}

std::string PdfFileName(std::string_view csvName) {
    std::string name(csvName);
    if (name.ends_with(".csv"))
        name.erase(name.size() - 4);
    return name + ".pdf";
}

} // namespace mitoran
