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

QMessageBox::StandardButton FirstButtonOf(Buttons buttons) {
    return (buttons == Buttons::Ok || buttons == Buttons::OkCancel) ? QMessageBox::Ok : QMessageBox::Yes;
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
    QMessageBox box(QMessageBox::Warning, ToQString(caption), ToQString(text), ButtonsOf(buttons), m_parent);
    box.setObjectName(QStringLiteral("QuestionBox"));
    box.setDefaultButton(FirstButtonOf(buttons));
    return AnswerOf(box.exec(), buttons);
}

} // namespace mitoran
