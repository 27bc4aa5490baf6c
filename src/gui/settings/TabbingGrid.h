// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QTableView>

class QLineEdit;

namespace mitoran {

// A grid of the settings dialog whose column 0 labels the rows. Tab and Shift+Tab walk the other cells row by
// row, from the grid or its cell editor; Tab out of the last cell, or Ctrl+Tab anywhere, goes to the next
// control, Shift+Tab out of the first cell to the previous one. Esc is the program's Esc rule.
class TabbingGrid : public QTableView {
    Q_OBJECT

public:
    explicit TabbingGrid(const QString& name, QWidget* parent);

    void SetNeighbours(QWidget* next, QWidget* previous);
    // A double-click in this column is reported by CellToggled instead of opening the cell editor.
    void SetToggleColumn(int column) { m_toggleColumn = column; }
    bool HandleGridKey(QKeyEvent* event);
    // Stores and closes the cell editor when one is open.
    void CommitOpenEditor();
    void EditorOpened(QWidget* editor);
    // The editor of the current cell, opened with its whole text selected when none is open; nullptr when no
    // cell of text is current.
    QLineEdit* CurrentCellEditor();

signals:
    void EscapePressed();
    void CellToggled(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void MoveTo(int row, int column);

    QPointer<QWidget> m_editor;
    QWidget* m_next = nullptr;
    QWidget* m_previous = nullptr;
    int m_toggleColumn = -1;
};

} // namespace mitoran
