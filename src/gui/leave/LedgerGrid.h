// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QStyledItemDelegate>

#include <functional>

class QLineEdit;

namespace mitoran {

class Ledger;
struct Settings;

// The ledger's 500 rows as the grid `VacStringGrid` shows them: column 0 the row number, columns 1..6 the
// row's texts, with the text and background colours and the column hints of the window.
class LedgerGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    LedgerGridModel(Ledger& ledger, const Settings& settings, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Every cell shows the ledger again (the open editor too).
    void Refresh();

private:
    QVariant Hint(const QModelIndex& index) const;

    Ledger& m_ledger;
    const Settings& m_settings;
};

// The cell editor of the grid, always open on the current cell, and the leave-year line under the last entry
// before the year's start. Double-clicks and keys in the editor go to the window's handlers first.
class LedgerGridDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    struct Handlers {
        std::function<void()> doubleClick;
        std::function<bool(const QKeyEvent&)> key; // true when the window handled the key
    };
    LedgerGridDelegate(const Ledger& ledger, const Settings& settings, Handlers handlers, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    // Writes back only what was typed since the editor last took or gave its text: an editor left open while
    // the ledger changed (a reload, a deletion) holds another row's old text.
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The editor open on the current cell, or nullptr.
    QLineEdit* OpenEditor() const { return m_editor; }

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

private:
    const Ledger& m_ledger;
    const Settings& m_settings;
    Handlers m_handlers;
    mutable QPointer<QLineEdit> m_editor;
};

} // namespace mitoran
