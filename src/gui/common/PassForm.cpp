// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/PassForm.h"

#include "engine/session/PasswordCheck.h"
#include "gui/common/WindowUtil.h"
#include "platform/Cp932Qt.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <functional>
#include <optional>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kFocusDelayMilliseconds = 100;

// Each entry of the prompt, or nothing when it was closed other than by "入  力".
std::function<std::optional<std::string>()> EntriesOf(TPass& pass) {
    return [&pass]() -> std::optional<std::string> {
        pass.Clear();
        if (pass.exec() != QDialog::Accepted)
            return std::nullopt;
        return FromQString(pass.Entry());
    };
}

} // namespace

bool PromptPassword(const std::string& password, Questions& questions, QWidget* parent) {
    TPass pass(parent);
    return AskPassword(EntriesOf(pass), questions, password);
}

bool PromptAmountsPassword(const std::string& kinPass, Questions& questions, QWidget* parent) {
    if (kinPass.empty())
        return true;
    TPass pass(parent);
    return AskAmountsPassword(EntriesOf(pass), questions, kinPass);
}

TPass::TPass(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_passEdit(PasswordBox(u"PassEdit"_s, this)),
      m_focusTimer(new QTimer(this)) {
    setObjectName(u"TPass"_s);
    setWindowTitle(u"ﾊﾟｽﾜｰﾄﾞ入力"_s);

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
