// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/PasswordCheck.h"

#include "engine/session/CommandLine.h"
#include "engine/session/Questions.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/Settings.h"
#include "engine/text/Texts.h"

#include <gtest/gtest.h>

#include <deque>

namespace mitoran {
namespace {

class ScriptedQuestions : public Questions {
public:
    explicit ScriptedQuestions(std::deque<Answer> answers) : m_answers(std::move(answers)) {}
    Answer Ask(const std::string& caption, const std::string& text, Buttons buttons) override {
        EXPECT_EQ(caption, text::kPasswordErrorCaption);
        EXPECT_EQ(text, text::kPasswordWrong);
        EXPECT_EQ(buttons, Buttons::OkCancel);
        ++asked;
        if (m_answers.empty())
            return Answer::Ok;
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    int asked = 0;

private:
    std::deque<Answer> m_answers;
};

TEST(PasswordCheckTest, LettersMatchWithoutRegardToCase) {
    EXPECT_TRUE(PasswordMatches("secret", "SECRET"));
    EXPECT_TRUE(PasswordMatches("SeCrEt", "sEcReT"));
    EXPECT_FALSE(PasswordMatches("secret", "secret1"));
    EXPECT_FALSE(PasswordMatches("", "a"));
    // Folding applies to every byte, trail bytes of double-byte characters included (0x8341 and 0x8361).
    EXPECT_TRUE(PasswordMatches("\x83\x61", "\x83\x41"));
    EXPECT_FALSE(PasswordMatches("\x83\x42", "\x83\x41"));
}

TEST(PasswordCheckTest, ThreeAttemptsEachWrongOneReported) {
    struct Case {
        std::vector<std::optional<std::string>> entries;
        std::deque<Answer> answers;
        bool granted;
        int prompts;
        int messages;
    };
    const Case cases[] = {
        {{"PASS"}, {}, true, 1, 0},
        {{"x", "y", "pass"}, {}, true, 3, 2},
        // The third wrong entry is still followed by the message, then the asking ends.
        {{"x", "y", "z", "pass"}, {}, false, 3, 3},
        {{"x", "pass"}, {Answer::Cancel}, false, 1, 1},
        {{std::nullopt, "pass"}, {}, false, 1, 0},
    };
    for (const Case& c : cases) {
        ScriptedQuestions questions(c.answers);
        std::size_t prompts = 0;
        const bool granted = AskPassword([&] { return c.entries.at(prompts++); }, questions, "pass");
        EXPECT_EQ(granted, c.granted);
        EXPECT_EQ(static_cast<int>(prompts), c.prompts);
        EXPECT_EQ(questions.asked, c.messages);
    }
}

TEST(PasswordCheckTest, StartupPasswordIsTheStartUsersReversedValue) {
    MemorySettingsStore store;
    store.WriteValue(UserKeyPath(""), "System", "Pass", "cba");
    store.WriteValue(UserKeyPath("tanaka"), "System", "Pass", "zyx");
    store.WriteValue(UserKeyPath("tanaka"), "System", "StartPassSkip", "1");

    const StartupPassword base = ReadStartupPassword(store, "");
    EXPECT_EQ(base.password, "abc");
    EXPECT_FALSE(base.skip);
    const StartupPassword named = ReadStartupPassword(store, "tanaka");
    EXPECT_EQ(named.password, "xyz");
    EXPECT_TRUE(named.skip);
    const StartupPassword missing = ReadStartupPassword(store, "nobody");
    EXPECT_EQ(missing.password, "");
    EXPECT_FALSE(missing.skip);
}

TEST(PasswordCheckTest, PromptIsSkippedForMinimisedStartsSkipFlagAndEmptyPassword) {
    const CommandLine plain = ParseCommandLine({});
    EXPECT_TRUE(NeedsStartupPassword(plain, {"abc", false}));
    EXPECT_FALSE(NeedsStartupPassword(plain, {"abc", true}));
    EXPECT_FALSE(NeedsStartupPassword(plain, {"", false}));
    EXPECT_FALSE(NeedsStartupPassword(ParseCommandLine({"/Disp"}), {"abc", false}));
    EXPECT_FALSE(NeedsStartupPassword(ParseCommandLine({"/Down"}), {"abc", false}));
    EXPECT_TRUE(NeedsStartupPassword(ParseCommandLine({"/disp"}), {"abc", false}));
    EXPECT_TRUE(NeedsStartupPassword(ParseCommandLine({"x", "/Disp"}), {"abc", false}));
}

} // namespace
} // namespace mitoran
