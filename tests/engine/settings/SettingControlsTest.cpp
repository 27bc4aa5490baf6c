// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/SettingControls.h"

#include "engine/settings/MemorySettingsStore.h"
#include "engine/text/Cp932.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>
#include <vector>

namespace mitoran {
namespace {

std::string Label(const char* text) {
    return text;
}

// Every box's rule when the focus leaves it, with the cases the dialog's description works by hand; the labour
// agreement's limits are held within the law, negative ones at 0:00, and text that is no time or number gives the
// default.
TEST(SettingControlsTest, LeavingRules) {
    using enum FieldRule;
    struct Case {
        FieldRule rule;
        std::vector<std::pair<const char*, const char*>> typedAndShown;
    };
    const Case cases[] = {
        {SimeDay,
         {{"29", "31"},
          {"28", "31"},
          {"27", "27"},
          {"0", "1"},
          {"-1", "1"},
          {"abc", "1"},
          {" 20 ", "20"},
          {"\x82\x50\x82\x54", "15"}}},
        {YukyuMonth, {{"-1", "0"}, {"12", "12"}, {"13", "12"}, {"0", "0"}, {"x", "4"}}},
        {PrintMemo, {{"9", "10"}, {"x", "10"}, {"25", "25"}}},
        {Daikyu, {{"8:00", "-8:00"}, {"-8:00", "-8:00"}, {"12:30", "-12:30"}, {"0", " 0:00"}, {"abc", " 0:00"}}},
        {HalfDay, {{"0.5", "-0.5"}, {"-0.25", "-0.3"}, {"1", "-1.0"}, {"x", "0.0"}}},
        {Margin, {{"-20", "20.0"}, {"15.55", "15.6"}, {"x", "0.0"}}},
        {Decimal, {{"3", "3.0"}, {"-1.26", "-1.3"}, {"", "0.0"}}},
        {Amount,
         {{"200000", "200,000"},
          {"1,500", "1,500"},
          {" 1 500 ", "1,500"},
          {"-1000", "-1,000"},
          {"x", "0"},
          {"99999999999", "0"}}},
        {Kake, {{"8,0", "8,0"}}},
        {None, {{"abc", "abc"}}},
        {LateNightEnd, {{"48:30", "48:30"}}},
        {MonthLimit, {{"50:00", "45:00"}, {"30:00", "30:00"}, {"-3:00", " 0:00"}, {"abc", "45:00"}}},
        {YearLimit, {{"400:00", "360:00"}, {"320:00", "320:00"}}},
        {SpecialMonthLimit, {{"100:00", "99:59"}, {"x", "80:00"}}},
        {SpecialYearLimit, {{"800:00", "720:00"}, {"", "720:00"}}},
        {LimitStart, {{"13", "12"}, {"0", "1"}, {"x", "4"}}},
        {LimitTimes, {{"7", "6"}, {"-1", "0"}, {"x", "6"}}},
    };
    for (const Case& c : cases) {
        for (const auto& [typed, shown] : c.typedAndShown) {
            SCOPED_TRACE(Label(typed));
            EXPECT_EQ(LeaveText(c.rule, typed), shown);
        }
    }
    EXPECT_EQ(EnterText(Amount, " 200,000 "), "200000");
    EXPECT_EQ(EnterText(None, " 200,000 "), " 200,000 ");
}

TEST(SettingControlsTest, LateNightEndAndTimeSlots) {
    struct Fold {
        const char* typed;
        const char* stored;
    };
    for (const Fold& c : {Fold{"48:30", " 0:30"}, Fold{"26:00", " 2:00"}, Fold{"24:00", "24:00"},
                          Fold{"48:00", "24:00"}, Fold{"5:00", "5:00"}, Fold{"7300", " 1:00"}}) {
        SCOPED_TRACE(Label(c.typed));
        EXPECT_EQ(FoldLateNightEnd(c.typed), c.stored);
    }
    EXPECT_EQ(FullTimeText(480), " 8:00");
    EXPECT_EQ(FullTimeText(0), " 0:00");
    EXPECT_EQ(FullTimeText(7200), "120:00");
    EXPECT_EQ(FullTimeText(-480), "-8:00");
    EXPECT_EQ(FullTimeText(-720), "-12:00");

    struct Slot {
        TimeSlot typed;
        TimeSlot stored;
    };
    const Slot slots[] = {
        {{"12:00", ""}, {"12:00", " 0:00"}},
        {{"", ""}, {"", ""}},
        {{" 0:00", "0"}, {"", ""}},
        {{"abc", "x"}, {"", ""}},
        {{"-8:00", ""}, {"-8:00", " 0:00"}},
        {{"800", "17.30"}, {" 8:00", "17:30"}},
        {{"120:00", ""}, {"120:00", " 0:00"}},
        {{"", "\x82\x57\x81\x46\x82\x4f\x82\x4f"}, {" 0:00", " 8:00"}},
    };
    for (const Slot& c : slots) {
        SCOPED_TRACE(c.typed.first + "," + c.typed.second);
        EXPECT_EQ(NormalizedSlot(c.typed), c.stored);
    }
}

// Each control names a stored value of the settings, of the type its kind shows.
TEST(SettingControlsTest, EveryControlNamesAStoredValue) {
    Settings settings;
    for (const SettingForm form : {SettingForm::Setting, SettingForm::PrivateInfo, SettingForm::PrintSetting}) {
        for (const SettingControl& control : FormControls(form)) {
            SCOPED_TRACE(Label(control.control));
            const SettingRef field = FindSetting(settings, control.key, control.half);
            switch (control.kind) {
            case ControlKind::Check:
            case ControlKind::CheckNot:
                EXPECT_TRUE(std::holds_alternative<bool*>(field));
                break;
            case ControlKind::Choice:
                EXPECT_GT(control.choices, 1);
                [[fallthrough]];
            case ControlKind::Number:
            case ControlKind::Minutes:
                EXPECT_TRUE(std::holds_alternative<int*>(field));
                break;
            case ControlKind::Text:
                EXPECT_TRUE(std::holds_alternative<std::string*>(field));
                break;
            }
        }
    }
    EXPECT_EQ(std::get<std::string*>(FindSetting(settings, "Time12", SlotHalf::Second)), &settings.Time[12].second);
    EXPECT_EQ(std::get<int*>(FindSetting(settings, "Kin07")), &settings.Kin[7]);
    EXPECT_EQ(std::get<bool*>(FindSetting(settings, "Week7Check")), &settings.WeekCheck[7]);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(FindSetting(settings, "Kin13")));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(FindSetting(settings, "Time1")));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(FindSetting(settings, "Week0Check")));
    EXPECT_EQ(std::get<int*>(FindSetting(settings, "Limits\\Month")), &settings.Limits.Month);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(FindSetting(settings, "Month")));
}

class SettingsFormTest : public ::testing::Test {
protected:
    void SetValue(const char* control, const std::string& text, int row = 0) {
        ControlValue* value = FindValue(m_values, SettingForm::Setting, control, row);
        ASSERT_NE(value, nullptr) << control;
        value->text = text;
    }
    void Store() { StoreFormValues(m_values, SettingForm::Setting, m_settings); }

    Settings m_settings;
    FormValues m_values = FormValuesOf(m_settings, SettingForm::Setting);
};

TEST_F(SettingsFormTest, ShowingFollowsTheStoredValues) {
    m_settings.Kin[1] = 200000;
    m_settings.Kin[7] = 80;
    m_settings.StartAdjustSelect = 7; // outside the four items
    m_settings.EndAutoIn = 2;
    m_settings.MokuhyoTime = true;
    m_settings.Time[3] = {"12:00", "13:00"};
    m_values = FormValuesOf(m_settings, SettingForm::Setting);
    EXPECT_EQ(FindValue(m_values, SettingForm::Setting, "KihonMemo")->text, "200,000");
    EXPECT_EQ(FindValue(m_values, SettingForm::Setting, "KakeMemo")->text, "80");
    EXPECT_EQ(FindValue(m_values, SettingForm::Setting, "StartAdjustRadioGroup")->index, 0);
    EXPECT_EQ(FindValue(m_values, SettingForm::Setting, "EndAutoInRadioGroup")->index, 2);
    EXPECT_TRUE(FindValue(m_values, SettingForm::Setting, "MokuTimeCheckBox")->checked);
    EXPECT_FALSE(FindValue(m_values, SettingForm::Setting, "MokuTedoriCheckBox")->checked);
    EXPECT_EQ(FindValue(m_values, SettingForm::Setting, kBreakGridName, 3)->text, "12:00");
    EXPECT_EQ(FindValue(m_values, SettingForm::Setting, "SimeDayMemo")->text, "31");
    EXPECT_EQ(FindValue(m_values, SettingForm::Setting, "NoSuchMemo"), nullptr);
}

// Text that is no number gives each box's default; numbers go through the box's leaving rule first. The closing
// day is read by its leaving rule alone, so OK stores what leaving the box would show ("abc" gives 1).
TEST_F(SettingsFormTest, OkReadsUnreadableTextAsTheDefaults) {
    struct Case {
        const char* control;
        const char* typed;
        int Settings::*field;
        int stored;
    };
    const Case cases[] = {
        {"SimeDayMemo", "abc", &Settings::SimeDay, 1},       {"SimeDayMemo", "-1", &Settings::SimeDay, 1},
        {"SimeDayMemo", "", &Settings::SimeDay, 1},          {"SimeDayMemo", "28", &Settings::SimeDay, 31},
        {"SimeDayMemo", "29", &Settings::SimeDay, 31},       {"SimeDayMemo", "20", &Settings::SimeDay, 20},
        {"PrintMemoLenMemo", "x", &Settings::PrintMemo, 10}, {"PrintMemoLenMemo", "3", &Settings::PrintMemo, 10},
        {"YukyuMonthMemo", "x", &Settings::YukyuMonth, 4},   {"YukyuMonthMemo", "99", &Settings::YukyuMonth, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Label(c.control) + " " + c.typed);
        SetValue(c.control, c.typed);
        Store();
        EXPECT_EQ(m_settings.*c.field, c.stored);
    }
    struct Amount {
        const char* control;
        const char* typed;
        int kin;
        int stored;
    };
    for (const Amount& c :
         {Amount{"KihonMemo", " 1,234,567 ", 1, 1234567}, Amount{"ZanMemo", "x", 4, 0},
          Amount{"MokuMemo", "1 500", 6, 1500}, Amount{"KakeMemo", "x", 7, 100}, Amount{"KakeMemo", "1,000", 7, 100},
          Amount{"KakeMemo", "75", 7, 75}, Amount{"HSZanMemo", "2,000", 12, 2000}}) {
        SCOPED_TRACE(Label(c.control) + " " + c.typed);
        SetValue(c.control, c.typed);
        Store();
        EXPECT_EQ(m_settings.Kin[static_cast<std::size_t>(c.kin)], c.stored);
    }
}

TEST_F(SettingsFormTest, OkNormalisesEveryTimeSlot) {
    SetValue("StartMemo", "8:00");
    SetValue("SinyaEndMemo", "48:30");
    SetValue("DaikyuMemo", "8:00");
    SetValue("MokuTimeMemo", "120:00");
    SetValue(kBreakGridName, "12:00", 3);
    SetValue("HanDayAMMemo", "0.5");
    SetValue("TopMarginMemo", "-12");
    Store();
    EXPECT_EQ(m_settings.Time[11].first, " 8:00");
    EXPECT_EQ(m_settings.Time[12].second, " 0:30");
    EXPECT_EQ(m_settings.Time[17], (TimeSlot{"-8:00", " 0:00"}));
    EXPECT_EQ(m_settings.Time[16], (TimeSlot{"120:00", " 0:00"}));
    EXPECT_EQ(m_settings.Time[3], (TimeSlot{"12:00", " 0:00"}));
    EXPECT_EQ(m_settings.Time[4], (TimeSlot{}));
    EXPECT_EQ(m_settings.HanDayAM, "-0.5");
    EXPECT_EQ(m_settings.PageTopMargin, "12.0");
}

TEST_F(SettingsFormTest, ChecksAndChoicesAreStored) {
    FindValue(m_values, SettingForm::Setting, "MokuTimeCheckBox")->checked = true;
    FindValue(m_values, SettingForm::Setting, "MokuTedoriCheckBox")->checked = true; // shows only
    FindValue(m_values, SettingForm::Setting, "Week4CheckBox")->checked = true;
    FindValue(m_values, SettingForm::Setting, "PrintGrayCheckBox")->checked = true;
    FindValue(m_values, SettingForm::Setting, "ZangyoTimeComboBox")->index = 5;
    FindValue(m_values, SettingForm::Setting, "IconSelectComboBox")->index = -1;
    Store();
    EXPECT_TRUE(m_settings.MokuhyoTime);
    EXPECT_TRUE(m_settings.WeekCheck[4]);
    EXPECT_TRUE(m_settings.PrintGary);
    EXPECT_EQ(m_settings.ZangyoTime2, 5);
    EXPECT_EQ(m_settings.IconSelect, 0);

    FormValues info = FormValuesOf(m_settings, SettingForm::PrivateInfo);
    FindValue(info, SettingForm::PrivateInfo, "PrivateNameEdit")->text = "Suzuki";
    FindValue(info, SettingForm::PrivateInfo, "CSVMonthAddCheckBox")->checked = true;
    StoreFormValues(info, SettingForm::PrivateInfo, m_settings);
    EXPECT_EQ(m_settings.PrivateName, "Suzuki");
    EXPECT_TRUE(m_settings.CSVMonthAdd);
}

// Showing what OK stored and storing it again changes nothing.
TEST_F(SettingsFormTest, StoringWhatIsShownIsStable) {
    MemorySettingsStore store;
    const test::TempFolder data;
    const test::FixedFolders folders(data.Path());
    LoadSettings(m_settings, {store, folders, "", "", false});
    StoreFormValues(FormValuesOf(m_settings, SettingForm::Setting), SettingForm::Setting, m_settings);
    const FormValues once = FormValuesOf(m_settings, SettingForm::Setting);
    StoreFormValues(once, SettingForm::Setting, m_settings);
    EXPECT_EQ(FormValuesOf(m_settings, SettingForm::Setting), once);
    EXPECT_EQ(m_settings.Time[14], (TimeSlot{" 4:00", " 0:00"}));
    EXPECT_FALSE(m_settings.Limits.Set);
}

// The 36協定 page: the limits shown as times, held within the law on OK; changing one sets the limits, which
// turns the warning on.
TEST_F(SettingsFormTest, OkHoldsTheLimitsAndSetsThemOnce) {
    EXPECT_EQ(FindValue(m_values, SettingForm::Setting, "LimitYearMemo")->text, "360:00");
    EXPECT_EQ(FindValue(m_values, SettingForm::Setting, "LimitStartMemo")->text, "4");
    SetValue("LimitMonthMemo", "50:00");
    SetValue("SpecialYearMemo", "800:00");
    SetValue("SpecialTimesMemo", "9");
    SetValue("LimitStartMemo", "1");
    FindValue(m_values, SettingForm::Setting, "SpecialCheckBox")->checked = true;
    Store();
    EXPECT_EQ(m_settings.Limits.Month, 45 * 60);
    EXPECT_EQ(m_settings.Limits.SpecialYear, 720 * 60);
    EXPECT_EQ(m_settings.Limits.SpecialTimes, 6);
    EXPECT_EQ(m_settings.Limits.Start, 1);
    EXPECT_TRUE(m_settings.Limits.Special);
    EXPECT_TRUE(m_settings.Limits.Set);
    EXPECT_TRUE(m_settings.Limits.Warning);

    // The button fills the general limits of a variable working-hours system.
    m_values = FormValuesOf(m_settings, SettingForm::Setting);
    ShowVariableHoursLimits(m_values);
    EXPECT_EQ(FindValue(m_values, SettingForm::Setting, "LimitMonthMemo")->text, "42:00");
    FindValue(m_values, SettingForm::Setting, "LimitWarningCheckBox")->checked = false;
    Store();
    EXPECT_EQ(m_settings.Limits.Month, 42 * 60);
    EXPECT_EQ(m_settings.Limits.Year, 320 * 60);
    EXPECT_FALSE(m_settings.Limits.Warning);
}

TEST(SettingControlsTest, EnableRules) {
    ControlValue governor;
    EXPECT_FALSE(IsEnabled(EnableWhen::Checked, governor));
    EXPECT_FALSE(IsEnabled(EnableWhen::IndexNotZero, governor));
    EXPECT_FALSE(IsEnabled(EnableWhen::IndexOne, governor));
    governor.index = 2;
    governor.checked = true;
    EXPECT_TRUE(IsEnabled(EnableWhen::Checked, governor));
    EXPECT_TRUE(IsEnabled(EnableWhen::IndexNotZero, governor));
    EXPECT_FALSE(IsEnabled(EnableWhen::IndexOne, governor));
    governor.index = 1;
    EXPECT_TRUE(IsEnabled(EnableWhen::IndexOne, governor));

    // Only the two check boxes of the start entry are cleared with it; every rule names controls of the table
    // (the print layout dialog's follow the settings dialog's print check boxes).
    int clearing = 0;
    for (const EnableRule& rule : EnableRules(SettingForm::Setting)) {
        clearing += rule.clears ? 1 : 0;
        EXPECT_NE(FindValue(FormValuesOf(Settings{}, SettingForm::Setting), SettingForm::Setting, rule.governor),
                  nullptr)
            << rule.governor;
    }
    EXPECT_EQ(clearing, 2);
    for (const EnableRule& rule : EnableRules(SettingForm::PrintSetting))
        EXPECT_NE(FindValue(FormValuesOf(Settings{}, SettingForm::Setting), SettingForm::Setting, rule.governor),
                  nullptr)
            << rule.governor;
}

TEST(SettingControlsTest, ColourItemsAndWorkingCopy) {
    const int slots[] = {0, 1, 2, 3, 4, 5, 8, 6, 7};
    for (int item = 0; item < kCellColorItems; ++item)
        EXPECT_EQ(CellColorSlot(item), slots[item]) << item;
    EXPECT_EQ(CellColorSlot(-1), 0);
    EXPECT_EQ(CellColorSlot(9), 0);

    Settings settings;
    CellColorCopy copy = CellColorsOf(settings);
    copy.use[8] = true;
    copy.color[8] = 0x00FF00;
    EXPECT_FALSE(settings.CellColorCheck[8]);
    StoreCellColors(copy, settings);
    EXPECT_TRUE(settings.CellColorCheck[8]);
    EXPECT_EQ(settings.CellColor[8], 0x00FF00);
    EXPECT_EQ(settings.CellColor[0], kSystemWindowColor);
}

TEST(SettingControlsTest, BreakRowCommands) {
    const auto numbered = [] {
        BreakRows rows;
        for (int i = 0; i < kBreakRows; ++i)
            rows[static_cast<std::size_t>(i)] = {std::to_string(i + 1), "e"};
        return rows;
    };
    const auto firsts = [](const BreakRows& rows) {
        std::string text;
        for (const TimeSlot& row : rows)
            text += (row.first.empty() ? "_" : row.first) + " ";
        return text;
    };
    struct Case {
        int (*command)(BreakRows&, int);
        int row;
        int cursor;
        const char* firsts;
    };
    const Case cases[] = {
        {MoveBreakRowUp, 3, 2, "1 3 2 4 5 6 7 8 9 10 "},   {MoveBreakRowUp, 1, 1, "1 2 3 4 5 6 7 8 9 10 "},
        {MoveBreakRowDown, 3, 4, "1 2 4 3 5 6 7 8 9 10 "}, {MoveBreakRowDown, 10, 10, "1 2 3 4 5 6 7 8 9 10 "},
        {InsertBreakRow, 3, 3, "1 2 _ 3 4 5 6 7 8 9 "},    {InsertBreakRow, 10, 10, "1 2 3 4 5 6 7 8 9 _ "},
        {DeleteBreakRow, 3, 3, "1 2 4 5 6 7 8 9 10 _ "},   {DeleteBreakRow, 10, 10, "1 2 3 4 5 6 7 8 9 _ "},
        {DeleteBreakRow, 0, 0, "1 2 3 4 5 6 7 8 9 10 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firsts);
        BreakRows changed = numbered();
        EXPECT_EQ(c.command(changed, c.row), c.cursor);
        EXPECT_EQ(firsts(changed), c.firsts);
    }
}

TEST(SettingControlsTest, PrintPositionChecks) {
    struct Case {
        PrintPositions positions;
        const char* control;
    };
    const Case cases[] = {
        {{0, 2, 1, 2, true, true, true}, nullptr},
        {{0, 2, 1, 1, true, true, true}, "PagePositionComboBox"},
        {{0, 2, 1, 1, true, false, true}, nullptr},
        {{0, 2, 1, 1, true, true, false}, nullptr},
        {{0, 0, 1, 2, true, true, true}, "NamePositionComboBox"},
        {{0, 0, 1, 2, false, true, true}, nullptr},
        {{0, 0, 1, 1, true, true, true}, "NamePositionComboBox"},
    };
    for (const Case& c : cases) {
        const std::optional<PositionConflict> conflict = CheckPrintPositions(c.positions);
        if (c.control == nullptr) {
            EXPECT_FALSE(conflict);
            continue;
        }
        ASSERT_TRUE(conflict);
        EXPECT_EQ(conflict->control, c.control);
        EXPECT_EQ(conflict->message,
                  Utf8ToCp932(std::string(c.control) == "PagePositionComboBox"
                                  ? "[ﾍﾟｰｼﾞ数]と[印刷日付]の印刷位置を同じ設定にする事はできません。"
                                  : "[所属と氏名]と[一覧表年月]の印刷位置を同じ設定にする事はできません。"));
    }
    EXPECT_EQ(FontSampleText(12), Utf8ToCp932("あいうABC123  12ﾎﾟｲﾝﾄ"));

    Settings settings;
    PrintFonts fonts = PrintFontsOf(settings);
    EXPECT_EQ(fonts[3], (PrintFont{settings.ListFontName, 9, 0}));
    fonts[5] = {"Sans", 11, 2};
    StorePrintFonts(fonts, settings);
    EXPECT_EQ(settings.DateFontName, "Sans");
    EXPECT_EQ(settings.DateFontSize, 11);
    EXPECT_EQ(settings.DateFontStyle, 2);
    EXPECT_EQ(settings.PageFontSize, 7);
}

} // namespace
} // namespace mitoran
