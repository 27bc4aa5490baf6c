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

// Only single-byte a-z fold; both bytes of a double-byte character compare as they are, so "チ" (83 61) is not "ア"
// (83 41) and full-width "ａ" (82 81) is not "Ａ" (82 60).
TEST(PasswordCheckTest, SingleByteLettersMatchWithoutRegardToCase) {
    struct Case {
        const char* entry;
        const char* password;
        bool matches;
    };
    const Case cases[] = {
        {"secret", "SECRET", true},
        {"SeCrEt", "sEcReT", true},
        {"secret", "secret1", false},
        {"", "a", false},
        {"", "", true},
        {"\x83\x61", "\x83\x61", true},  // チ
        {"\x83\x61", "\x83\x41", false}, // チ against ア
        {"\x83\x41", "\x83\x61", false}, // ア against チ
        {"\x82\x81", "\x82\x60", false}, // ａ against Ａ
        {"a\x83\x61"
         "b",
         "A\x83\x61"
         "B",
         true},                 // letters around a double-byte character
        {"\xb1", "\xb1", true}, // half-width ｱ
        {"\x83", "\x83", true}, // a lead byte without its trail byte
        {"\x83\x61"
         "a",
         "\x83\x61"
         "A",
         true}, // after a whole character, "a" is a letter again
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.entry) + " / " + c.password);
        EXPECT_EQ(PasswordMatches(c.entry, c.password), c.matches);
    }
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

// The command line asks once: nothing is asked without a password, and no entry at all is refused.
TEST(PasswordCheckTest, AmountsPasswordGivenOnceWithoutADialog) {
    struct Case {
        const char* kinPass;
        std::optional<std::string> entry;
        bool granted;
        int asked;
    };
    const Case cases[] = {
        {"", std::nullopt, true, 0},        {"", "anything", true, 0},        {"kane", "KANE", true, 1},
        {"kane", "kan", false, 1},          {"kane", std::nullopt, false, 1}, {"kane", "", false, 1},
        {"\x83\x61", "\x83\x41", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kinPass) + " / " + c.entry.value_or("(none)"));
        int asked = 0;
        EXPECT_EQ(AmountsPasswordGiven(
                      [&] {
                          ++asked;
                          return c.entry;
                      },
                      c.kinPass),
                  c.granted);
        EXPECT_EQ(asked, c.asked);
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
