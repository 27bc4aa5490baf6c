// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/month/MonthSpan.h"
#include "gui/common/EscDialog.h"

class QDateEdit;

namespace mitoran {

class Questions;

// 任意期間一覧: the first and last day of a span for the main window to show. OK closes only on a span of
// 1 to 31 days; the dates keep their values between showings.
class TTokuSyukeiForm : public EscDialog {
    Q_OBJECT

public:
    // The dates start as the first and last day of today's calendar month.
    TTokuSyukeiForm(const CalendarDate& today, Questions& questions, QWidget* parent);

    DaySpan Span() const;
    void OkButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QDateEdit* DatePicker(const QString& name, const QString& hint, const CalendarDate& date);

    Questions& m_questions;
    QDateEdit* m_startPicker;
    QDateEdit* m_endPicker;
};

} // namespace mitoran
