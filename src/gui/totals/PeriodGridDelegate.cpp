// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/totals/PeriodGridDelegate.h"

#include "gui/common/Accessibility.h"
#include "gui/totals/PeriodTableModel.h"

#include <QPainter>
#include <QStyle>

namespace mitoran {

PeriodGridDelegate::PeriodGridDelegate(const PeriodTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model) {}

void PeriodGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    painter->save();
    const QRect cell = option.rect;
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->fillRect(cell, option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
    const QVariant foreground = index.data(Qt::ForegroundRole);
    painter->setPen(selected               ? option.palette.color(QPalette::HighlightedText)
                    : foreground.isValid() ? foreground.value<QColor>()
                                           : option.palette.color(QPalette::Text));
    // The texts carry their own alignment in blanks: drawn 2 pixels in from the corner, never cut short.
    painter->drawText(cell.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                      index.data(Qt::DisplayRole).toString());
    if (CellHasKeyboardFocus(option, index))
        DrawFocusFrame(*painter, cell, option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
    painter->setPen(Qt::black);
    // The grid's row 0 is the header: the table's row r is grid row r + 1.
    if (LineUnderGridRow(index.row() + 1, m_model.Table().MonthCount()))
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    if (LineRightOfColumn(index.column()))
        painter->drawLine(cell.topRight(), cell.bottomRight());
    painter->restore();
}

} // namespace mitoran
