// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/totals/PeriodGridDelegate.h"

#include "gui/totals/PeriodTableModel.h"

#include <QPainter>

namespace mitoran {

PeriodGridDelegate::PeriodGridDelegate(const PeriodTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model) {}

void PeriodGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(Qt::black);
    const QRect cell = option.rect;
    // The grid's row 0 is the header: the table's row r is grid row r + 1.
    if (LineUnderGridRow(index.row() + 1, m_model.Table().MonthCount()))
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    if (LineRightOfColumn(index.column()))
        painter->drawLine(cell.topRight(), cell.bottomRight());
    painter->restore();
}

} // namespace mitoran
