// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/session/Navigation.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace mitoran {

// The go-to-month dialog "指定月へ移動". Its fields keep what they last held between showings; "移動"
// brings the year into 1990..2090 and the month into 1..12, writes them back and closes with OK.
class TJump : public QDialog {
    Q_OBJECT

public:
    TJump(YearMonth workingMonth, QWidget* parent);

    YearMonth ChosenMonth() const { return m_chosen; }

signals:
    // The hidden Esc button: Esc does not close the dialog.
    void EscapePressed();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void MoveButtonClick();

    QLineEdit* m_yearMemo;
    QLineEdit* m_monthMemo;
    YearMonth m_chosen;
};

} // namespace mitoran
