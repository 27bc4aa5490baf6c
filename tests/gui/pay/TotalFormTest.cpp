// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pay/TotalForm.h"

#include "engine/calendar/Calendar.h"
#include "engine/month/MonthCalendar.h"
#include "engine/month/MonthFile.h"
#include "engine/settings/HolidayList.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"
#include "engine/totals/PayAmounts.h"
#include "gui/WindowTestSupport.h"
#include "gui/common/Accessibility.h"
#include "gui/common/PassForm.h"
#include "gui/main/TokuSyukeiUnit.h"
#include "platform/Cp932Qt.h"

#include <QAction>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <fstream>
#include <iterator>
#include <map>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

class TotalFormTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void payWindowShowsTheEnginesFiguresBehindThePassword();
    void spanReplacesTheMonthUntilReleased();
    void spanStaysThroughTheLeaveWindowWithAutoSave();
    void userSwitchAsksTheNewUsersAmountsPassword();

private:
    // The sheet month under the profile's closing day with a record for every day; `times` gives arrival and
    // leaving of some dates (month, day) of 2004.
    void WriteMonth(int year, int month, const std::map<std::pair<int, int>, std::string>& times) const;
    TTotal* PayWindow() const { return m_main->findChild<TTotal*>(u"TTotal"_s); }
    QLineEdit* PayMemo(const char* name) const { return PayWindow()->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QString PayText(const char* name) const { return PayMemo(name)->text().trimmed(); }
    void EnterSpan(QDate first, QDate last);
    void SwitchUser(const char* user);
    // Answers each amounts password prompt with the next entry; Cancel once they are used up.
    QTimer* AnswerPrompts(const QStringList& entries, int& prompts);

    std::unique_ptr<test::WindowEnvironment> m_env;
    std::unique_ptr<TZangyoMain> m_main;
    std::unique_ptr<QTimer> m_profilePassword;
};

void TotalFormTest::init() {
    m_env = std::make_unique<test::WindowEnvironment>();
    // Under the alternate profile's closing day 20, 25 February belongs to the sheet month of March.
    const std::map<std::pair<int, int>, std::string> times{
        {{2, 25}, " 8:00,18:00"}, {{3, 9}, " 8:00,20:00"}, {{3, 10}, " 8:00,16:00"}};
    WriteMonth(2004, 2, times);
    WriteMonth(2004, 3, times);
    m_main = m_env->MainWindow();
    m_main->show();
}

void TotalFormTest::cleanup() {
    m_profilePassword.reset();
    m_main.reset();
    m_env.reset();
}

void TotalFormTest::WriteMonth(int year, int month, const std::map<std::pair<int, int>, std::string>& times) const {
    CalendarRules rules;
    rules.simeDay = test::Expected(31, 20);
    MonthSheet sheet;
    BuildMonthCalendar(sheet, year, month, rules, HolidayList{});
    std::string text = "[System]\r\nLastDay=" + std::to_string(sheet.dayCount) + "\r\n[DayData]\r\n";
    for (int d = 1; d <= sheet.dayCount; ++d) {
        const std::string& date = sheet.days[d][DayColumn::Date];
        const CalendarDate calendarDate = RowDate(date, year, month);
        const auto found = times.find({calendarDate.month, calendarDate.day});
        text += DayDataKey(d) + "=" + date + ",x,  ," + (found == times.end() ? "," : found->second) + ",,,,,,,,,,\r\n";
    }
    std::ofstream(MonthFilePath(m_env->folders.DataFolder(), year, month, ""), std::ios::binary) << text;
}

void TotalFormTest::payWindowShowsTheEnginesFiguresBehindThePassword() {
    m_main->CurrentSession().settings.KinPass = "kane";
    int prompts = 0;
    QString entry = u"wrong"_s;
    QTimer* passwords = test::HandleModals<TPass>(this, [&](TPass& pass) {
        ++prompts;
        pass.findChild<QLineEdit*>(u"PassEdit"_s)->setText(entry);
        QTest::mouseClick(pass.findChild<QPushButton*>(u"OkButton"_s), Qt::LeftButton);
    });
    m_main->findChild<QPushButton*>(u"TotalButton"_s)->click();
    QCOMPARE(prompts, 3);
    QCOMPARE(m_env->questions.asked.back().text, text::kPasswordWrong);
    QVERIFY(PayWindow() == nullptr || !PayWindow()->isVisible());

    entry = u"KANE"_s;
    m_main->findChild<QAction*>(u"KingakuItem"_s)->trigger();
    delete passwords;
    QVERIFY(PayWindow()->isVisible());
    QVERIFY(!PayWindow()->isModal());
    QCOMPARE(PayWindow()->windowTitle(), u"給与金額"_s);

    // Every field as the engine's pay view of the month gives it: 3:00 of overtime on 9 March. The alternate
    // profile's sheet month of 29 days adds 1:00 on 25 February, and its flex time counts 10 March's 7 hours as
    // -1:00; "Hankyu05" shows the days with a decimal. The target take-home pay is far off: the remainder is
    // negative and red.
    const Session& session = m_main->CurrentSession();
    for (const PayField& field : PayFields(CalculatePayView(session.sheet, session.settings))) {
        QLineEdit* memo = PayMemo(field.name);
        QVERIFY2(memo != nullptr, field.name);
        QCOMPARE(memo->text(), ToQString(field.text));
        QCOMPARE(memo->isEnabled(), field.enabled);
    }
    QCOMPARE(PayText("ZanTMemo"), u"3:00"_s);
    QCOMPARE(PayText("ZanKinMemo"), u"4,500"_s);
    QCOMPARE(PayText("GeeKeiMemo"), test::Expected(u"31"_s, u"29.0"_s));
    QVERIFY(!PayMemo("MokuTimeMemo")->isEnabled());
    const auto textColor = [this](const char* name) { return PayMemo(name)->palette().color(QPalette::Text); };
    QVERIFY(PayText("MokuTMemo").startsWith(u'-'));
    QCOMPARE(textColor("MokuTMemo"), AlertTextColor());
    QVERIFY(textColor("ZanTMemo") != AlertTextColor());
}

void TotalFormTest::EnterSpan(QDate first, QDate last) {
    bool refusedOnce = false;
    QTimer* handler = test::HandleModals<TTokuSyukeiForm>(this, [&](TTokuSyukeiForm& dialog) {
        dialog.findChild<QDateEdit*>(u"StartDateTimePicker"_s)->setDate(last.addDays(1));
        dialog.findChild<QDateEdit*>(u"EndDateTimePicker"_s)->setDate(last);
        dialog.findChild<QPushButton*>(u"OkButton"_s)->click();
        refusedOnce = dialog.isVisible() && m_env->questions.asked.back().text == text::kSpanRefused;
        dialog.findChild<QDateEdit*>(u"StartDateTimePicker"_s)->setDate(first);
        dialog.findChild<QPushButton*>(u"OkButton"_s)->click();
    });
    m_main->findChild<QAction*>(u"TokuSyukeiItem"_s)->trigger();
    delete handler;
    QVERIFY(refusedOnce);
}

// With the pay window open, a span from 25 February to 10 March shows its own figures, saves nothing, and its
// release brings the month's figures back.
void TotalFormTest::spanReplacesTheMonthUntilReleased() {
    m_profilePassword.reset(m_env->AnswerAmountsPassword(this));
    m_env->questions.fallback = Answer::No; // the recalculated month is left unsaved
    m_main->findChild<QPushButton*>(u"TotalButton"_s)->click();
    QCOMPARE(PayText("TKeiTMemo"), u"3:00"_s);

    EnterSpan(QDate(2004, 2, 25), QDate(2004, 3, 10));
    const auto marchFile = MonthFilePath(m_env->folders.DataFolder(), 2004, 3, "");
    const std::string marchBytes = ReadBytes(marchFile);
    QVERIFY(m_main->CurrentSession().SpanShown());
    QCOMPARE(m_main->DisplayedMonth(), (YearMonth{2004, 3}));
    QCOMPARE(m_main->CurrentSession().sheet.dayCount, 15);
    // 1:00 on 25 February and 3:00 on 9 March; flex time counts 10 March's 7 hours as -1:00.
    QCOMPARE(PayText("TKeiTMemo"), test::Expected(u"4:00"_s, u"3:00"_s));
    QCOMPARE(PayText("GeeKeiMemo"), test::Expected(u"15"_s, u"15.0"_s));
    QCOMPARE(m_main->findChild<QLineEdit*>(u"KeiTMemo"_s)->text().trimmed(), test::Expected(u"4:00"_s, u"3:00"_s));
    QVERIFY(!m_main->findChild<QPushButton*>(u"SaveButton"_s)->isEnabled());
    QVERIFY(!m_main->findChild<QAction*>(u"NextItem"_s)->isEnabled());
    QVERIFY(m_main->findChild<QAction*>(u"TokuSyukeiItem"_s)->isChecked());
    auto* release = m_main->findChild<QAction*>(u"TokuKaijyoItem"_s);
    QVERIFY(release->isEnabled());

    m_main->CurrentSession().sheet.days[1][DayColumn::Memo] = "edited";
    m_main->SaveButtonClick();
    QCOMPARE(ReadBytes(marchFile), marchBytes);

    release->trigger();
    QVERIFY(!m_main->CurrentSession().SpanShown());
    QCOMPARE(PayText("TKeiTMemo"), u"3:00"_s);
    QCOMPARE(PayText("GeeKeiMemo"), test::Expected(u"31"_s, u"29.0"_s));
    QVERIFY(m_main->findChild<QPushButton*>(u"SaveButton"_s)->isEnabled());
    QVERIFY(!release->isEnabled());
    QVERIFY(!m_main->findChild<QAction*>(u"TokuSyukeiItem"_s)->isChecked());
    QCOMPARE(ReadBytes(marchFile), marchBytes);

    // Closing during a span goes back to the month first and writes no day of the span. The pay window, open at
    // the end, keeps its position.
    EnterSpan(QDate(2004, 3, 1), QDate(2004, 3, 31));
    m_main->CurrentSession().sheet.days[2][DayColumn::Arrival] = "7:00";
    PayWindow()->move(40, 30);
    QVERIFY(m_main->close());
    QCOMPARE(ReadBytes(marchFile), marchBytes);
    const auto position = m_env->store.Values(UserKeyPath(""), "Position");
    QVERIFY(position.contains("TTotal.Top") && position.contains("TTotal.Left"));
    QCOMPARE(position.at("TTotal.Top"), std::to_string(PayWindow()->y()));
    QCOMPARE(position.at("TTotal.Left"), std::to_string(PayWindow()->x()));
}

// "AutoSave" saves the month before the paid-leave window opens, but a span of January shown from March is no
// month: nothing is saved or asked, and the span stays until it is released.
void TotalFormTest::spanStaysThroughTheLeaveWindowWithAutoSave() {
    m_main->CurrentSession().settings.AutoSave = true;
    EnterSpan(QDate(2004, 1, 20), QDate(2004, 1, 30));
    const std::size_t asked = m_env->questions.asked.size();
    m_env->questions.answers = {Answer::No};
    m_main->findChild<QPushButton*>(u"VacationButton"_s)->click();
    QCOMPARE(m_env->questions.asked.size(), asked);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == u"TYuuKyu"_s)
            QVERIFY(window->isVisible() && window->close());
    }
    QVERIFY(m_main->CurrentSession().SpanShown());
    QVERIFY(!m_main->findChild<QPushButton*>(u"SaveButton"_s)->isEnabled());
    m_main->findChild<QAction*>(u"TokuKaijyoItem"_s)->trigger();
    QCOMPARE(m_main->DisplayedMonth(), (YearMonth{2004, 3}));
    QVERIFY(m_main->findChild<QPushButton*>(u"SaveButton"_s)->isEnabled());

    EnterSpan(QDate(2004, 1, 20), QDate(2004, 1, 30));
    QVERIFY(m_main->close());
    QVERIFY(!std::filesystem::exists(MonthFilePath(m_env->folders.DataFolder(), 2004, 1, "")));
}

void TotalFormTest::SwitchUser(const char* user) {
    for (QAction* item : m_main->findChild<QMenu*>(u"MultiUserMenu"_s)->actions()) {
        if (item->data().toByteArray() == user)
            item->trigger();
    }
}

QTimer* TotalFormTest::AnswerPrompts(const QStringList& entries, int& prompts) {
    prompts = 0;
    return test::HandleModals<TPass>(this, [entries, &prompts](TPass& pass) {
        const int index = prompts++;
        if (index >= entries.size()) {
            pass.reject();
            return;
        }
        pass.findChild<QLineEdit*>(u"PassEdit"_s)->setText(entries[index]);
        QTest::mouseClick(pass.findChild<QPushButton*>(u"OkButton"_s), Qt::LeftButton);
    });
}

// The pay window open while the user is switched shows the new user's amounts only behind their amounts password,
// and closes when it does not pass. Opening it is no edit of the month: leaving asks nothing and saves nothing.
void TotalFormTest::userSwitchAsksTheNewUsersAmountsPassword() {
    for (const std::string user : {"a", "b"}) {
        std::filesystem::create_directories(m_env->folders.DataFolder() / user);
        m_env->StoreSettings(
            [&user](Settings& settings) {
                settings.KinPass = user == "a" ? "pa" : "";
                settings.Kin[1] = user == "a" ? 300000 : 100000;
            },
            user);
    }
    m_main = m_env->MainWindow({"/M"});
    m_main->show();
    SwitchUser("b");
    m_main->findChild<QPushButton*>(u"TotalButton"_s)->click();
    QVERIFY(PayWindow()->isVisible());
    QCOMPARE(PayText("KihonMemo"), u"100,000"_s);
    QVERIFY(!m_main->CurrentSession().sheet.IsChanged());

    int prompts = 0;
    QTimer* answers = AnswerPrompts({u"x"_s, u"y"_s, u"z"_s}, prompts);
    SwitchUser("a");
    QCOMPARE(prompts, 3);
    QCOMPARE(m_main->CurrentSession().CurrentUser(), std::string("a"));
    QVERIFY(!PayWindow()->isVisible());
    QVERIFY(!std::filesystem::exists(MonthFilePath(m_env->folders.DataFolder(), 2004, 3, "b")));
    for (const auto& question : m_env->questions.asked)
        QVERIFY(question.text != text::kSaveQuestion);
    delete answers;

    SwitchUser("b");
    m_main->findChild<QPushButton*>(u"TotalButton"_s)->click();
    answers = AnswerPrompts({u"PA"_s}, prompts);
    SwitchUser("a");
    delete answers;
    QCOMPARE(prompts, 1);
    QVERIFY(PayWindow()->isVisible());
    QCOMPARE(PayText("KihonMemo"), u"300,000"_s);
}

} // namespace mitoran

QTEST_MAIN(mitoran::TotalFormTest)
#include "TotalFormTest.moc"
