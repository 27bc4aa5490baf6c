// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/PrintPainter.h"

#include "gui/common/ProgramFont.h"
#include "platform/Cp932Qt.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double kRuleWidthMm = 0.2;
const QColor kShadeColor(208, 208, 208);
const QColor kGreyColor(232, 232, 232);

Qt::Alignment AlignmentOf(PrintAlign align) {
    switch (align) {
    case PrintAlign::Center:
        return Qt::AlignHCenter;
    case PrintAlign::Right:
        return Qt::AlignRight;
    case PrintAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Millimetres of the sheet to device pixels.
class SheetScale {
public:
    SheetScale(const PrintDocument& document, const QPagedPaintDevice& device)
        : m_x(device.width() / document.widthMm), m_y(device.height() / document.heightMm) {}
    QRectF Map(const PrintRect& rect) const {
        return {rect.x * m_x, rect.y * m_y, rect.width * m_x, rect.height * m_y};
    }
    double RuleWidth() const { return kRuleWidthMm * m_x; }

private:
    double m_x;
    double m_y;
};

void PaintCells(const PrintPage& page, const SheetScale& scale, QPainter& painter) {
    painter.setPen(QPen(Qt::black, scale.RuleWidth()));
    for (const PrintCell& cell : page.cells) {
        painter.setBrush(cell.fill == CellFill::Shade  ? QBrush(kShadeColor)
                         : cell.fill == CellFill::Grey ? QBrush(kGreyColor)
                                                       : QBrush(Qt::NoBrush));
        painter.drawRect(scale.Map(cell.rect));
    }
}

void PaintTexts(const PrintPage& page, const std::array<QFont, 6>& fonts, const SheetScale& scale, QPainter& painter) {
    for (const PrintText& text : page.texts) {
        painter.setFont(fonts[static_cast<std::size_t>(text.font)]);
        painter.drawText(scale.Map(text.rect), AlignmentOf(text.align) | Qt::AlignVCenter | Qt::TextSingleLine,
                         ToQString(text.text));
    }
}

} // namespace

QFont PrintFontOf(const PrintFont& font) {
    QFont printFont;
    printFont.setFamilies({ToQString(font.name), ProgramFont().family()});
    printFont.setPointSizeF(std::max(font.size, 1));
    return printFont;
}

void PaintDocument(const PrintDocument& document, QPagedPaintDevice& device) {
    std::array<QFont, 6> fonts;
    for (std::size_t i = 0; i < fonts.size(); ++i)
        fonts[i] = QFont(PrintFontOf(document.fonts[i]), &device);
    const SheetScale scale(document, device);
    QPainter painter(&device);
    for (std::size_t i = 0; i < document.pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        PaintCells(document.pages[i], scale, painter);
        PaintTexts(document.pages[i], fonts, scale, painter);
    }
}

std::string PdfBytes(const PrintDocument& document) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(ToQString(document.title));
        writer.setCreator(u"ミトラン"_s);
        const QSizeF portrait(std::min(document.widthMm, document.heightMm),
                              std::max(document.widthMm, document.heightMm));
        writer.setPageLayout(QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
                                         document.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF()));
        PaintDocument(document, writer);
    }
    return bytes.toStdString();
}

} // namespace mitoran
