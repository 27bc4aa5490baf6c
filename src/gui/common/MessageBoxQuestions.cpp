// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/MessageBoxQuestions.h"

#include "platform/Cp932Qt.h"

#include <QMessageBox>

namespace mitoran {

namespace {

QMessageBox::StandardButtons ButtonsOf(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        break;
    }
    return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
}

QMessageBox::StandardButton ButtonOf(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        break;
    }
    return QMessageBox::No;
}

QMessageBox::Icon IconOf(QuestionIcon icon) {
    switch (icon) {
    case QuestionIcon::Question:
        return QMessageBox::Question;
    case QuestionIcon::Error:
        return QMessageBox::Critical;
    case QuestionIcon::Warning:
        break;
    }
    return QMessageBox::Warning;
}

// Closing the box from its title bar counts as its last button.
Answer AnswerOf(int button, Buttons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::YesNo ? Answer::No : (buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel);
    }
}

} // namespace

Answer MessageBoxQuestions::Ask(const std::string& caption, const std::string& text, Buttons buttons) {
    const bool okFirst = buttons == Buttons::Ok || buttons == Buttons::OkCancel;
    return AskStyled(caption, text, buttons, QuestionIcon::Warning, okFirst ? Answer::Ok : Answer::Yes);
}

Answer MessageBoxQuestions::AskStyled(const std::string& caption, const std::string& text, Buttons buttons,
                                      QuestionIcon icon, Answer defaultButton) {
    QMessageBox box(IconOf(icon), ToQString(caption), ToQString(text), ButtonsOf(buttons), m_parent);
    box.setObjectName(QStringLiteral("QuestionBox"));
    box.setDefaultButton(ButtonOf(defaultButton));
    return AnswerOf(box.exec(), buttons);
}

} // namespace mitoran
