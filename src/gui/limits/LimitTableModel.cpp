// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/limits/LimitTableModel.h"

#include "engine/limits/LimitTable.h"
#include "engine/session/AccessibleTexts.h"
#include "gui/common/WindowUtil.h"
#include "platform/Cp932Qt.h"

#include <QApplication>
#include <QColor>

namespace mitoran {

void LimitTableModel::SetYear(const AgreementYear& year) {
    beginResetModel();
    m_year = year;
    endResetModel();
}

int LimitTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kAgreementMonths;
}

int LimitTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kLimitColumnCount;
}

QVariant LimitTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const LimitMonth& month = m_year.months[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<LimitColumn>(index.column());
    const std::optional<std::int32_t> color = LimitLevelColor(LimitCellLevel(month, column));
    switch (role) {
    case Qt::DisplayRole:
        return ToQString(LimitCellText(month, column));
    case Qt::BackgroundRole:
        return color ? QVariant(ToQColor(*color, QApplication::palette())) : QVariant();
    case Qt::ForegroundRole:
        return color ? QVariant(QColor(Qt::black)) : QVariant();
    case Qt::AccessibleTextRole:
        return ToQString(LimitCellName(month, index.column()));
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return Hint(month, index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue((column == LimitColumn::Month ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    default:
        return {};
    }
}

// The level's words, and for the average the five averages.
QString LimitTableModel::Hint(const LimitMonth& month, int column) const {
    const auto limitColumn = static_cast<LimitColumn>(column);
    QString hint = ToQString(LimitLevelName(LimitCellLevel(month, limitColumn)));
    if (limitColumn == LimitColumn::Average) {
        if (!hint.isEmpty())
            hint += u'\n';
        hint += ToQString(AverageHint(month));
    }
    return hint;
}

QVariant LimitTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // Each row is headed by its month for screen readers.
    if (orientation == Qt::Vertical && role == Qt::DisplayRole && section >= 0 && section < rowCount())
        return ToQString(LimitRowName(m_year.months[static_cast<std::size_t>(section)]));
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return ToQString(LimitColumnHeaders()[static_cast<std::size_t>(section)]);
}

} // namespace mitoran
