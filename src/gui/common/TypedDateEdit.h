// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateEdit>

namespace mitoran {

// A date box ("yyyy/MM/dd", with the calendar popup) that also takes a date typed whole: the characters typed
// replace the shown date until Enter, another key or leaving the box, when a whole date in one of the usual
// forms (2026/5/15, 2026/05/15, 20260515) becomes the box's date and any other text gives way to the date
// shown before; Esc drops what was typed. The arrow keys and the calendar work on the shown date as in any
// date box.
class TypedDateEdit : public QDateEdit {
    Q_OBJECT

public:
    TypedDateEdit(const QDate& date, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QValidator::State validate(QString& input, int& pos) const override;

private:
    static bool IsTypedCharacter(const QKeyEvent& event);
    void ShowTyped(const QString& text);
    void TakeTyped();

    bool m_typing = false;
    QString m_typed;
};

} // namespace mitoran
