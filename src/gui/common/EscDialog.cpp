// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/EscDialog.h"

#include "gui/common/WindowUtil.h"

#include <QKeyEvent>
#include <QPushButton>

namespace mitoran {

EscDialog::EscDialog(QWidget* parent) : QDialog(parent) {
    m_escButton = NamedButton(QStringLiteral("EscButton"), QStringLiteral("Esc"), this);
    m_escButton->setAutoDefault(false);
    m_escButton->hide();
    connect(m_escButton, &QPushButton::clicked, this, &EscDialog::EscapePressed);
}

void EscDialog::SetEscCancels(bool cancels) {
    m_escButton->setEnabled(!cancels);
}

void EscDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_escButton->isEnabled())
            m_escButton->click();
        else
            reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace mitoran
