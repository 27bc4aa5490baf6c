// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/PrivateInfoUnit.h"

#include "engine/settings/SettingControls.h"
#include "gui/common/WindowUtil.h"
#include "gui/settings/FormBinding.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

TPrivateInfoForm::TPrivateInfoForm(Settings& settings, QWidget* parent) : EscDialog(parent), m_settings(settings) {
    setObjectName(u"TPrivateInfoForm"_s);
    setWindowTitle(u"個人情報・CSVﾌｧｲﾙ出力設定"_s);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* grid = new QGridLayout;
    const auto addPair = [&](int row, const QString& checkName, const QString& check, const QString& editName,
                             const QString& label) {
        auto* box = new QCheckBox(check, this);
        box->setObjectName(checkName);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(editName);
        edit->setMinimumWidth(260);
        grid->addWidget(box, row, 0, 1, 2);
        grid->addWidget(new QLabel(label, this), row + 1, 0);
        grid->addWidget(edit, row + 1, 1);
    };
    addPair(0, u"PrivateNameDispCheckBox"_s, u"[個人氏名]を ﾀｲﾄﾙﾊﾞｰに表示する"_s, u"PrivateNameEdit"_s, u"個人氏名"_s);
    addPair(2, u"CSVNameAddCheckBox"_s, u"[個人ﾌｧｲﾙ名]を CSVﾌｧｲﾙ名に付加する"_s, u"CSVFileNameEdit"_s, u"個人ﾌｧｲﾙ名"_s);
    addPair(4, u"CSVPrivateInfoAddCheckBox"_s, u"[個人情報]を CSVﾌｧｲﾙ出力ﾃﾞｰﾀに出力する"_s, u"CSVPrivateInfoEdit"_s,
            u"個人情報"_s);
    auto* monthBox = new QCheckBox(u"「ﾃﾞｰﾀ年月」を CSVﾌｧｲﾙ出力ﾃﾞｰﾀに出力する"_s, this);
    monthBox->setObjectName(u"CSVMonthAddCheckBox"_s);
    grid->addWidget(monthBox, 6, 0, 1, 2);

    auto* okButton = NamedButton(u"OkButton"_s, u"確 定"_s, this);
    okButton->setDefault(true);
    auto* cancelButton = NamedButton(u"CancelButton"_s, u"ｷｬﾝｾﾙ"_s, this);
    cancelButton->setAutoDefault(false);
    connect(okButton, &QPushButton::clicked, this, &TPrivateInfoForm::OkButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(ButtonRow({okButton, cancelButton}));

    new BoxRules(*this, SettingForm::PrivateInfo);
    FollowEnableRules(*this, SettingForm::PrivateInfo);
}

void TPrivateInfoForm::showEvent(QShowEvent* event) {
    ShowFormValues(*this, SettingForm::PrivateInfo, FormValuesOf(m_settings, SettingForm::PrivateInfo));
    ApplyEnableRules(*this, SettingForm::PrivateInfo, *this);
    EscDialog::showEvent(event);
}

void TPrivateInfoForm::OkButtonClick() {
    StoreFormValues(ReadFormValues(*this, SettingForm::PrivateInfo), SettingForm::PrivateInfo, m_settings);
    accept();
}

} // namespace mitoran
