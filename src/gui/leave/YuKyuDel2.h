// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"
#include "gui/common/EscDialog.h"

#include <string>

class QDateEdit;

namespace mitoran {

// "有給休暇 - 削除(日付指定)": the entries up to and including a date are folded into the carry-over. The date
// starts at the last day of the month two years and one month before the month given and keeps what it
// last held; "削 除" closes with OK.
class TVacDel2 : public EscDialog {
    Q_OBJECT

public:
    TVacDel2(YearMonth currentMonth, QWidget* parent);

    // The chosen date as yyyy/mm/dd.
    std::string DateText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QDateEdit* m_deleteTimePicker;
};

} // namespace mitoran
