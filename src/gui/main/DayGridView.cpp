// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/DayGridView.h"

#include "engine/session/DayGridStyle.h"
#include "gui/common/WindowUtil.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

#include <array>
#include <utility>

namespace mitoran {

namespace {

constexpr std::array kTabStops{DayGridView::kArrivalColumn, DayGridView::kLeavingColumn, DayGridView::kMemoColumn};
constexpr int kHintOffset = 16;
constexpr int kHintMilliseconds = 10000;
// Room above and below a header's text, as the style leaves it.
constexpr int kHeaderMargin = 6;

} // namespace

DayGridHeader::DayGridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
}

void DayGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    painter->fillRect(rect, palette().color(QPalette::Button));
    painter->setPen(palette().color(QPalette::Light));
    painter->drawLine(rect.topLeft(), rect.bottomLeft());
    painter->drawLine(rect.topLeft(), rect.topRight());
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    const QString text = model()->headerData(logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString().trimmed();
    painter->setFont(font());
    painter->setPen(palette().color(QPalette::ButtonText));
    const int textWidth = painter->fontMetrics().horizontalAdvance(text);
    const int left = HeaderTextLeft(rect.left(), rect.width(), textWidth);
    painter->setClipRect(rect);
    painter->drawText(QRect(left, rect.top() + 2, rect.right() - left, rect.height() - 2),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter->restore();
}

QSize DayGridHeader::sectionSizeFromContents(int logicalIndex) const {
    return {sectionSize(logicalIndex), fontMetrics().height() + kHeaderMargin};
}

DayGridView::DayGridView(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("DayStringGrid"));
    setHorizontalHeader(new DayGridHeader(this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::AnyKeyPressed |
                    QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setMouseTracking(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

// Qt deletes the open cell editor after this destructor, and the editor loses its focus then: the delegate, which
// repaints the view on that, must no longer see the editor's events.
DayGridView::~DayGridView() {
    if (m_editor != nullptr)
        m_editor->removeEventFilter(itemDelegate());
}

int DayGridView::CurrentDay() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() + 1 : 0;
}

int DayGridView::CurrentColumn() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.column() : -1;
}

void DayGridView::SelectCell(int day, int column) {
    if (model() == nullptr || day < 1 || day > model()->rowCount())
        return;
    setCurrentIndex(model()->index(day - 1, column));
    RememberPopupCell(column, day);
    if (state() != QAbstractItemView::EditingState)
        edit(currentIndex());
}

void DayGridView::RememberPopupCell(int column, int row) {
    m_popupRow = row;
    if (m_popupColumn == column)
        return;
    m_popupColumn = column;
    emit PopupColumnChanged(column);
}

void DayGridView::MoveToTabStop(int day, int column) {
    SelectCell(day, column);
    scrollTo(currentIndex());
}

bool DayGridView::HandleGridKey(QKeyEvent* event) {
    if (model() == nullptr)
        return false;
    const int day = CurrentDay();
    const int column = CurrentColumn();
    const int lastDay = model()->rowCount();
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    switch (event->key()) {
    case Qt::Key_Escape:
        emit EscapePressed();
        return true;
    case Qt::Key_Tab:
        if (ctrl || (column == kMemoColumn && day == lastDay) || day == 0) {
            emit LeaveForward();
            return true;
        }
        for (const int stop : kTabStops) {
            if (stop > column) {
                MoveToTabStop(day, stop);
                return true;
            }
        }
        MoveToTabStop(day + 1, kArrivalColumn);
        return true;
    case Qt::Key_Backtab:
        if (ctrl)
            return false;
        if (column == kMemoColumn) {
            MoveToTabStop(day, kLeavingColumn);
            return true;
        }
        for (auto stop = kTabStops.rbegin(); stop != kTabStops.rend(); ++stop) {
            if (*stop < column) {
                MoveToTabStop(day, *stop);
                return true;
            }
        }
        if (day <= 1)
            emit LeaveBackward();
        else
            MoveToTabStop(day - 1, kMemoColumn);
        return true;
    default:
        return false;
    }
}

void DayGridView::keyPressEvent(QKeyEvent* event) {
    if (HandleGridKey(event))
        return;
    QTableView::keyPressEvent(event);
}

void DayGridView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    SelectCellOnRightClick(*this, event->button(), event->position().toPoint());
    if (index.isValid())
        RememberPopupCell(index.column(), index.row() + 1);
    // Fixed columns never take the cell cursor, and a right click only selects.
    if (event->button() == Qt::RightButton || (index.isValid() && index.column() < kFixedColumnCount)) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void DayGridView::mouseMoveEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index != m_hintIndex) {
        m_hintIndex = index;
        QToolTip::hideText();
    }
    QTableView::mouseMoveEvent(event);
}

void DayGridView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid())
        CellDoubleClicked(index, event->modifiers());
    event->accept();
}

void DayGridView::CellDoubleClicked(const QModelIndex& index, Qt::KeyboardModifiers modifiers) {
    if (index.isValid())
        emit DayDoubleClicked(index.row() + 1, index.column(), modifiers);
}

bool DayGridView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString hint = index.isValid() ? index.data(Qt::ToolTipRole).toString() : QString();
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos() + QPoint(kHintOffset, 0), hint, viewport(), visualRect(index),
                               kHintMilliseconds);
        return true;
    }
    const bool handled = QTableView::viewportEvent(event);
    // Queued, so that it runs once the whole window has been painted.
    if (event->type() == QEvent::Paint && !std::exchange(m_painted, true))
        QMetaObject::invokeMethod(this, &DayGridView::FirstPainted, Qt::QueuedConnection);
    return handled;
}

void DayGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!current.isValid())
        return;
    RememberPopupCell(current.column(), current.row() + 1);
    emit CellSelected(current.row() + 1, current.column());
}

void DayGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor == m_editor)
        m_editor = nullptr;
    QTableView::closeEditor(editor, hint);
    // The cell editor stays open on the current cell (Return and Tab inside it are handled above).
    if (hint == QAbstractItemDelegate::SubmitModelCache && hasFocus() && currentIndex().isValid())
        edit(currentIndex());
}

} // namespace mitoran
