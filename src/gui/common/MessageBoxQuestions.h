// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/session/Questions.h"

class QWidget;

namespace mitoran {

// The engine's questions as message boxes with the system's caption and text and an exclamation icon; the
// first button is the default.
class MessageBoxQuestions : public Questions {
public:
    explicit MessageBoxQuestions(QWidget* parent = nullptr) : m_parent(parent) {}

    Answer Ask(const std::string& caption, const std::string& text, Buttons buttons) override;
    Answer AskStyled(const std::string& caption, const std::string& text, Buttons buttons, QuestionIcon icon,
                     Answer defaultButton) override;
    void SetParent(QWidget* parent) { m_parent = parent; }

private:
    QWidget* m_parent;
};

} // namespace mitoran
