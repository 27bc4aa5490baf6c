// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/session/Questions.h"
#include "engine/text/Texts.h"

#include <gtest/gtest.h>

namespace mitoran::test {

// Answers the save question ("保存確認", Yes/No/Cancel) the same way each time and counts how often it was
// asked; any other question fails the test.
class SaveQuestionAnswer : public Questions {
public:
    explicit SaveQuestionAnswer(Answer answer) : m_answer(answer) {}
    Answer Ask(const std::string& caption, const std::string& text, Buttons buttons) override {
        EXPECT_EQ(caption, text::kSaveCaption);
        EXPECT_EQ(text, text::kSaveQuestion);
        EXPECT_EQ(buttons, Buttons::YesNoCancel);
        ++asked;
        return m_answer;
    }
    int asked = 0;

private:
    Answer m_answer;
};

} // namespace mitoran::test
