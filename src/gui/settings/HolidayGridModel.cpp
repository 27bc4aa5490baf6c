// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/HolidayGridModel.h"

#include "gui/common/Accessibility.h"
#include "platform/Cp932Qt.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

// Column 0 is the date, 1 the mark, 2 the memo; grid row r shows list row r + 1.
template <typename Row>
auto& Cell(Row& row, int column) {
    return column == 0 ? row.date : column == 1 ? row.mark : row.memo;
}

} // namespace

HolidayGridModel::HolidayGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void HolidayGridModel::Reset() {
    beginResetModel();
    endResetModel();
}

void HolidayGridModel::ToggleMark(int row) {
    if (row < 0 || row >= kHolidayRows)
        return;
    m_list[row + 1].ToggleMark();
    emit dataChanged(index(row, 0), index(row, 2));
}

int HolidayGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kHolidayRows;
}

int HolidayGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant HolidayGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const HolidayRow& row = m_list[index.row() + 1];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return ToQString(Cell(row, index.column()));
    case Qt::ForegroundRole:
        if (row.IsMarked())
            return AlertTextColor();
        return {};
    case Qt::BackgroundRole:
        if (index.column() == 0)
            return QGuiApplication::palette().color(QPalette::Button);
        return {};
    default:
        return {};
    }
}

bool HolidayGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() == 0 || role != Qt::EditRole)
        return false;
    Cell(m_list[index.row() + 1], index.column()) = FromQString(value.toString());
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), 2));
    return true;
}

Qt::ItemFlags HolidayGridModel::flags(const QModelIndex& index) const {
    if (index.column() == 0)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant HolidayGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case 0:
        return u" 日  付 "_s;
    case 1:
        return u"休日"_s;
    default:
        return u"   メ  モ   "_s;
    }
}

} // namespace mitoran
