// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/PassForm.h"

#include "gui/common/WindowUtil.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kFocusDelayMilliseconds = 100;
}

TPass::TPass(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_passEdit(new QLineEdit(this)),
      m_focusTimer(new QTimer(this)) {
    setObjectName(u"TPass"_s);
    setWindowTitle(u"ﾊﾟｽﾜｰﾄﾞ入力"_s);
    m_passEdit->setObjectName(u"PassEdit"_s);
    m_passEdit->setEchoMode(QLineEdit::Password);
    m_passEdit->setStyleSheet(u"lineedit-password-character: 42"_s); // "*"

    auto* okButton = NamedButton(u"OkButton"_s, u"入  力"_s, this);
    okButton->setDefault(true);
    auto* cancelButton = NamedButton(u"CancelButton"_s, u"ｷｬﾝｾﾙ"_s, this);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"ﾊﾟｽﾜｰﾄﾞを入力してください｡"_s, this));
    layout->addWidget(m_passEdit);
    layout->addLayout(ButtonRow({okButton, cancelButton}));
    setFixedSize(sizeHint());

    m_focusTimer->setSingleShot(true);
    m_focusTimer->setInterval(kFocusDelayMilliseconds);
    connect(m_focusTimer, &QTimer::timeout, this, &TPass::FocusTimerTimer);
}

QString TPass::Entry() const {
    return m_passEdit->text();
}

void TPass::Clear() {
    m_passEdit->clear();
}

void TPass::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    QDialog::showEvent(event);
    m_focusTimer->start();
}

void TPass::FocusTimerTimer() {
    raise();
    activateWindow();
    m_passEdit->setFocus();
    update();
}

} // namespace mitoran
