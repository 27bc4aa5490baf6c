// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/LedgerClose.h"

#include "engine/leave/Ledger.h"
#include "support/SaveQuestionAnswer.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

TEST(LedgerClose, SavesAsksOrStaysOpen) {
    struct Case {
        bool changed;
        bool autoSave;
        bool shift;
        Answer answer;
        bool saveWorks;
        bool closes;
        int asked;
        int saves;
    };
    const Case cases[] = {
        {false, false, false, Answer::Cancel, true, true, 0, 0},
        {true, true, false, Answer::Cancel, true, true, 0, 1},
        {true, true, true, Answer::No, true, true, 1, 0}, // Shift asks even with AutoSave
        {true, false, false, Answer::Yes, true, true, 1, 1},
        {true, false, false, Answer::No, true, true, 1, 0},
        {true, false, false, Answer::Cancel, true, false, 1, 0},
        {true, false, false, Answer::Yes, false, false, 1, 1}, // a failed save keeps the window open
        {true, true, false, Answer::Cancel, false, false, 0, 1},
    };
    for (const Case& c : cases) {
        Ledger ledger;
        if (c.changed)
            ledger.Row(1)[LedgerColumn::Date] = "2024/04/06";
        test::SaveQuestionAnswer questions(c.answer);
        int saves = 0;
        const bool closes = ConfirmLedgerClose(ledger, c.autoSave, c.shift, questions, [&] {
            ++saves;
            return c.saveWorks;
        });
        EXPECT_EQ(closes, c.closes);
        EXPECT_EQ(questions.asked, c.asked);
        EXPECT_EQ(saves, c.saves);
    }
}

} // namespace
} // namespace mitoran
