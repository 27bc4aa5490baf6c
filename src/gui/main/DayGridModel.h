// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/main/DayGridColumns.h"

#include <QAbstractTableModel>
#include <QFont>

namespace mitoran {

struct MonthSheet;
struct Settings;

// The month on display as the day grid shows it: one row per day, the nine columns of the day record. The
// colour and font decisions come from the grid's drawing rules; the delegate paints what the roles say.
class DayGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // True on a day whose row is closed by a week separator line.
    static constexpr int kSeparatorRole = Qt::UserRole + 1;
    static constexpr int kColumnCount = kGridColumnCount;
    static constexpr int kFixedColumns = kFixedColumnCount;

    DayGridModel(MonthSheet& sheet, const Settings& settings, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetGridFont(const QFont& font) { m_font = font; }
    // Shows the sheet again after the engine changed it (a new month, a calculation, an entry command).
    void Refresh();

    // The day slot (1..31) of a model row.
    static int DayOf(const QModelIndex& index) { return index.row() + 1; }

private:
    QVariant ToolTip(int day, int column) const;
    QVariant Foreground(int day, int column) const;

    MonthSheet& m_sheet;
    const Settings& m_settings;
    QFont m_font;
    int m_shownRows = 0;
};

} // namespace mitoran
