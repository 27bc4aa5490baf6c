// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/PassChangeUnit.h"

#include "engine/session/SettingsQuestions.h"
#include "gui/common/WindowUtil.h"
#include "platform/Cp932Qt.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

TPassChangeForm::TPassChangeForm(Questions& questions, QWidget* parent)
    : QDialog(parent), m_questions(questions), m_passEdit1(PasswordBox(u"PassEdit1"_s, this)),
      m_passEdit2(PasswordBox(u"PassEdit2"_s, this)) {
    setObjectName(u"TPassChangeForm"_s);
    setWindowTitle(u"ﾊﾟｽﾜｰﾄﾞ変更"_s);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* okButton = NamedButton(u"OkButton"_s, u"OK"_s, this);
    auto* cancelButton = NamedButton(u"CancelButton"_s, u"ｷｬﾝｾﾙ"_s, this);
    okButton->setAutoDefault(false);
    cancelButton->setAutoDefault(false);
    connect(okButton, &QPushButton::clicked, this, &TPassChangeForm::OkButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* boxes = new QFormLayout;
    boxes->addRow(new QLabel(u"ﾊﾟｽﾜｰﾄﾞ "_s, this), m_passEdit1);
    boxes->addRow(new QLabel(u"再入力"_s, this), m_passEdit2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(ButtonRow({okButton, cancelButton}));
}

std::optional<QString> TPassChangeForm::Change(const QString& current) {
    m_passEdit1->setText(current);
    m_passEdit2->setText(current);
    m_passEdit1->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_result;
}

void TPassChangeForm::OkButtonClick() {
    const std::optional<std::string> password =
        ConfirmNewPassword(FromQString(m_passEdit1->text()), FromQString(m_passEdit2->text()), m_questions);
    if (!password)
        return;
    m_result = ToQString(*password);
    accept();
}

} // namespace mitoran
