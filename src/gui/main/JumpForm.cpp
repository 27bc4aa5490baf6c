// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/JumpForm.h"

#include "gui/common/WindowUtil.h"
#include "platform/Cp932Qt.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

QLineEdit* NumberField(const QString& name, int value, int width, QWidget* parent) {
    auto* field = new QLineEdit(QString::number(value), parent);
    field->setObjectName(name);
    field->setFixedWidth(width);
    field->setAlignment(Qt::AlignRight);
    return field;
}

} // namespace

TJump::TJump(YearMonth workingMonth, QWidget* parent) : EscDialog(parent), m_chosen(workingMonth) {
    setObjectName(u"TJump"_s);
    setWindowTitle(u"指定月へ移動"_s);
    m_yearMemo = NumberField(u"YearMemo"_s, workingMonth.year, 48, this);
    m_monthMemo = NumberField(u"MonthMemo"_s, workingMonth.month, 32, this);
    for (QLineEdit* field : {m_yearMemo, m_monthMemo})
        field->installEventFilter(this);

    auto* moveButton = NamedButton(u"MoveButton"_s, u"移動"_s, this);
    moveButton->setDefault(true);
    auto* cancelButton = NamedButton(u"CancelButton"_s, u"ｷｬﾝｾﾙ"_s, this);
    connect(moveButton, &QPushButton::clicked, this, &TJump::MoveButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QHBoxLayout;
    fields->addWidget(m_yearMemo);
    fields->addWidget(new QLabel(u"年"_s, this));
    fields->addWidget(m_monthMemo);
    fields->addWidget(new QLabel(u"月"_s, this));
    fields->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"指定した月に移動します。"_s, this));
    layout->addLayout(fields);
    layout->addLayout(ButtonRow({moveButton, cancelButton}));
    setFixedSize(sizeHint());

    if (parent != nullptr)
        move(parent->geometry().center() - rect().center());
}

void TJump::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_yearMemo->setFocus();
}

bool TJump::eventFilter(QObject* object, QEvent* event) {
    // Entering a field selects its whole text, also when the mouse put the caret in it.
    if (event->type() == QEvent::FocusIn) {
        auto* field = static_cast<QLineEdit*>(object);
        QTimer::singleShot(0, field, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(object, event);
}

void TJump::MoveButtonClick() {
    m_chosen = JumpTarget(FromQString(m_yearMemo->text()), FromQString(m_monthMemo->text()));
    m_yearMemo->setText(QString::number(m_chosen.year));
    m_monthMemo->setText(QString::number(m_chosen.month));
    accept();
}

} // namespace mitoran
