// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/TAdjustForm.h"

#include "engine/text/Util.h"
#include "gui/common/WindowUtil.h"
#include "platform/Cp932Qt.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

QLineEdit* TimeField(const QString& name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setAlignment(Qt::AlignRight);
    field->setFixedWidth(56);
    return field;
}

QToolButton* SpeedButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// Return presses OK, whichever button has the focus.
QPushButton* DialogButton(const QString& name, const QString& caption, QWidget* parent) {
    QPushButton* button = NamedButton(name, caption, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TTimeAdjust::TTimeAdjust(QWidget* parent) : EscDialog(parent) {
    setObjectName(u"TTimeAdjust"_s);
    setWindowTitle(u"時刻自動入力"_s);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_adjustGroupBox = new QGroupBox(this);
    m_adjustGroupBox->setObjectName(u"AdjustGroupBox"_s);
    m_nowMemo = TimeField(u"NowMemo"_s, m_adjustGroupBox);
    m_nowMemo->setReadOnly(true);
    m_nowMemo->setFocusPolicy(Qt::NoFocus);
    m_timeMemo = TimeField(u"TimeMemo"_s, m_adjustGroupBox);
    m_upButton = SpeedButton(u"SpeedButtonUp"_s, u"+"_s, m_adjustGroupBox);
    m_downButton = SpeedButton(u"DownSpeedButton"_s, u"-"_s, m_adjustGroupBox);
    auto* fields = new QGridLayout(m_adjustGroupBox);
    fields->addWidget(new QLabel(u"現在時刻"_s, m_adjustGroupBox), 0, 0);
    fields->addWidget(m_nowMemo, 0, 1);
    fields->addWidget(new QLabel(u"入力時刻"_s, m_adjustGroupBox), 1, 0);
    fields->addWidget(m_timeMemo, 1, 1);
    fields->addWidget(m_upButton, 1, 2);
    fields->addWidget(m_downButton, 1, 3);

    m_helpLabel = new QLabel(this);
    m_helpLabel->setObjectName(u"HelpLabel"_s);
    m_okButton = DialogButton(u"OkButton"_s, u"OK"_s, this);
    m_okButton->setDefault(true);
    m_cancelButton = DialogButton(u"CancelButton"_s, u"ｷｬﾝｾﾙ"_s, this);

    connect(m_upButton, &QToolButton::clicked, this, &TTimeAdjust::SpeedButtonUpClick);
    connect(m_downButton, &QToolButton::clicked, this, &TTimeAdjust::DownSpeedButtonClick);
    connect(m_okButton, &QPushButton::clicked, this, &TTimeAdjust::OkButtonClick);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_helpLabel);
    layout->addWidget(m_adjustGroupBox);
    layout->addLayout(ButtonRow({m_okButton, m_cancelButton}));
}

void TTimeAdjust::Prepare(const TimeConfirmRequest& request) {
    m_kind = request.kind;
    m_step = request.step;
    const TimeAdjustTexts texts = TimeAdjustTextsOf(request.kind, request.dayText);
    setWindowTitle(ToQString(texts.caption));
    m_adjustGroupBox->setTitle(ToQString(texts.group));
    m_helpLabel->setText(ToQString(texts.help));
    m_nowMemo->setText(ToQString(request.proposal.shown));
    m_timeMemo->setText(ToQString(request.proposal.proposed));
    // Esc cancels a leaving time; for an arrival the hidden Esc button takes it.
    SetEscCancels(request.kind != TimeKind::Arrival);
}

std::optional<std::string> TTimeAdjust::ConfirmTime(const TimeConfirmRequest& request) {
    Prepare(request);
    adjustSize();
    CenterOnScreen();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return FromQString(m_timeMemo->text());
}

void TTimeAdjust::CenterOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TTimeAdjust::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_okButton->setFocus();
    emit OpenChanged(true);
}

void TTimeAdjust::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    emit OpenChanged(false);
}

void TTimeAdjust::SpeedButtonUpClick() {
    m_timeMemo->setText(ToQString(StepTimeText(FromQString(m_timeMemo->text()), m_step)));
}

void TTimeAdjust::DownSpeedButtonClick() {
    m_timeMemo->setText(ToQString(StepTimeText(FromQString(m_timeMemo->text()), -m_step)));
}

void TTimeAdjust::OkButtonClick() {
    m_timeMemo->setText(ToQString(NormalTimeText(FromQString(m_timeMemo->text()))));
    accept();
}

} // namespace mitoran
