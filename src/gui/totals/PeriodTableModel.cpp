// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/totals/PeriodTableModel.h"

#include "engine/session/AccessibleTexts.h"
#include "gui/common/Accessibility.h"
#include "platform/Cp932Qt.h"

#include <QColor>

namespace mitoran {

void PeriodTableModel::SetTable(PeriodTable table) {
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

int PeriodTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_table.rows.size());
}

int PeriodTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kPeriodColumns;
}

QVariant PeriodTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return ToQString(m_table.rows[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())]);
    if (role == Qt::ForegroundRole && index.column() > 0 && index.row() < m_table.MonthCount()) {
        switch (CellColorOf(m_table, index.row(), index.column())) {
        case PeriodCellColor::AboveAverage:
            return AlertTextColor();
        case PeriodCellColor::NotCounted:
            return NoticeTextColor();
        case PeriodCellColor::Normal:
            break;
        }
    }
    if (role == Qt::AccessibleTextRole)
        return ToQString(PeriodCellName(LabelOf(index.row()), index.column()));
    if (role == Qt::AccessibleDescriptionRole && index.column() > 0 && index.row() < m_table.MonthCount())
        return ToQString(PeriodCellDescription(CellColorOf(m_table, index.row(), index.column())));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant PeriodTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // Each row is headed by its month or summary label for screen readers.
    if (orientation == Qt::Vertical && role == Qt::DisplayRole && section >= 0 && section < rowCount())
        return ToQString(PeriodRowName(LabelOf(section)));
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return ToQString(PeriodColumnHeaders()[static_cast<std::size_t>(section)]);
}

const std::string& PeriodTableModel::LabelOf(int row) const {
    return m_table.rows[static_cast<std::size_t>(row)][0];
}

} // namespace mitoran
