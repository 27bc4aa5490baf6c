// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>
#include <QSize>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <span>

class QAction;
class QColorDialog;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QMenu;
class QPushButton;
class QFont;
class QPoint;
class QTableView;
class QWidget;

// Small helpers that several windows share: named buttons and button rows, grids sized in characters,
// right-click selection, the colour picker for a cell colour, the platform release and the desktop size.
namespace mitoran {

// A push button with its object name, by which the tests and the keyboard rules find it.
QPushButton* NamedButton(const QString& name, const QString& caption, QWidget* parent);
// A menu item with its object name.
QAction* NamedItem(QMenu* menu, const QString& name, const QString& caption);
// A combo box with its object name and items.
QComboBox* NamedComboBox(const QString& name, const QStringList& items, QWidget* parent);
// A one-line box with its object name that shows its text as "*".
QLineEdit* PasswordBox(const QString& name, QWidget* parent);
// A dialog's row of buttons, at its right edge in the given order.
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);

// Pixel width of a grid column `characters` half-width characters wide, plus 4 for the cell margins. A
// character is as wide as the widest blank, digit or sign in the font, or half a full-width character if that
// is wider; the column is never narrower than its heading. In a fixed-pitch font it is `characters` blanks; in
// a proportional one nothing the grids hold is cut.
int GridColumnWidth(const QFont& font, int characters, const QString& heading = {});
// Height of one row in the font: the font height plus 2.
int GridRowHeight(const QFont& font);

// Sets the column widths (GridColumnWidth with the model's headings) and the row height from the grid's font
// and returns the outer size that shows
// `visibleRows` rows (the header row included) and every column, with the vertical scroll bar.
QSize FitGridColumns(QTableView& grid, std::span<const int> widths, int visibleRows);
// The outer size FitGridColumns would give, without changing the grid.
QSize GridSizeFor(const QTableView& grid, std::span<const int> widths, int visibleRows);
// Sets the column widths again and gives the last column whatever width the grid has left over.
void FillGridWidth(QTableView& grid, std::span<const int> widths);

// A right-button press outside the current selection makes the cell under the pointer the selection.
void SelectCellOnRightClick(QTableView& grid, Qt::MouseButton button, const QPoint& viewportPosition);

// With choose, opens the dialog on the colour and stores the chosen one on OK (0 is the default colour);
// without, resets the colour to 0. Either way the grid is repainted. True when the colour changed.
bool PickCellColor(bool choose, std::int32_t& color, QColorDialog& dialog, QWidget& grid);

// "31", "95", "98", "NT", "2000", "XP", or empty on platforms that are not Windows.
QString OsReleaseLabel();
// Size of the whole virtual desktop where several monitors are supported, else of the primary screen.
int ScreenPixelWidth();
int ScreenPixelHeight();

// Colours as the settings and files hold them (0x00BBGGRR; bit 31 for a system colour).
QColor ToQColor(std::int32_t colorRef, const QPalette& palette);
std::int32_t ToColorRef(const QColor& color);

} // namespace mitoran
