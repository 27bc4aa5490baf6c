// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;
class QTimer;

namespace mitoran {

class Questions;

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

// Asks for the password with a TPass made for the asking and released after it: up to three entries, each wrong
// one reported. True when one matched.
bool PromptPassword(const std::string& password, Questions& questions, QWidget* parent = nullptr);
// The amounts password before the settings dialog and the pay-amount window: no prompt when there is none.
bool PromptAmountsPassword(const std::string& kinPass, Questions& questions, QWidget* parent = nullptr);

} // namespace mitoran
