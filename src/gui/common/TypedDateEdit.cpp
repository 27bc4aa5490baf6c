// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/TypedDateEdit.h"

#include "engine/calendar/Calendar.h"
#include "platform/Cp932Qt.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

TypedDateEdit::TypedDateEdit(const QDate& date, QWidget* parent) : QDateEdit(date, parent) {
    setDisplayFormat(u"yyyy/MM/dd"_s);
    setCalendarPopup(true);
}

// Digits and the separators of a typed date, full-width forms included; keys with Ctrl or Alt are commands.
bool TypedDateEdit::IsTypedCharacter(const QKeyEvent& event) {
    if ((event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0 ||
        event.text().size() != 1)
        return false;
    const QChar c = event.text().front();
    return c.isDigit() || u"/-.／－．"_s.contains(c);
}

void TypedDateEdit::keyPressEvent(QKeyEvent* event) {
    if (IsTypedCharacter(*event)) {
        ShowTyped((m_typing ? m_typed : QString()) + event->text());
        event->accept();
        return;
    }
    if (m_typing && event->key() == Qt::Key_Backspace) {
        ShowTyped(m_typed.chopped(1));
        event->accept();
        return;
    }
    if (m_typing && event->key() == Qt::Key_Escape) {
        m_typed.clear();
        TakeTyped();
        event->accept();
        return;
    }
    // Any other key (Enter, an arrow, Tab) first ends the typing.
    TakeTyped();
    QDateEdit::keyPressEvent(event);
}

void TypedDateEdit::focusOutEvent(QFocusEvent* event) {
    TakeTyped();
    QDateEdit::focusOutEvent(event);
}

// Typed text is no date of the box's format yet: it is taken or dropped as a whole by TakeTyped.
QValidator::State TypedDateEdit::validate(QString& input, int& pos) const {
    return m_typing ? QValidator::Intermediate : QDateEdit::validate(input, pos);
}

void TypedDateEdit::ShowTyped(const QString& text) {
    m_typing = true;
    m_typed = text;
    lineEdit()->setText(text);
}

void TypedDateEdit::TakeTyped() {
    if (!m_typing)
        return;
    m_typing = false;
    const std::optional<CalendarDate> typed = ParseTypedDate(FromQString(m_typed));
    m_typed.clear();
    // Setting the date, even the same one, shows it in the box's format again.
    setDate(typed ? QDate(typed->year, typed->month, typed->day) : date());
}

} // namespace mitoran
