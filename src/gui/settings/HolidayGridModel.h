// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/settings/HolidayList.h"

#include <QAbstractTableModel>

namespace mitoran {

// The company holiday calendar of the settings dialog over its working copy of the list: date, mark and memo of
// the 366 days of a leap year. Rows whose mark is set are drawn in red; marks and memos are typed as they are
// and normalised when the list is saved.
class HolidayGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit HolidayGridModel(QObject* parent);

    HolidayList& List() { return m_list; }
    // Shows the list anew after it was replaced.
    void Reset();
    void ToggleMark(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    HolidayList m_list;
};

} // namespace mitoran
