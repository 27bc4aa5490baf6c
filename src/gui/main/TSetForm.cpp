// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/TSetForm.h"

#include "platform/Cp932Qt.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

TTimeSet::TTimeSet(QWidget* parent) : EscDialog(parent) {
    setObjectName(u"TTimeSet"_s);
    setWindowTitle(u"残業時間入力"_s);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_noCalcCheckBox = new QCheckBox(this);
    m_noCalcCheckBox->setObjectName(u"NoCalcCheckBox"_s);
    m_houteiKyujituCheckBox = new QCheckBox(u"法定休日である （給与計算で使用）"_s, this);
    m_houteiKyujituCheckBox->setObjectName(u"HouteiKyujituCheckBox"_s);
    m_houteiKyujituCheckBox->setToolTip(u"ﾁｪｯｸすると法定休日の単価で残業が計算されます。"_s);
    m_zanTimeLabel = new QLabel(this);
    m_zanTimeLabel->setObjectName(u"ZanTimeLabel"_s);
    m_zanTimeMemo = new QLineEdit(this);
    m_zanTimeMemo->setObjectName(u"ZanTimeMemo"_s);
    m_zanTimeMemo->setAlignment(Qt::AlignRight);
    m_zanTimeMemo->setFixedWidth(56);
    m_zanTimeMemo->installEventFilter(this);

    connect(m_zanTimeMemo, &QLineEdit::returnPressed, this, &QDialog::accept);

    auto* value = new QHBoxLayout;
    value->addWidget(m_zanTimeLabel);
    value->addStretch();
    value->addWidget(m_zanTimeMemo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_noCalcCheckBox);
    layout->addWidget(m_houteiKyujituCheckBox);
    layout->addLayout(value);

    if (parent != nullptr)
        move(parent->geometry().center() - rect().center());
}

void TTimeSet::Prepare(const TimeSetRequest& request) {
    setWindowTitle(ToQString(request.caption));
    m_noCalcCheckBox->setText(ToQString(request.noCalcCaption));
    m_noCalcCheckBox->setToolTip(ToQString(request.noCalcHint));
    m_zanTimeMemo->setToolTip(ToQString(request.valueHint));
    m_zanTimeLabel->setText(ToQString(request.label));
    m_noCalcCheckBox->setChecked(request.noCalc);
    m_houteiKyujituCheckBox->setChecked(request.houteiEnabled && request.houtei);
    m_houteiKyujituCheckBox->setEnabled(request.houteiEnabled);
    m_zanTimeMemo->setText(ToQString(request.value));
}

TimeSetAnswer TTimeSet::Answer() const {
    return {m_noCalcCheckBox->isChecked(), m_houteiKyujituCheckBox->isChecked(), FromQString(m_zanTimeMemo->text())};
}

TimeSetAnswer TTimeSet::EditTime(const TimeSetRequest& request) {
    Prepare(request);
    adjustSize();
    exec();
    return Answer();
}

void TTimeSet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_noCalcCheckBox->setFocus();
}

bool TTimeSet::eventFilter(QObject* object, QEvent* event) {
    // Entering the field selects its text, also when the mouse put the caret in it.
    if (object == m_zanTimeMemo && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_zanTimeMemo, &QLineEdit::selectAll);
    return QDialog::eventFilter(object, event);
}

} // namespace mitoran
