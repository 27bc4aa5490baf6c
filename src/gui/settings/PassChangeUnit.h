// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <optional>

class QLineEdit;

namespace mitoran {

class Questions;

// The password change dialog "ﾊﾟｽﾜｰﾄﾞ変更": the new password typed twice. OK is not the default button, so
// Enter does not confirm; Esc cancels.
class TPassChangeForm : public QDialog {
    Q_OBJECT

public:
    TPassChangeForm(Questions& questions, QWidget* parent);

    // Shows the dialog with both boxes holding the current password; the new one, or nothing when cancelled.
    std::optional<QString> Change(const QString& current);

private:
    void OkButtonClick();

    Questions& m_questions;
    QLineEdit* m_passEdit1;
    QLineEdit* m_passEdit2;
    QString m_result;
};

} // namespace mitoran
