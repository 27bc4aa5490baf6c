// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPushButton;

namespace mitoran {

// A dialog with the hidden "Esc" button: Esc presses it, which is the program's Esc rule (EscapePressed;
// to the notification area when the start user's "EscKeyMin" is on) and leaves the dialog open. While the
// button is disabled, Esc cancels the dialog as usual.
class EscDialog : public QDialog {
    Q_OBJECT

public:
    explicit EscDialog(QWidget* parent);

signals:
    void EscapePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void SetEscCancels(bool cancels);

private:
    QPushButton* m_escButton;
};

} // namespace mitoran
