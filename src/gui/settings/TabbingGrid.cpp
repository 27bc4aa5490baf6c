// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/TabbingGrid.h"

#include <algorithm>

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace mitoran {

namespace {

// Keys typed into the cell editor reach the grid's own key rules first.
class TabbingDelegate final : public QStyledItemDelegate {
public:
    explicit TabbingDelegate(TabbingGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        m_grid.EditorOpened(editor);
        return editor;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && m_grid.HandleGridKey(static_cast<QKeyEvent*>(event)))
            return true;
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TabbingGrid& m_grid;
};

} // namespace

TabbingGrid::TabbingGrid(const QString& name, QWidget* parent) : QTableView(parent) {
    setObjectName(name);
    setItemDelegate(new TabbingDelegate(*this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
}

void TabbingGrid::SetNeighbours(QWidget* next, QWidget* previous) {
    m_next = next;
    m_previous = previous;
}

// A right click on the open editor shows the grid's own popup menu, whose commands act on that editor.
void TabbingGrid::EditorOpened(QWidget* editor) {
    m_editor = editor;
    if (contextMenuPolicy() == Qt::CustomContextMenu)
        editor->setContextMenuPolicy(Qt::NoContextMenu);
}

QLineEdit* TabbingGrid::CurrentCellEditor() {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !(current.flags() & Qt::ItemIsEditable))
        return nullptr;
    if (m_editor == nullptr || !m_editor->isVisible()) {
        edit(current);
        if (auto* editor = qobject_cast<QLineEdit*>(m_editor.data()))
            editor->selectAll();
    }
    return qobject_cast<QLineEdit*>(m_editor.data());
}

void TabbingGrid::CommitOpenEditor() {
    if (m_editor == nullptr || !m_editor->isVisible())
        return;
    QWidget* editor = m_editor;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TabbingGrid::MoveTo(int row, int column) {
    setCurrentIndex(model()->index(row, column));
}

bool TabbingGrid::HandleGridKey(QKeyEvent* event) {
    if (model() == nullptr)
        return false;
    const int row = std::max(currentIndex().row(), 0);
    const int column = std::max(currentIndex().column(), 1);
    const int lastRow = model()->rowCount() - 1;
    const int lastColumn = model()->columnCount() - 1;
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    switch (event->key()) {
    case Qt::Key_Escape:
        emit EscapePressed();
        return true;
    case Qt::Key_Tab:
        if (ctrl || (row == lastRow && column == lastColumn)) {
            if (m_next != nullptr)
                m_next->setFocus(Qt::TabFocusReason);
        } else if (column < lastColumn) {
            MoveTo(row, column + 1);
        } else {
            MoveTo(row + 1, 1);
        }
        return true;
    case Qt::Key_Backtab:
        if (ctrl)
            return false;
        if (row == 0 && column == 1) {
            if (m_previous != nullptr)
                m_previous->setFocus(Qt::BacktabFocusReason);
        } else if (column > 1) {
            MoveTo(row, column - 1);
        } else {
            MoveTo(row - 1, lastColumn);
        }
        return true;
    default:
        return false;
    }
}

void TabbingGrid::keyPressEvent(QKeyEvent* event) {
    if (HandleGridKey(event))
        return;
    QTableView::keyPressEvent(event);
}

// Tab reaches a widget through this, not through its key handler.
bool TabbingGrid::focusNextPrevChild(bool next) {
    QKeyEvent key(QEvent::KeyPress, next ? Qt::Key_Tab : Qt::Key_Backtab, Qt::NoModifier);
    return HandleGridKey(&key) || QTableView::focusNextPrevChild(next);
}

// The row labels never take the cursor; a right click moves it, for the popup menu.
void TabbingGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() == 0) {
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton && index.isValid()) {
        setCurrentIndex(index);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void TabbingGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() == m_toggleColumn) {
        setCurrentIndex(index);
        emit CellToggled(index.row());
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

} // namespace mitoran
