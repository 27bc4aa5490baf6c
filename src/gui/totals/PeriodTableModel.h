// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/totals/PeriodTotals.h"

#include <QAbstractTableModel>

namespace mitoran {

// The period totals table as the grid shows it: the months, then the total, average, maximum and minimum rows;
// month cells red above the average and blue in months the average leaves out.
class PeriodTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetTable(PeriodTable table);
    const PeriodTable& Table() const { return m_table; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const std::string& LabelOf(int row) const;

    PeriodTable m_table;
};

} // namespace mitoran
