// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QTimer;

namespace mitoran {

// The password prompt "ﾊﾟｽﾜｰﾄﾞ入力": stays on top, centred on the screen, and takes the keyboard focus
// shortly after it appears.
class TPass : public QDialog {
    Q_OBJECT

public:
    explicit TPass(QWidget* parent = nullptr);

    QString Entry() const;
    void Clear();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FocusTimerTimer();

    QLineEdit* m_passEdit;
    QTimer* m_focusTimer;
};

} // namespace mitoran
