// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/TokuSyukeiUnit.h"

#include "engine/session/Questions.h"
#include "engine/text/Texts.h"
#include "gui/common/TypedDateEdit.h"
#include "gui/common/WindowUtil.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

CalendarDate DateOf(const QDate& date) {
    return {date.year(), date.month(), date.day()};
}

} // namespace

TTokuSyukeiForm::TTokuSyukeiForm(const CalendarDate& today, Questions& questions, QWidget* parent)
    : EscDialog(parent), m_questions(questions) {
    setObjectName(u"TTokuSyukeiForm"_s);
    setWindowTitle(u"任意期間一覧"_s);
    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(u"任意の期間を 31日の範囲で入力して下さい。"_s, this);
    explanation->setObjectName(u"SetumeiPanel"_s);
    explanation->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    layout->addWidget(explanation);

    m_startPicker = DatePicker(u"StartDateTimePicker"_s, u"残業一覧を表示する開始日。"_s, {today.year, today.month, 1});
    m_endPicker = DatePicker(u"EndDateTimePicker"_s, u"残業一覧を表示する終了日。"_s,
                             {today.year, today.month, DaysInMonth(today.year, today.month)});
    auto* dates = new QFormLayout;
    dates->addRow(u"開始日"_s, m_startPicker);
    dates->addRow(u"終了日"_s, m_endPicker);
    layout->addLayout(dates);

    auto* okButton = NamedButton(u"OkButton"_s, u"OK"_s, this);
    okButton->setToolTip(u"設定した期間の残業一覧を表示します。"_s);
    okButton->setDefault(true);
    auto* cancelButton = NamedButton(u"CancelButton"_s, u"ｷｬﾝｾﾙ"_s, this);
    cancelButton->setToolTip(u"任意期間一覧をｷｬﾝｾﾙします。"_s);
    connect(okButton, &QPushButton::clicked, this, &TTokuSyukeiForm::OkButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    layout->addLayout(ButtonRow({okButton, cancelButton}));
}

QDateEdit* TTokuSyukeiForm::DatePicker(const QString& name, const QString& hint, const CalendarDate& date) {
    auto* picker = new TypedDateEdit(QDate(date.year, date.month, date.day), this);
    picker->setObjectName(name);
    picker->setToolTip(hint);
    return picker;
}

DaySpan TTokuSyukeiForm::Span() const {
    return {DateOf(m_startPicker->date()), DateOf(m_endPicker->date())};
}

void TTokuSyukeiForm::showEvent(QShowEvent* event) {
    EscDialog::showEvent(event);
    findChild<QPushButton*>(u"OkButton"_s)->setFocus();
}

void TTokuSyukeiForm::OkButtonClick() {
    if (SpanDays(Span())) {
        accept();
        return;
    }
    m_questions.AskStyled(text::kSpanRefusedCaption, text::kSpanRefused, Buttons::Ok, QuestionIcon::Error, Answer::Ok);
}

} // namespace mitoran
