// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/leave/LedgerGrid.h"

#include "engine/leave/LedgerEditing.h"
#include "engine/session/AccessibleTexts.h"
#include "engine/settings/Settings.h"
#include "gui/common/Accessibility.h"
#include "gui/common/WindowUtil.h"
#include "platform/Cp932Qt.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include <array>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kGridColumnCount = 7;

const LedgerRow& RowOf(const Ledger& ledger, const QModelIndex& index) {
    return ledger.Row(index.row() + 1);
}

QColor TextColor(const LedgerRow& row, int column) {
    switch (LedgerCellTextColor(row, column)) {
    case LedgerTextColor::Red:
        return AlertTextColor();
    case LedgerTextColor::Blue:
        return NoticeTextColor();
    case LedgerTextColor::Memo:
        return ToQColor(row.color, QGuiApplication::palette());
    default:
        return QGuiApplication::palette().color(QPalette::Text);
    }
}

} // namespace

LedgerGridModel::LedgerGridModel(Ledger& ledger, const Settings& settings, QObject* parent)
    : QAbstractTableModel(parent), m_ledger(ledger), m_settings(settings) {}

int LedgerGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kLedgerRowCount;
}

int LedgerGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridColumnCount;
}

QVariant LedgerGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const LedgerRow& row = RowOf(m_ledger, index);
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (column == 0)
            return QString::number(index.row() + 1);
        return ToQString(row.cells.at(static_cast<std::size_t>(column - 1)));
    case Qt::ForegroundRole:
        return TextColor(row, column);
    case Qt::BackgroundRole:
        if (column == 0)
            return {};
        if (const std::optional<int> slot = LedgerRowColorSlot(row, m_settings))
            return ToQColor(m_settings.CellColor.at(static_cast<std::size_t>(*slot)), QGuiApplication::palette());
        return {};
    case Qt::ToolTipRole:
        return Hint(index);
    case Qt::AccessibleTextRole:
        return ToQString(LedgerCellName(index.row() + 1, column));
    default:
        return {};
    }
}

QVariant LedgerGridModel::Hint(const QModelIndex& index) const {
    switch (index.column()) {
    case kLedgerDateColumn:
        return u"日付を入力してください。"_s;
    case kLedgerWeekdayColumn:
        return u"曜日が自動的に表示されます。"_s;
    case kLedgerCategoryColumn:
        return u"有給区分を選択してください。\n右ｸﾘｯｸでﾎﾟｯﾌﾟｱｯﾌﾟﾒﾆｭｰが表示されます。"_s;
    case kLedgerDaysColumn:
        return u"日数を入力してください。"_s;
    case kLedgerDaysColumn + 1:
        return u"残数が計算されます。"_s;
    case kLedgerMemoColumn: {
        const std::string& memo = RowOf(m_ledger, index)[LedgerColumn::Memo];
        return memo.empty() ? u"メモを入力してください。"_s : ToQString(memo);
    }
    default:
        return {};
    }
}

bool LedgerGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() == 0 || role != Qt::EditRole)
        return false;
    std::string& cell = m_ledger.Row(index.row() + 1).cells.at(static_cast<std::size_t>(index.column() - 1));
    const std::string text = FromQString(value.toString());
    if (cell == text)
        return false;
    cell = text;
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags LedgerGridModel::flags(const QModelIndex& index) const {
    if (index.column() == 0)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant LedgerGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // Each row is headed by its number for screen readers; the grid shows the numbers in its first column.
    if (orientation == Qt::Vertical && role == Qt::DisplayRole && section >= 0 && section < kLedgerRowCount)
        return ToQString(LedgerRowName(section + 1));
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kGridColumnCount)
        return {};
    return ToQString(LedgerColumnHeaders().at(static_cast<std::size_t>(section)));
}

void LedgerGridModel::Refresh() {
    emit dataChanged(index(0, 0), index(kLedgerRowCount - 1, kGridColumnCount - 1));
}

LedgerGridDelegate::LedgerGridDelegate(const Ledger& ledger, const Settings& settings, Handlers handlers,
                                       QObject* parent)
    : QStyledItemDelegate(parent), m_ledger(ledger), m_settings(settings), m_handlers(std::move(handlers)) {}

QWidget* LedgerGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    // Right clicks reach the grid, whose popup menu follows the column.
    editor->setContextMenuPolicy(Qt::NoContextMenu);
    if (m_settings.IMEAutoMode)
        editor->setAttribute(Qt::WA_InputMethodEnabled, index.column() == kLedgerMemoColumn);
    editor->setAccessibleName(index.data(Qt::AccessibleTextRole).toString());
    m_editor = editor;
    return editor;
}

void LedgerGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (line->text() != text)
        line->setText(text);
}

void LedgerGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    if (!line->isModified())
        return;
    model->setData(index, line->text(), Qt::EditRole);
    line->setModified(false);
}

// The texts stand 2 pixels from the cell's left edge, as narrow columns need; the row numbers are fixed cells.
void LedgerGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool selected = (option.state & QStyle::State_Selected) != 0 && index.column() > 0;
    const QVariant background = index.data(Qt::BackgroundRole);
    QColor fill = option.palette.color(QPalette::Base);
    if (index.column() == 0)
        fill = option.palette.color(QPalette::Button);
    else if (selected)
        fill = option.palette.color(QPalette::Highlight);
    else if (background.canConvert<QColor>())
        fill = background.value<QColor>();
    painter->fillRect(option.rect, fill);
    painter->save();
    painter->setFont(option.font);
    painter->setPen(selected ? option.palette.color(QPalette::HighlightedText)
                             : index.data(Qt::ForegroundRole).value<QColor>());
    const int alignment = index.column() == 0 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter;
    painter->drawText(option.rect.adjusted(2, 0, -2, 0), alignment, index.data(Qt::DisplayRole).toString());
    painter->restore();
    if (CellHasKeyboardFocus(option, index))
        DrawFocusFrame(*painter, option.rect, fill);
    const int row = index.row() + 1;
    if (row >= kLedgerRowCount || !LeaveYearEndsBelow(m_ledger.Row(row)[LedgerColumn::Date],
                                                      m_ledger.Row(row + 1)[LedgerColumn::Date], m_settings.YukyuMonth))
        return;
    painter->save();
    painter->setPen(Qt::black);
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
}

// Inside the cell's focus frame, which stays visible around the open editor.
void LedgerGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex&) const {
    editor->setGeometry(option.rect.adjusted(2, 1, -2, -1));
}

bool LedgerGridDelegate::eventFilter(QObject* object, QEvent* event) {
    if ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) && object->isWidgetType())
        static_cast<QWidget*>(object)->parentWidget()->update();
    if (event->type() == QEvent::MouseButtonDblClick) {
        m_handlers.doubleClick();
        return true;
    }
    if (event->type() == QEvent::KeyPress && m_handlers.key(*static_cast<QKeyEvent*>(event)))
        return true;
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace mitoran
