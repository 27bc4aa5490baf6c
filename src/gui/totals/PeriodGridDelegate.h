// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace mitoran {

class PeriodTableModel;

// Draws the period grid's cells with the black lines that part the years, the months from the summaries and
// the day counts from the times.
class PeriodGridDelegate : public QStyledItemDelegate {
public:
    PeriodGridDelegate(const PeriodTableModel& model, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const PeriodTableModel& m_model;
};

} // namespace mitoran
