// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/DayGridDelegate.h"

#include "engine/settings/Settings.h"
#include "gui/common/Accessibility.h"
#include "gui/main/DayGridModel.h"
#include "gui/main/DayGridView.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace mitoran {

namespace {

constexpr int kTextOffset = 2;
constexpr int kEditorInset = 2;

bool WindowBindsKey(const QWidget& window, const QKeySequence& key) {
    const QList<QAction*> actions = window.findChildren<QAction*>();
    return std::ranges::any_of(
        actions, [&key](const QAction* action) { return action->isEnabled() && action->shortcuts().contains(key); });
}

} // namespace

DayGridDelegate::DayGridDelegate(DayGridView& view, const Settings& settings)
    : QStyledItemDelegate(&view), m_view(view), m_settings(settings) {}

void DayGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QPalette& palette = option.palette;
    const QRect rect = option.rect;
    const bool fixed = index.column() < DayGridModel::kFixedColumns;
    const bool focused = index == m_view.currentIndex();
    const bool selected = (option.state & QStyle::State_Selected) != 0;

    QColor background = palette.color(QPalette::Base);
    QColor textColor = palette.color(QPalette::Text);
    if (const QVariant foreground = index.data(Qt::ForegroundRole); foreground.isValid())
        textColor = foreground.value<QColor>();
    if (fixed) {
        background = palette.color(QPalette::Button);
    } else if (!selected || focused) {
        if (const QVariant slot = index.data(Qt::BackgroundRole); slot.isValid())
            background = slot.value<QColor>();
    } else {
        background = palette.color(QPalette::Highlight);
        textColor = palette.color(QPalette::HighlightedText);
    }

    painter->save();
    painter->fillRect(rect, background);
    const QVariant font = index.data(Qt::FontRole);
    painter->setFont(font.isValid() ? font.value<QFont>() : m_view.font());
    painter->setPen(textColor);
    // One line from the top left, clipped to the cell; drawn at its baseline, which needs no text layout.
    if (const QString text = index.data(Qt::DisplayRole).toString(); !text.isEmpty()) {
        painter->setClipRect(rect);
        painter->drawText(QPoint(rect.left() + kTextOffset, rect.top() + kTextOffset + painter->fontMetrics().ascent()),
                          text);
    }
    if (fixed) {
        painter->setPen(palette.color(QPalette::Light));
        painter->drawLine(rect.topLeft(), rect.bottomLeft());
        painter->drawLine(rect.topLeft(), rect.topRight());
    }
    if (CellHasKeyboardFocus(option, index))
        DrawFocusFrame(*painter, rect, background);
    if (index.data(DayGridModel::kSeparatorRole).toBool()) {
        painter->setPen(Qt::black);
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    }
    painter->restore();
}

QWidget* DayGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("DayCellEditor"));
    editor->setFrame(false);
    editor->setFont(m_view.font());
    editor->setAccessibleName(index.data(Qt::AccessibleTextRole).toString());
    // A right click on the open editor shows the grid's popup of the column, not the editor's own menu.
    editor->setContextMenuPolicy(Qt::NoContextMenu);
    if (m_settings.IMEAutoMode)
        editor->setAttribute(Qt::WA_InputMethodEnabled, index.column() == kMemoColumn);
    // Every change reaches the month at once, as the grid's cells always hold what the editor shows.
    m_view.EditorOpened(editor);
    DayGridView* view = &m_view;
    connect(editor, &QLineEdit::textEdited, view, [view, editor] { view->CommitEditor(editor); });
    return editor;
}

void DayGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (line->text() != text)
        line->setText(text);
    line->setAccessibleDescription(index.data(Qt::AccessibleDescriptionRole).toString());
}

void DayGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

void DayGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                           const QModelIndex&) const {
    // Inside the cell's focus frame, which stays visible around the open editor.
    editor->setGeometry(option.rect.adjusted(kEditorInset, 1, -kEditorInset, -1));
}

bool DayGridDelegate::eventFilter(QObject* object, QEvent* event) {
    // A key the window binds to a command (Ctrl+U, Ctrl+T, ...) runs the command, also where the line editor
    // has a standard meaning of its own for it (Ctrl+U deletes the line under X11).
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (WindowBindsKey(*m_view.window(), QKeySequence(key->keyCombination()))) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        m_view.viewport()->update();
    if (event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_view.CellDoubleClicked(m_view.currentIndex(), mouse->modifiers());
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (m_view.HandleGridKey(key))
            return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace mitoran
