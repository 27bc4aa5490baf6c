// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/PrintSettingUnit.h"

#include "engine/session/SettingsQuestions.h"
#include "gui/common/PrintPainter.h"
#include "gui/common/WindowUtil.h"
#include "gui/settings/FormBinding.h"
#include "platform/Cp932Qt.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <array>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

// The font boxes in the order of PrintFonts.
constexpr std::array<const char*, 6> kFontParts{"Title", "Name", "Month", "List", "Page", "Date"};

QLineEdit* Edit(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMinimumWidth(240);
    return box;
}

} // namespace

TPrintSettingForm::TPrintSettingForm(Settings& settings, Questions& questions, QWidget* parent)
    : EscDialog(parent), m_settings(settings), m_questions(questions) {
    setObjectName(u"TPrintSettingForm"_s);
    setWindowTitle(u"ﾍｯﾀﾞ文字列・印刷ﾌｫﾝﾄ設定"_s);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QStringList orientations{u"縦"_s, u"横"_s};
    const QStringList positions{u"左寄せ"_s, u"中央"_s, u"右寄せ"_s};

    auto* titles = new QGroupBox(u"ﾍｯﾀﾞ文字列"_s, this);
    auto* titleGrid = new QGridLayout(titles);
    const std::array<std::array<QString, 3>, 3> titleRows{{
        {u"ZangyoTitleEdit"_s, u"残業時間一覧表ﾀｲﾄﾙ(１ヶ月)"_s, u"ZangyoPrintMukiComboBox"_s},
        {u"YearTitleEdit"_s, u"残業時間一覧表ﾀｲﾄﾙ(期間集計)"_s, u"YearPrintMukiComboBox"_s},
        {u"YukyuTitleEdit"_s, u"有給休暇一覧表ﾀｲﾄﾙ"_s, u"YukyuPrintMukiComboBox"_s},
    }};
    int row = 0;
    for (const auto& [edit, label, orientation] : titleRows) {
        titleGrid->addWidget(new QLabel(label, titles), row, 0);
        titleGrid->addWidget(Edit(edit, titles), row, 1);
        titleGrid->addWidget(new QLabel(u"用紙"_s, titles), row, 2);
        titleGrid->addWidget(NamedComboBox(orientation, orientations, titles), row, 3);
        ++row;
    }
    titleGrid->addWidget(new QLabel(u"所属と氏名"_s, titles), row, 0);
    titleGrid->addWidget(Edit(u"NameTitleEdit"_s, titles), row, 1);

    auto* layoutBox = new QGroupBox(u"印刷位置と印刷ﾌｫﾝﾄ"_s, this);
    auto* layoutGrid = new QGridLayout(layoutBox);
    const std::array<std::array<QString, 2>, 6> parts{{
        {u"一覧表ﾀｲﾄﾙ"_s, u"TitlePositionComboBox"_s},
        {u"所属と氏名"_s, u"NamePositionComboBox"_s},
        {u"一覧表年月"_s, u"MonthPositionComboBox"_s},
        {u"一覧表ﾃﾞｰﾀ"_s, QString()},
        {u"ﾍﾟｰｼﾞ数"_s, u"PagePositionComboBox"_s},
        {u"印刷日付"_s, u"DatePositionComboBox"_s},
    }};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const int line = static_cast<int>(i);
        const QString part = QLatin1String(kFontParts[i]);
        layoutGrid->addWidget(new QLabel(parts[i][0], layoutBox), line, 0);
        if (!parts[i][1].isEmpty())
            layoutGrid->addWidget(NamedComboBox(parts[i][1], positions, layoutBox), line, 1);
        auto* sample = new QLineEdit(layoutBox);
        sample->setObjectName(part + u"FontEdit"_s);
        sample->setReadOnly(true);
        sample->setFocusPolicy(Qt::NoFocus);
        sample->setMinimumWidth(200);
        layoutGrid->addWidget(sample, line, 2);
        auto* fontButton = NamedButton(part + u"FontButton"_s, u"ﾌｫﾝﾄ"_s, layoutBox);
        fontButton->setAutoDefault(false);
        connect(fontButton, &QPushButton::clicked, this, [this, i] { FontButtonClick(i); });
        layoutGrid->addWidget(fontButton, line, 3);
    }

    auto* okButton = NamedButton(u"OkButton"_s, u"確 定"_s, this);
    okButton->setDefault(true);
    auto* cancelButton = NamedButton(u"CancelButton"_s, u"ｷｬﾝｾﾙ"_s, this);
    cancelButton->setAutoDefault(false);
    connect(okButton, &QPushButton::clicked, this, &TPrintSettingForm::OkButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titles);
    layout->addWidget(layoutBox);
    layout->addLayout(ButtonRow({okButton, cancelButton}));

    new BoxRules(*this, SettingForm::PrintSetting);
}

int TPrintSettingForm::Open(const QWidget& governors) {
    ShowFormValues(*this, SettingForm::PrintSetting, FormValuesOf(m_settings, SettingForm::PrintSetting));
    m_fonts = PrintFontsOf(m_settings);
    ShowFontSamples();
    ApplyEnableRules(*this, SettingForm::PrintSetting, governors);
    return exec();
}

void TPrintSettingForm::ShowFontSamples() {
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        auto* sample = findChild<QLineEdit*>(QLatin1String(kFontParts[i]) + u"FontEdit"_s);
        QFont font = sample->font();
        font.setFamilies(PrintFontOf(m_fonts[i]).families());
        sample->setFont(font);
        sample->setText(ToQString(FontSampleText(m_fonts[i].size)));
    }
}

void TPrintSettingForm::FontButtonClick(std::size_t part) {
    PrintFont& chosen = m_fonts[part];
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, PrintFontOf(chosen), this);
    if (!ok)
        return;
    chosen.name = FromQString(font.family());
    chosen.size = std::max(font.pointSize(), 1);
    ShowFontSamples();
}

void TPrintSettingForm::OkButtonClick() {
    const auto position = [this](const QString& name) {
        const auto* box = findChild<QComboBox*>(name);
        return std::pair{box->currentIndex(), box->isEnabled()};
    };
    const auto [name, nameEnabled] = position(u"NamePositionComboBox"_s);
    const auto [page, pageEnabled] = position(u"PagePositionComboBox"_s);
    const auto [date, dateEnabled] = position(u"DatePositionComboBox"_s);
    const PrintPositions positions{
        name, position(u"MonthPositionComboBox"_s).first, page, date, nameEnabled, pageEnabled, dateEnabled};
    if (const std::optional<std::string> refused = RefusedPrintPosition(positions, m_questions)) {
        if (auto* box = findChild<QWidget*>(QString::fromStdString(*refused)))
            box->setFocus();
        return;
    }
    StoreFormValues(ReadFormValues(*this, SettingForm::PrintSetting), SettingForm::PrintSetting, m_settings);
    StorePrintFonts(m_fonts, m_settings);
    accept();
}

} // namespace mitoran
