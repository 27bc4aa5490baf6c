// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/TAdjustForm.h"
#include "gui/main/TSetForm.h"

#include "engine/month/MonthSheet.h"
#include "engine/text/Cp932.h"
#include "gui/WindowTestSupport.h"
#include "platform/Cp932Qt.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

std::string Sjis(const char* utf8) {
    return Utf8ToCp932(utf8);
}

TimeConfirmRequest Request(TimeKind kind, const char* proposed, int step) {
    return {kind, Sjis("3月5日(火)"), {"8:07", proposed}, step};
}

// Two days of March 2024: Tuesday 5 (a working day) and Wednesday 6 (a day off).
MonthSheet TwoDays() {
    MonthSheet sheet;
    sheet.dayCount = 2;
    sheet.days[1][DayColumn::Date] = " 3/ 5";
    sheet.days[1][DayColumn::Weekday] = Sjis("火");
    sheet.days[1][DayColumn::Kubun] = "  ";
    sheet.days[2][DayColumn::Date] = " 3/ 6";
    sheet.days[2][DayColumn::Weekday] = Sjis("水");
    sheet.days[2][DayColumn::Kubun] = Sjis("○");
    return sheet;
}

} // namespace

class TimeDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void plusAndMinusStepWithinTheDay_data();
    void plusAndMinusStepWithinTheDay();
    void stampDialogTextsAndNormalisedOk();
    void escCancelsALeavingButNotAnArrival();
    void fixedZeroStaysAsZeroWithItsMark();
    void manualEntryTextsAndTheStatutoryHoliday();
    void manualEntryValuesAreTakenHoweverItCloses();

private:
    std::optional<std::string> Confirm(const TimeConfirmRequest& request, std::function<void(TTimeAdjust&)> act);
    void Edit(MonthSheet& sheet, int day, int column, std::function<void(TTimeSet&)> act);

    std::unique_ptr<TTimeAdjust> m_adjust;
    std::unique_ptr<TTimeSet> m_set;
};

void TimeDialogsTest::cleanup() {
    m_adjust.reset();
    m_set.reset();
}

std::optional<std::string> TimeDialogsTest::Confirm(const TimeConfirmRequest& request,
                                                    std::function<void(TTimeAdjust&)> act) {
    if (!m_adjust)
        m_adjust = std::make_unique<TTimeAdjust>();
    QTimer* handler = test::HandleModals<TTimeAdjust>(this, [act](TTimeAdjust& dialog) {
        act(dialog);
        if (dialog.isVisible())
            dialog.reject();
    });
    const std::optional<std::string> accepted = m_adjust->ConfirmTime(request);
    handler->stop();
    delete handler;
    return accepted;
}

void TimeDialogsTest::Edit(MonthSheet& sheet, int day, int column, std::function<void(TTimeSet&)> act) {
    if (!m_set)
        m_set = std::make_unique<TTimeSet>();
    QTimer* handler = test::HandleModals<TTimeSet>(this, [act](TTimeSet& dialog) {
        act(dialog);
        if (dialog.isVisible())
            dialog.close();
    });
    QVERIFY(ZanTimeIn(sheet, day, column, *m_set));
    handler->stop();
    delete handler;
}

void TimeDialogsTest::plusAndMinusStepWithinTheDay_data() {
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("clicks"); // "+" and "-" in order
    QTest::addColumn<QString>("result");
    QTest::newRow("up by 15") << u" 8:15"_s << 15 << u"+"_s << u" 8:30"_s;
    QTest::newRow("down to zero") << u" 0:10"_s << 15 << u"-"_s << u" 0:00"_s;
    QTest::newRow("never below zero") << u" 0:10"_s << 15 << u"--"_s << u" 0:00"_s;
    QTest::newRow("one minute without rounding") << u" 8:07"_s << 1 << u"++-"_s << u" 8:08"_s;
    QTest::newRow("held at 48:00") << u"47:50"_s << 15 << u"++"_s << u"48:00"_s;
    QTest::newRow("typed form") << u"830"_s << 10 << u"+"_s << u" 8:40"_s;
}

void TimeDialogsTest::plusAndMinusStepWithinTheDay() {
    QFETCH(QString, proposed);
    QFETCH(int, step);
    QFETCH(QString, clicks);
    QFETCH(QString, result);
    QString shown;
    const std::optional<std::string> accepted =
        Confirm(Request(TimeKind::Arrival, FromQString(proposed).c_str(), step), [&](TTimeAdjust& dialog) {
            for (const QChar click : clicks) {
                const QString name = click == u'+' ? u"SpeedButtonUp"_s : u"DownSpeedButton"_s;
                QTest::mouseClick(dialog.findChild<QToolButton*>(name), Qt::LeftButton);
            }
            shown = dialog.findChild<QLineEdit*>(u"TimeMemo"_s)->text();
            QTest::mouseClick(dialog.findChild<QPushButton*>(u"OkButton"_s), Qt::LeftButton);
        });
    QCOMPARE(shown, result);
    QVERIFY(accepted.has_value());
    QCOMPARE(ToQString(*accepted), result);
}

void TimeDialogsTest::stampDialogTextsAndNormalisedOk() {
    QWidget* focused = nullptr;
    QString title;
    QString group;
    QString help;
    QString now;
    const std::optional<std::string> accepted =
        Confirm(Request(TimeKind::Leaving, "25:30", 15), [&](TTimeAdjust& dialog) {
            focused = QApplication::focusWidget();
            title = dialog.windowTitle();
            group = dialog.findChild<QGroupBox*>(u"AdjustGroupBox"_s)->title();
            help = dialog.findChild<QLabel*>(u"HelpLabel"_s)->text();
            now = dialog.findChild<QLineEdit*>(u"NowMemo"_s)->text();
            auto* time = dialog.findChild<QLineEdit*>(u"TimeMemo"_s);
            time->setFocus();
            time->selectAll();
            QTest::keyClicks(time, u"8.30"_s);
            QTest::keyClick(time, Qt::Key_J, Qt::ControlModifier); // a typed line feed is not taken
            QTest::keyClick(time, Qt::Key_Return);                 // OK is the default button
        });
    QCOMPARE(focused->objectName(), u"OkButton"_s);
    QCOMPARE(title, u"退社時刻自動入力"_s);
    QCOMPARE(group, u"退社時刻"_s);
    QCOMPARE(help, u"3月5日(火)の退社時刻を自動入力します。"_s);
    QCOMPARE(now, u"8:07"_s);
    QVERIFY(accepted.has_value());
    QCOMPARE(*accepted, std::string(" 8:30"));
    QCOMPARE(m_adjust->findChild<QLineEdit*>(u"TimeMemo"_s)->text(), u" 8:30"_s);

    // The next use starts afresh, with the arrival's words.
    Confirm(Request(TimeKind::Arrival, " 8:15", 15), [&](TTimeAdjust& dialog) { title = dialog.windowTitle(); });
    QCOMPARE(title, u"出社時刻自動入力"_s);
}

void TimeDialogsTest::escCancelsALeavingButNotAnArrival() {
    m_adjust = std::make_unique<TTimeAdjust>();
    QSignalSpy escapes(m_adjust.get(), &TTimeAdjust::EscapePressed);
    QSignalSpy opened(m_adjust.get(), &TTimeAdjust::OpenChanged);

    bool stillOpen = false;
    std::optional<std::string> accepted = Confirm(Request(TimeKind::Leaving, "19:00", 15), [&](TTimeAdjust& dialog) {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        stillOpen = dialog.isVisible();
    });
    QVERIFY(!stillOpen);
    QVERIFY(!accepted.has_value());
    QCOMPARE(escapes.count(), 0);

    accepted = Confirm(Request(TimeKind::Arrival, " 8:15", 15), [&](TTimeAdjust& dialog) {
        QTest::keyClick(dialog.findChild<QLineEdit*>(u"TimeMemo"_s), Qt::Key_Escape);
        stillOpen = dialog.isVisible();
        QTest::mouseClick(dialog.findChild<QPushButton*>(u"CancelButton"_s), Qt::LeftButton);
    });
    QVERIFY(stillOpen);
    QCOMPARE(escapes.count(), 1);
    QVERIFY(!accepted.has_value());

    // Open and closed twice: the tray's "終了" follows.
    QCOMPARE(opened.count(), 4);
    QCOMPARE(opened.at(0).at(0).toBool(), true);
    QCOMPARE(opened.at(3).at(0).toBool(), false);
}

void TimeDialogsTest::fixedZeroStaysAsZeroWithItsMark() {
    MonthSheet sheet = TwoDays();
    sheet.days[1][DayColumn::Zangyo] = " 1:30";
    QWidget* focused = nullptr;
    Edit(sheet, 1, 5, [&](TTimeSet& dialog) {
        focused = QApplication::focusWidget();
        QTest::mouseClick(dialog.findChild<QCheckBox*>(u"NoCalcCheckBox"_s), Qt::LeftButton);
        auto* field = dialog.findChild<QLineEdit*>(u"ZanTimeMemo"_s);
        field->setFocus();
        QTRY_COMPARE(field->selectedText(), u" 1:30"_s); // entering the field selects its text
        QTest::keyClicks(field, u"0"_s);
        QTest::keyClick(field, Qt::Key_Return);
    });
    QCOMPARE(focused->objectName(), u"NoCalcCheckBox"_s);
    QCOMPARE(sheet.days[1][DayColumn::Zangyo], std::string(" 0:00"));
    QCOMPARE(sheet.days[1].zangyoFixed, std::string("*"));

    // Without the mark a zero is no value at all.
    Edit(sheet, 1, 5, [&](TTimeSet& dialog) {
        QVERIFY(dialog.findChild<QCheckBox*>(u"NoCalcCheckBox"_s)->isChecked());
        QTest::mouseClick(dialog.findChild<QCheckBox*>(u"NoCalcCheckBox"_s), Qt::LeftButton);
        QTest::keyClick(dialog.findChild<QLineEdit*>(u"ZanTimeMemo"_s), Qt::Key_Return);
    });
    QCOMPARE(sheet.days[1][DayColumn::Zangyo], std::string());
    QCOMPARE(sheet.days[1].zangyoFixed, std::string());
}

void TimeDialogsTest::manualEntryTextsAndTheStatutoryHoliday() {
    MonthSheet sheet = TwoDays();
    sheet.days[1].houteiMark = "*"; // left over on a working day: shown unticked, and cleared
    bool enabled = true;
    bool checked = true;
    QString label;
    QString title;
    QString noCalcCaption;
    QString noCalcHint;
    QString valueHint;
    QString houteiCaption;
    Edit(sheet, 1, 7, [&](TTimeSet& dialog) {
        auto* houtei = dialog.findChild<QCheckBox*>(u"HouteiKyujituCheckBox"_s);
        auto* noCalc = dialog.findChild<QCheckBox*>(u"NoCalcCheckBox"_s);
        enabled = houtei->isEnabled();
        checked = houtei->isChecked();
        houteiCaption = houtei->text();
        title = dialog.windowTitle();
        noCalcCaption = noCalc->text();
        noCalcHint = noCalc->toolTip();
        valueHint = dialog.findChild<QLineEdit*>(u"ZanTimeMemo"_s)->toolTip();
        label = dialog.findChild<QLabel*>(u"ZanTimeLabel"_s)->text();
    });
    QVERIFY(!enabled);
    QVERIFY(!checked);
    QCOMPARE(title, u"勤務時間入力"_s);
    QCOMPARE(noCalcCaption, u"勤務時間を[再計算]の対象外とする"_s);
    QCOMPARE(noCalcHint, u"ﾁｪｯｸすると勤務時間が[再計算]の対象外となります。"_s);
    QCOMPARE(valueHint, u"任意の勤務時間を入力します。"_s);
    QCOMPARE(label, u" 3月 5日(火)の勤務時間"_s);
    QCOMPARE(houteiCaption, u"法定休日である （給与計算で使用）"_s);
    QCOMPARE(sheet.days[1].houteiMark, std::string());

    // On a day off the box can be ticked, and then marks the day.
    Edit(sheet, 2, 6, [&](TTimeSet& dialog) {
        auto* houtei = dialog.findChild<QCheckBox*>(u"HouteiKyujituCheckBox"_s);
        enabled = houtei->isEnabled();
        QTest::mouseClick(houtei, Qt::LeftButton);
        title = dialog.windowTitle();
    });
    QVERIFY(enabled);
    QCOMPARE(title, u"深夜残業時間入力"_s);
    QCOMPARE(sheet.days[2].houteiMark, std::string("*"));
}

void TimeDialogsTest::manualEntryValuesAreTakenHoweverItCloses() {
    MonthSheet sheet = TwoDays();
    m_set = std::make_unique<TTimeSet>();
    QSignalSpy escapes(m_set.get(), &TTimeSet::EscapePressed);
    bool openAfterEsc = false;
    Edit(sheet, 2, 5, [&](TTimeSet& dialog) {
        auto* field = dialog.findChild<QLineEdit*>(u"ZanTimeMemo"_s);
        field->setText(u"2:45"_s);
        QTest::keyClick(field, Qt::Key_Escape); // the Esc rule: the dialog stays
        openAfterEsc = dialog.isVisible();
        dialog.close(); // the window's close button
    });
    QVERIFY(openAfterEsc);
    QCOMPARE(escapes.count(), 1);
    QCOMPARE(sheet.days[2][DayColumn::Zangyo], std::string(" 2:45"));
    QCOMPARE(sheet.days[2].zangyoFixed, std::string());
}

} // namespace mitoran

QTEST_MAIN(mitoran::TimeDialogsTest)
#include "TimeDialogsTest.moc"
