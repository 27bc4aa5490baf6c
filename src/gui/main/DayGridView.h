// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/main/DayGridColumns.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>

class QKeyEvent;

namespace mitoran {

// The header row of the day grid: the fixed colour, centred texts and the raised edge of fixed cells.
class DayGridHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit DayGridHeader(QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    // The grid sets its sections' widths and the header's height; nothing is measured from the text (Qt would
    // measure it bold, loading a bold face that is never drawn).
    QSize sectionSizeFromContents(int logicalIndex) const override;
};

// The day grid `DayStringGrid`: Tab walks the arrival, leaving and memo cells; the cell editor is always
// open on the current cell; right clicks select the cell under the pointer; hints follow the pointer.
class DayGridView : public QTableView {
    Q_OBJECT

public:
    static constexpr int kArrivalColumn = mitoran::kArrivalColumn;
    static constexpr int kLeavingColumn = mitoran::kLeavingColumn;
    static constexpr int kMemoColumn = mitoran::kMemoColumn;

    explicit DayGridView(QWidget* parent = nullptr);
    ~DayGridView() override;

    // The column and day row (1-based; 0 = none) last pressed or moved to: decides the popup menu.
    int PopupColumn() const { return m_popupColumn; }
    int PopupRow() const { return m_popupRow; }
    // The day (1..31) of the current cell, or 0.
    int CurrentDay() const;
    int CurrentColumn() const;
    // Makes the cell current and opens the cell editor on it.
    void SelectCell(int day, int column);
    // The open cell editor, or nullptr.
    QLineEdit* CurrentEditor() const { return m_editor; }
    void EditorOpened(QLineEdit* editor) { m_editor = editor; }

    // Keys the grid handles itself, from the grid or its cell editor: Esc, and Tab between the tab stops.
    bool HandleGridKey(QKeyEvent* event);
    void CellDoubleClicked(const QModelIndex& index, Qt::KeyboardModifiers modifiers);
    void CommitEditor(QWidget* editor) { commitData(editor); }

signals:
    void EscapePressed();
    void LeaveForward();  // Tab out of the last memo cell, or Ctrl+Tab
    void LeaveBackward(); // Shift+Tab out of the first arrival cell
    void DayDoubleClicked(int day, int column, Qt::KeyboardModifiers modifiers);
    void CellSelected(int day, int column);
    void PopupColumnChanged(int column);
    // Once, after the grid's first paint has reached the screen.
    void FirstPainted();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void MoveToTabStop(int day, int column);
    void RememberPopupCell(int column, int row);

    int m_popupColumn = kArrivalColumn;
    bool m_painted = false;
    int m_popupRow = 0;
    QPersistentModelIndex m_hintIndex;
    QPointer<QLineEdit> m_editor;
};

} // namespace mitoran
