// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/MonthFile.h"
#include "engine/session/Session.h"
#include "engine/settings/MemorySettingsStore.h"

#include "support/SaveQuestionAnswer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace mitoran {
namespace {

namespace fs = std::filesystem;

class SpanView : public testing::Test {
protected:
    SpanView() { m_session.LoadUser(""); }

    void WriteMonth(int month, const std::string& text) const {
        std::ofstream(MonthPath(month), std::ios::binary) << text;
    }
    fs::path MonthPath(int month) const { return MonthFilePath(m_data.Path(), 2024, month, ""); }
    // Every file of the data folder with its bytes.
    std::map<fs::path, std::string> Files() const {
        std::map<fs::path, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(m_data.Path()))
            files[entry.path()] = test::ReadBytes(entry.path());
        return files;
    }

    test::TempFolder m_data;
    test::FixedFolders m_folders{m_data.Path()};
    MemorySettingsStore m_store;
    Session m_session{m_store, m_folders, ""};
};

// 25 March to 24 April under the calendar months: calculated, never saved, and released to the month before.
TEST_F(SpanView, SpanIsCalculatedNeverSavedAndReleased) {
    WriteMonth(3, "[System]\r\nLastDay=31\r\nZangyoTime=1:00\r\n[DayData]\r\n25=3/25,x,,8:00,19:30,,,,,,,,,,\r\n");
    WriteMonth(4, "[System]\r\nLastDay=30\r\n[DayData]\r\n24=4/24,x,,8:00,18:00,,,,,,,,,,\r\n");
    m_session.ShowMonth(2024, 3, false);
    m_session.sheet.days[1][DayColumn::Memo] = "unsaved"; // the leave-month check decides about these first
    const auto before = Files();

    ASSERT_TRUE(m_session.ShowSpan({{2024, 3, 25}, {2024, 4, 24}}));
    EXPECT_TRUE(m_session.SpanShown());
    EXPECT_EQ(m_session.sheet.dayCount, 31);
    EXPECT_EQ(m_session.sheet.days[1][DayColumn::Zangyo], " 2:30");
    EXPECT_EQ(m_session.sheet.summary.zangyoTime, "  3:30");
    m_session.sheet.days[2][DayColumn::Arrival] = "9:00";
    m_session.SaveShownMonth();
    EXPECT_EQ(Files(), before);

    // A second span replaces the first; the month to go back to stays March.
    ASSERT_TRUE(m_session.ShowSpan({{2024, 4, 24}, {2024, 4, 24}}));
    EXPECT_EQ(m_session.sheet.dayCount, 1);
    EXPECT_EQ(m_session.sheet.summary.zangyoTime, "  1:00");
    EXPECT_FALSE(m_session.ShowSpan({{2024, 4, 24}, {2024, 5, 25}}));
    EXPECT_EQ(m_session.sheet.dayCount, 1);

    m_session.ReleaseSpan();
    EXPECT_FALSE(m_session.SpanShown());
    EXPECT_EQ(m_session.sheet.loadedMonth, 3);
    EXPECT_EQ(m_session.sheet.dayCount, 31);
    EXPECT_EQ(m_session.sheet.days[1][DayColumn::Memo], "");
    EXPECT_EQ(m_session.sheet.summary.zangyoTime, "1:00");
    m_session.sheet.days[2][DayColumn::Memo] = "saved";
    m_session.SaveShownMonth();
    EXPECT_NE(Files(), before);
}

// The window's checked save (AutoSave before the paid-leave window, say) while a span of November is shown from
// December: no month file is written, no question is asked about the span's files, nothing is reloaded, and
// the span stays until it is released.
TEST_F(SpanView, CheckedSaveOfASpanWritesAsksAndReloadsNothing) {
    WriteMonth(12, "[System]\r\nLastDay=31\r\n[DayData]\r\n 1=12/ 1,x,,8:00,18:00,,,,,,,,,,\r\n");
    m_session.ShowMonth(2024, 12, false);
    ASSERT_TRUE(m_session.ShowSpan({{2024, 11, 20}, {2024, 11, 30}}));
    m_session.sheet.days[2][DayColumn::Memo] = "typed";
    const auto before = Files();

    test::SaveQuestionAnswer questions(Answer::Yes);
    EXPECT_EQ(m_session.SaveShownMonthChecked(questions), SaveOutcome::Kept);
    EXPECT_EQ(questions.asked, 0);
    EXPECT_EQ(Files(), before);
    EXPECT_TRUE(m_session.SpanShown());
    EXPECT_EQ(m_session.sheet.dayCount, 11);
    EXPECT_EQ(m_session.sheet.days[2][DayColumn::Memo], "typed");

    m_session.ReleaseSpan();
    EXPECT_EQ(m_session.sheet.loadedMonth, 12);
    EXPECT_EQ(m_session.sheet.days[1][DayColumn::Arrival], "8:00");
}

} // namespace
} // namespace mitoran
