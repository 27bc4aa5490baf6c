// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/session/Navigation.h"
#include "gui/common/EscDialog.h"

class QLineEdit;
class QPushButton;

namespace mitoran {

// The go-to-month dialog "指定月へ移動". Its fields keep what they last held between showings; "移動"
// brings the year into 1990..2090 and the month into 1..12, writes them back and closes with OK. Esc does not
// close it (the hidden Esc button).
class TJump : public EscDialog {
    Q_OBJECT

public:
    TJump(YearMonth workingMonth, QWidget* parent);

    YearMonth ChosenMonth() const { return m_chosen; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void MoveButtonClick();

    QLineEdit* m_yearMemo;
    QLineEdit* m_monthMemo;
    YearMonth m_chosen;
};

} // namespace mitoran
