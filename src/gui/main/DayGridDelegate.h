// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace mitoran {

class DayGridView;
struct Settings;

// Paints the day cells as the grid's drawing rules say (background slots, fixed cells, selection, week
// separator) and edits them with a plain line editor that writes every change straight into the month.
class DayGridDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    DayGridDelegate(DayGridView& view, const Settings& settings);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    DayGridView& m_view;
    const Settings& m_settings;
};

} // namespace mitoran
