// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/leave/YuKyuDel2.h"

#include "engine/leave/LedgerEditing.h"
#include "gui/common/TypedDateEdit.h"
#include "gui/leave/DeletionDialog.h"

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

TVacDel2::TVacDel2(YearMonth currentMonth, QWidget* parent) : EscDialog(parent) {
    setObjectName(u"TVacDel2"_s);
    setWindowTitle(u"有給休暇 - 削除(日付指定)"_s);
    const CalendarDate preset = DefaultDeletionDate(currentMonth.year, currentMonth.month);
    m_deleteTimePicker = new TypedDateEdit(QDate(preset.year, preset.month, preset.day), this);
    m_deleteTimePicker->setObjectName(u"DeleteTimePicker"_s);

    LayOutDeletionDialog(this, m_deleteTimePicker, u"日以前の有給休暇を削除します。"_s);
}

std::string TVacDel2::DateText() const {
    const QDate date = m_deleteTimePicker->date();
    return LedgerDateText({date.year(), date.month(), date.day()});
}

void TVacDel2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_deleteTimePicker->setFocus();
}

} // namespace mitoran
