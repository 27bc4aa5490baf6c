// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/WindowUtil.h"

#include "engine/session/WindowPlacement.h"
#include "engine/settings/ColorRef.h"

#include <QBoxLayout>
#include <QColorDialog>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QOperatingSystemVersion>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace mitoran {

namespace {

int GridLineWidth(const QTableView& grid) {
    return grid.showGrid() ? 1 : 0;
}

int VerticalScrollBarWidth(const QTableView& grid) {
    if (grid.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff)
        return 0;
    return grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid);
}

QRect DesktopGeometry() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr)
        return {};
    const bool isWindows = QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows;
    return UsesVirtualDesktop(OsReleaseLabel().toStdString(), isWindows) ? primary->virtualGeometry()
                                                                         : primary->geometry();
}

} // namespace

QAction* NamedItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QPushButton* NamedButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QComboBox* NamedComboBox(const QString& name, const QStringList& items, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    return box;
}

QLineEdit* PasswordBox(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*"
    return box;
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    return row;
}

int GridColumnWidth(const QFont& font, int characters, const QString& heading) {
    const QFontMetricsF metrics(font);
    // The widest of what the grids hold: blanks, digits and signs, or full-width characters counted twice.
    qreal character = metrics.horizontalAdvance(QChar(0x51FA)) / 2; // 出
    for (const QChar symbol : QStringLiteral(" 0123456789:/.,-+*"))
        character = std::max(character, metrics.horizontalAdvance(symbol));
    const qreal widest = std::max(characters * character, metrics.horizontalAdvance(heading.trimmed()));
    return static_cast<int>(std::ceil(widest)) + 4;
}

int GridRowHeight(const QFont& font) {
    return QFontMetrics(font).height() + 2;
}

namespace {

// The width of each column in the grid's font, its heading in the model included.
std::vector<int> ColumnWidthsOf(const QTableView& grid, std::span<const int> widths) {
    std::vector<int> pixels;
    for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
        const QString heading =
            grid.model() != nullptr ? grid.model()->headerData(column, Qt::Horizontal).toString() : QString();
        pixels.push_back(GridColumnWidth(grid.font(), widths[column], heading) + GridLineWidth(grid));
    }
    return pixels;
}

} // namespace

QSize GridSizeFor(const QTableView& grid, std::span<const int> widths, int visibleRows) {
    const int line = GridLineWidth(grid);
    const std::vector<int> pixels = ColumnWidthsOf(grid, widths);
    const int columns = std::accumulate(pixels.begin(), pixels.end(), 0);
    const int frame = 2 * grid.frameWidth();
    return {frame + VerticalScrollBarWidth(grid) + columns, frame + visibleRows * (GridRowHeight(grid.font()) + line)};
}

QSize FitGridColumns(QTableView& grid, std::span<const int> widths, int visibleRows) {
    const int line = GridLineWidth(grid);
    const int rowHeight = GridRowHeight(grid.font()) + line;
    grid.verticalHeader()->setMinimumSectionSize(1);
    grid.verticalHeader()->setDefaultSectionSize(rowHeight);
    grid.horizontalHeader()->setFixedHeight(rowHeight);
    const std::vector<int> pixels = ColumnWidthsOf(grid, widths);
    for (int column = 0; column < static_cast<int>(pixels.size()); ++column)
        grid.horizontalHeader()->resizeSection(column, pixels[column]);
    const QSize size = GridSizeFor(grid, widths, visibleRows);
    grid.resize(size);
    return size;
}

void FillGridWidth(QTableView& grid, std::span<const int> widths) {
    if (widths.empty())
        return;
    const std::vector<int> pixels = ColumnWidthsOf(grid, widths);
    for (int column = 0; column < static_cast<int>(pixels.size()); ++column)
        grid.horizontalHeader()->resizeSection(column, pixels[column]);
    const int used = std::accumulate(pixels.begin(), pixels.end(), 0);
    const int available = grid.viewport()->width();
    if (used < available) {
        const int last = static_cast<int>(widths.size()) - 1;
        grid.horizontalHeader()->resizeSection(last, pixels.back() + available - used);
    }
}

void SelectCellOnRightClick(QTableView& grid, Qt::MouseButton button, const QPoint& viewportPosition) {
    if (button != Qt::RightButton)
        return;
    const QModelIndex index = grid.indexAt(viewportPosition);
    if (!index.isValid() || grid.selectionModel() == nullptr || grid.selectionModel()->isSelected(index))
        return;
    if (grid.selectionBehavior() == QAbstractItemView::SelectRows)
        grid.selectRow(index.row());
    else
        grid.selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

bool PickCellColor(bool choose, std::int32_t& color, QColorDialog& dialog, QWidget& grid) {
    const std::int32_t before = color;
    if (!choose) {
        color = 0;
    } else {
        dialog.setCurrentColor(ToQColor(color, grid.palette()));
        if (dialog.exec() == QDialog::Accepted)
            color = ToColorRef(dialog.currentColor());
    }
    grid.update();
    return color != before;
}

QString OsReleaseLabel() {
    const QOperatingSystemVersion version = QOperatingSystemVersion::current();
    if (version.type() != QOperatingSystemVersion::Windows)
        return {};
    return QString::fromStdString(
        OsReleaseLabelOf(PlatformKind::WindowsNT, version.majorVersion(), std::max(0, version.minorVersion())));
}

int ScreenPixelWidth() {
    return DesktopGeometry().width();
}

int ScreenPixelHeight() {
    return DesktopGeometry().height();
}

QColor ToQColor(std::int32_t colorRef, const QPalette& palette) {
    if (colorRef < 0) {
        // System colours by their index: 5 window, 8 window text, 13 highlight, 14 highlight text, 15 face.
        switch (colorRef & 0xFF) {
        case 8:
            return palette.color(QPalette::Text);
        case 13:
            return palette.color(QPalette::Highlight);
        case 14:
            return palette.color(QPalette::HighlightedText);
        case 15:
            return palette.color(QPalette::Button);
        default:
            return palette.color(QPalette::Base);
        }
    }
    return QColor(RedOf(colorRef), GreenOf(colorRef), BlueOf(colorRef));
}

std::int32_t ToColorRef(const QColor& color) {
    return RgbColor(color.red(), color.green(), color.blue());
}

} // namespace mitoran
