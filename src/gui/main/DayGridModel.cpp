// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/DayGridModel.h"

#include "engine/month/MonthSheet.h"
#include "engine/session/AccessibleTexts.h"
#include "engine/session/DayGridStyle.h"
#include "engine/settings/Settings.h"
#include "engine/text/Util.h"
#include "gui/common/Accessibility.h"
#include "gui/common/WindowUtil.h"
#include "platform/Cp932Qt.h"

#include <QColor>
#include <QGuiApplication>

#include <algorithm>
#include <array>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

const std::array<QString, DayGridModel::kColumnCount> kHints{
    QString(),
    QString(),
    u"休日区分を選択してください。\n右ｸﾘｯｸでﾎﾟｯﾌﾟｱｯﾌﾟﾒﾆｭｰが表示されます。"_s,
    u"出社時刻を入力してください。"_s,
    u"退社時刻を入力してください。"_s,
    u"普通残業時間が計算されます。"_s,
    u"深夜残業時間が計算されます。"_s,
    u"勤務時間が計算されます。"_s,
    u"メモを入力してください。"_s};

} // namespace

DayGridModel::DayGridModel(MonthSheet& sheet, const Settings& settings, QObject* parent)
    : QAbstractTableModel(parent), m_sheet(sheet), m_settings(settings) {
    m_shownRows = rowCount();
}

int DayGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::clamp(m_sheet.dayCount, 0, kMaxDays);
}

int DayGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant DayGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int day = DayOf(index);
    const int column = index.column();
    const DayRecord& record = m_sheet.days[day];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return ToQString(record.cells[column]);
    case Qt::ToolTipRole:
        return ToolTip(day, column);
    case Qt::AccessibleTextRole:
        return ToQString(DayCellName(record, column));
    case Qt::AccessibleDescriptionRole:
        return ToQString(DayCellDescription(record, column, m_settings));
    case Qt::ForegroundRole:
        return Foreground(day, column);
    case Qt::FontRole:
        if (DayCellTextStyle(record, column, m_settings).underline) {
            QFont font = m_font;
            font.setUnderline(true);
            return font;
        }
        return {};
    case Qt::BackgroundRole:
        if (column >= kFixedColumns) {
            if (const auto slot = DayRowColorSlot(record, m_settings))
                return ToQColor(m_settings.CellColor[*slot], QGuiApplication::palette());
        }
        return {};
    case kSeparatorRole:
        return WeekSeparatorBelow(record, m_settings.GridLineSelect);
    default:
        return {};
    }
}

QVariant DayGridModel::ToolTip(int day, int column) const {
    if (column == kMemoColumn) {
        const std::string& memo = m_sheet.days[day].cells[kMemoColumn];
        return memo.empty() ? kHints[kMemoColumn] : ToQString(memo);
    }
    return kHints[column].isEmpty() ? QVariant() : QVariant(kHints[column]);
}

QVariant DayGridModel::Foreground(int day, int column) const {
    const CellTextStyle style = DayCellTextStyle(m_sheet.days[day], column, m_settings);
    switch (style.color) {
    case CellTextColor::Red:
        return AlertTextColor();
    case CellTextColor::Blue:
        return NoticeTextColor();
    case CellTextColor::Memo:
        return ToQColor(style.memoColor, QGuiApplication::palette());
    case CellTextColor::Standard:
        break;
    }
    return {};
}

bool DayGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() < kFixedColumns || index.row() >= rowCount())
        return false;
    std::string& cell = m_sheet.days[DayOf(index)].cells[index.column()];
    const std::string text = FromQString(value.toString());
    if (cell == text)
        return true;
    cell = text;
    // The row's colours may depend on the cell (category, times), so the whole row is repainted.
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), kColumnCount - 1));
    return true;
}

Qt::ItemFlags DayGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.column() < kFixedColumns)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant DayGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // Each row is headed by its date for screen readers; the grid shows no row header of its own.
    if (orientation == Qt::Vertical && role == Qt::DisplayRole && section >= 0 && section < rowCount())
        return ToQString(DayRowName(m_sheet.days[section + 1]));
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return ToQString(DayColumnHeaders()[static_cast<std::size_t>(section)]);
    if (role == Qt::FontRole)
        return m_font;
    if (role == Qt::AccessibleTextRole)
        return ToQString(DayColumnName(section));
    return {};
}

void DayGridModel::Refresh() {
    if (rowCount() != m_shownRows) {
        beginResetModel();
        m_shownRows = rowCount();
        endResetModel();
        return;
    }
    // Cell by cell, so that an open cell editor takes its cell's new text.
    for (int row = 0; row < m_shownRows; ++row) {
        for (int column = 0; column < kColumnCount; ++column)
            emit dataChanged(index(row, column), index(row, column));
    }
}

} // namespace mitoran
