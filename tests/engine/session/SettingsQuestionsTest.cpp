// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/SettingsQuestions.h"

#include "engine/session/PasswordCheck.h"
#include "engine/session/Questions.h"
#include "engine/text/Texts.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace mitoran {
namespace {

// Answers from a list and keeps how each question was styled.
class StyledQuestions : public Questions {
public:
    Answer Ask(const std::string& caption, const std::string& text, Buttons buttons) override {
        return AskStyled(caption, text, buttons, QuestionIcon::Warning, Answer::Ok);
    }
    Answer AskStyled(const std::string& caption, const std::string& text, Buttons buttons, QuestionIcon icon,
                     Answer defaultButton) override {
        asked.push_back({caption, text, buttons, icon, defaultButton});
        if (answers.empty())
            return Answer::Ok;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    struct Asked {
        std::string caption;
        std::string text;
        Buttons buttons;
        QuestionIcon icon;
        Answer defaultButton;
    };
    std::deque<Answer> answers;
    std::vector<Asked> asked;
};

TEST(SettingsQuestionsTest, ClosingDayChangeIsAskedOnlyWhenTheDayChanged) {
    struct Case {
        int shown;
        int entered;
        Answer answer;
        SimeDayChange result;
        bool asked;
    };
    const Case cases[] = {
        {31, 31, Answer::Yes, SimeDayChange::Unchanged, false},
        {31, 20, Answer::Yes, SimeDayChange::Recreate, true},
        {31, 20, Answer::No, SimeDayChange::Keep, true},
        {20, 31, Answer::Cancel, SimeDayChange::Cancel, true},
    };
    for (const Case& c : cases) {
        StyledQuestions questions;
        questions.answers = {c.answer};
        EXPECT_EQ(AskSimeDayChange(c.shown, c.entered, questions), c.result);
        ASSERT_EQ(questions.asked.size(), c.asked ? 1U : 0U);
        if (!c.asked)
            continue;
        const StyledQuestions::Asked& asked = questions.asked.front();
        EXPECT_EQ(asked.caption, text::kSimeDayChangeCaption);
        EXPECT_EQ(asked.text, Utf8ToCp932("今月のﾃﾞｰﾀを新しい締日で、初期化作成しますか？\n"
                                          "初期化作成すると、今月の入力済みﾃﾞｰﾀはすべて消去されます。"));
        EXPECT_EQ(asked.buttons, Buttons::YesNoCancel);
        EXPECT_EQ(asked.icon, QuestionIcon::Question);
        EXPECT_EQ(asked.defaultButton, Answer::No);
    }
}

TEST(SettingsQuestionsTest, NewPasswordNeedsTwoEqualEntries) {
    struct Case {
        const char* first;
        const char* second;
        std::optional<std::string> result;
    };
    const Case cases[] = {{"abc", "abc", "abc"}, {"", "", ""}, {"abc", "ABC", std::nullopt}, {"abc", "", std::nullopt}};
    for (const Case& c : cases) {
        StyledQuestions questions;
        EXPECT_EQ(ConfirmNewPassword(c.first, c.second, questions), c.result);
        ASSERT_EQ(questions.asked.size(), c.result ? 0U : 1U);
        if (!c.result) {
            EXPECT_EQ(questions.asked[0].caption, text::kPasswordErrorCaption);
            EXPECT_EQ(questions.asked[0].text, text::kPasswordMismatch);
            EXPECT_EQ(questions.asked[0].icon, QuestionIcon::Error);
        }
    }
}

TEST(SettingsQuestionsTest, ConflictingPrintPositionsAreReported) {
    StyledQuestions questions;
    EXPECT_EQ(RefusedPrintPosition({0, 2, 1, 2}, questions), std::nullopt);
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_EQ(RefusedPrintPosition({0, 2, 1, 1}, questions), "PagePositionComboBox");
    ASSERT_EQ(questions.asked.size(), 1U);
    EXPECT_EQ(questions.asked[0].caption, text::kSettingErrorCaption);
    EXPECT_EQ(questions.asked[0].text, text::kPagePositionConflict);
}

// No amounts password: granted without a prompt; otherwise three tries, letters compared without regard to case.
TEST(SettingsQuestionsTest, AmountsPassword) {
    struct Case {
        const char* password;
        std::vector<std::optional<std::string>> entries;
        bool granted;
        int prompts;
    };
    const Case cases[] = {
        {"", {}, true, 0},
        {"kane", {"KANE"}, true, 1},
        {"kane", {"a", "b", "c", "kane"}, false, 3},
        {"kane", {std::nullopt}, false, 1},
    };
    for (const Case& c : cases) {
        StyledQuestions questions;
        int prompts = 0;
        const bool granted = AskAmountsPassword(
            [&]() -> std::optional<std::string> { return c.entries.at(static_cast<std::size_t>(prompts++)); },
            questions, c.password);
        EXPECT_EQ(granted, c.granted) << c.password;
        EXPECT_EQ(prompts, c.prompts) << c.password;
    }
}

} // namespace
} // namespace mitoran
