// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/MainForm.h"

#include "engine/calendar/Clock.h"
#include "engine/month/MonthCalendar.h"
#include "engine/month/MonthFile.h"
#include "engine/settings/ColorRef.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/text/ProfileFile.h"
#include "engine/text/Texts.h"
#include "gui/WindowTestSupport.h"
#include "gui/common/Accessibility.h"
#include "gui/main/BarPaintBox.h"
#include "gui/main/DayGridModel.h"
#include "gui/main/DayGridView.h"
#include "gui/main/JumpForm.h"
#include "platform/Cp932Qt.h"

#include <QAction>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

class MainFormTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startupShowsTodaysMonthWithTodaysArrivalSelected();
    void firstRunWritesTheHolidayListOnceOnScreen();
    void typedTimesAreCalculatedAndSavedWithCtrlS();
    void leavingAChangedMonthAsks();
    void autoSaveSavesSilentlyUnlessShiftIsHeld();
    void goToMonthClampsTheChosenMonth();
    void targetBarShowsProgress();
    void barToggleChangesTheWindowHeight();
    void drawingDecisionsReachTheGrid();
    void memoColourCountsAsAChange();
    void tabWalksTheTabStopsAndLeavesTheGrid();
    void popupShortcutsFollowTheColumn();
    void closingAsksAndStoresTheWindowState();
    void autoCalcRecalculatesOnCellChange();
    void holidayReadFillsOnlyEmptyCells();

private:
    void StartWindow();
    DayGridView* Grid() const { return m_window->findChild<DayGridView*>(u"DayStringGrid"_s); }
    QString Field(const QString& name) const { return m_window->findChild<QLineEdit*>(name)->text(); }
    QString Cell(int day, DayColumn column) const;
    // The row of a date of March 2004, the month shown.
    int Row(int day) const { return test::DayRow(m_window->CurrentSession().sheet, 3, day); }
    void TypeInto(int day, int column, const QString& text);
    void Click(const QString& button, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    std::filesystem::path MonthFile(int year, int month) const;
    void WriteMonth(int year, int month, const std::string& zangyo, const std::string& remainder);

    std::unique_ptr<test::WindowEnvironment> m_env;
    std::unique_ptr<TZangyoMain> m_window;
};

void MainFormTest::init() {
    m_env = std::make_unique<test::WindowEnvironment>();
    QVERIFY(m_env->folder.isValid());
}

void MainFormTest::cleanup() {
    m_window.reset();
}

void MainFormTest::StartWindow() {
    m_window = m_env->MainWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

QString MainFormTest::Cell(int day, DayColumn column) const {
    return ToQString(m_window->CurrentSession().sheet.days[day][column]);
}

void MainFormTest::TypeInto(int day, int column, const QString& text) {
    Grid()->setFocus();
    Grid()->SelectCell(day, column);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor != nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
}

void MainFormTest::Click(const QString& button, Qt::KeyboardModifiers modifiers) {
    auto* target = m_window->findChild<QPushButton*>(button);
    QVERIFY(target != nullptr);
    QTest::mouseClick(target, Qt::LeftButton, modifiers);
}

std::filesystem::path MainFormTest::MonthFile(int year, int month) const {
    return MonthFilePath(m_env->folders.DataFolder(), year, month, "");
}

void MainFormTest::WriteMonth(int year, int month, const std::string& zangyo, const std::string& remainder) {
    MonthSheet sheet;
    BuildMonthCalendar(sheet, year, month, CalendarRules{}, HolidayList{});
    sheet.summary.zangyoTime = zangyo;
    sheet.summary.shinyaTime = "0:00";
    sheet.summary.mokuhyoTime = remainder;
    ProfileFile file(MonthFile(year, month));
    WriteMonthFile(sheet, file);
    file.Flush();
}

// Under the alternate profile "/M" names the default user in the title and shows the user menu, and closing day 20
// makes March the 29 days from 21 February.
void MainFormTest::startupShowsTodaysMonthWithTodaysArrivalSelected() {
    StartWindow();
    QCOMPARE(m_window->windowTitle(), test::Expected(u"ミトラン"_s, u"ミトラン - (ｶﾚﾝﾄ)"_s));
    QCOMPARE(Field(u"YearMemo"_s), u"2004"_s);
    QCOMPARE(Field(u"MonthMemo"_s), u"3"_s);
    QCOMPARE(Grid()->model()->rowCount(), test::Expected(31, 29));
    QCOMPARE(Grid()->CurrentDay(), test::Expected(10, 19));
    QCOMPARE(Grid()->CurrentColumn(), DayGridView::kArrivalColumn);
    QCOMPARE(Cell(Grid()->CurrentDay(), DayColumn::Date), u" 3/10"_s);
    QCOMPARE(Cell(Row(20), DayColumn::Memo), u"春分の日"_s);
    QVERIFY(m_window->findChild<QAction*>(u"PrintIem"_s)->isEnabled());
    QVERIFY(m_window->findChild<QAction*>(u"KingakuItem"_s)->isEnabled());
    QVERIFY(!m_window->findChild<QAction*>(u"TokuKaijyoItem"_s)->isEnabled());
    QCOMPARE(m_window->findChild<QMenu*>(u"MultiUserMenu"_s)->menuAction()->isVisible(), test::Expected(false, true));
    // Nothing is written until the month is saved.
    QVERIFY(!std::filesystem::exists(MonthFile(2004, 3)));
}

// A first run shows its window before it writes the holiday list it creates, and writes it once.
void MainFormTest::firstRunWritesTheHolidayListOnceOnScreen() {
    const std::filesystem::path holidays = m_env->folders.DataFolder() / "Holiday.dat";
    m_window = m_env->MainWindow();
    QSignalSpy onScreen(m_window.get(), &TZangyoMain::OnScreen);
    QCOMPARE(m_window->CurrentSession().holidays.Find(1, 1)->IsMarked(), true);
    QVERIFY(!std::filesystem::exists(holidays));
    m_window->show();
    QTRY_COMPARE(onScreen.count(), 1);
    QVERIFY(std::filesystem::exists(holidays));
    m_window->repaint();
    QTest::qWait(20);
    QCOMPARE(onScreen.count(), 1);

    // A window that is never painted (started minimised) still writes them, at the latest a second after
    // showing: the test runs that second out at once.
    m_window.reset();
    std::filesystem::remove(holidays);
    m_window = m_env->MainWindow();
    QSignalSpy lateOnScreen(m_window.get(), &TZangyoMain::OnScreen);
    m_window->setUpdatesEnabled(false);
    m_window->show();
    QCoreApplication::processEvents();
    QVERIFY(!std::filesystem::exists(holidays));
    auto* atTheLatest = m_window->findChild<QTimer*>(u"OnScreenTimer"_s);
    QVERIFY(atTheLatest != nullptr && atTheLatest->isActive());
    QVERIFY(atTheLatest->interval() <= 1000);
    atTheLatest->start(0);
    QTRY_COMPARE(lateOnScreen.count(), 1);
    QVERIFY(std::filesystem::exists(holidays));
}

// 8:30 to 19:00 on Friday 5 March: 2:00 of ordinary overtime and 9:30 of work under the defaults; with flex time
// the 9:30 worked against the 8:00 required give 1:30, and "Hankyu05" shows the days worked with a decimal.
void MainFormTest::typedTimesAreCalculatedAndSavedWithCtrlS() {
    StartWindow();
    const int day = Row(5);
    TypeInto(day, DayGridView::kArrivalColumn, u"830"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(Grid()->CurrentColumn(), DayGridView::kLeavingColumn);
    QTest::keyClicks(QApplication::focusWidget(), u"19:00"_s);
    QCOMPARE(Cell(day, DayColumn::Leaving), u"19:00"_s);

    Click(u"CalcButton"_s);
    QCOMPARE(Cell(day, DayColumn::Arrival), u" 8:30"_s);
    QCOMPARE(Cell(day, DayColumn::Zangyo), test::Expected(u" 2:00"_s, u" 1:30"_s));
    QCOMPARE(Cell(day, DayColumn::Shinya), QString());
    QCOMPARE(Cell(day, DayColumn::Kinmu), u" 9:30"_s);
    QCOMPARE(Field(u"ZanTMemo"_s), test::Expected(u"  2:00"_s, u"  1:30"_s));
    QCOMPARE(Field(u"KeiTMemo"_s), test::Expected(u"  2:00"_s, u"  1:30"_s));
    QCOMPARE(Field(u"KinmuTMemo"_s), u"  9:30"_s);
    QCOMPARE(Field(u"SyukinMemo"_s).trimmed(), test::Expected(u"1"_s, u"1.0"_s));
    QVERIFY(Field(u"MokuTMemo"_s).contains(u'-'));
    QCOMPARE(m_window->findChild<QLineEdit*>(u"MokuTMemo"_s)->palette().color(QPalette::Text), AlertTextColor());
    QCOMPARE(m_window->findChild<QLineEdit*>(u"ZanTMemo"_s)->palette().color(QPalette::Text),
             QApplication::palette().color(QPalette::Text));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    const ProfileFile file(MonthFile(2004, 3));
    QVERIFY(file.Exists());
    QCOMPARE(ToQString(file.ReadString("DayData", DayDataKey(day), "")),
             test::Expected(u"3/ 5,金,  , 8:30,19:00, 2:00,,,,,, 9:30,,,"_s,
                            u"3/ 5,金,  , 8:30,19:00, 1:30,,,,,, 9:30,,,"_s));
    QCOMPARE(ToQString(file.ReadString("System", "ZangyoTime", "")), test::Expected(u"2:00"_s, u"1:30"_s));
    QVERIFY(!m_window->CurrentSession().sheet.IsChanged());
    // Saving moves the cell cursor off the computed columns.
    QCOMPARE(Grid()->CurrentColumn(), DayGridView::kMemoColumn);
    QVERIFY(m_env->questions.asked.empty());
}

// The leave-month check's answers are the engine's table; here one of them, through the window. With "AutoSave"
// (the alternate profile) the month is saved without the question.
void MainFormTest::leavingAChangedMonthAsks() {
    StartWindow();
    TypeInto(Row(2), DayGridView::kMemoColumn, u"meeting"_s);
    m_env->questions.answers = {Answer::Yes};
    Click(u"NextButton"_s);

    const std::size_t questions = test::Expected(1U, 0U);
    QCOMPARE(m_env->questions.asked.size(), questions);
    for (const test::ScriptedQuestions::Question& question : m_env->questions.asked) {
        QCOMPARE(question.caption, text::kSaveCaption);
        QCOMPARE(question.text, text::kSaveQuestion);
        QCOMPARE(question.buttons, Buttons::YesNoCancel);
    }
    QCOMPARE(Field(u"MonthMemo"_s), u"4"_s);
    QVERIFY(std::filesystem::exists(MonthFile(2004, 3)));
    Click(u"BackButton"_s);
    QCOMPARE(m_env->questions.asked.size(), questions); // April was not changed
    QCOMPARE(Field(u"MonthMemo"_s), u"3"_s);
    QCOMPARE(Cell(Row(2), DayColumn::Memo), u"meeting"_s);
}

void MainFormTest::autoSaveSavesSilentlyUnlessShiftIsHeld() {
    StartWindow();
    m_window->CurrentSession().settings.AutoSave = true;
    TypeInto(3, DayGridView::kMemoColumn, u"a"_s);
    Click(u"NextButton"_s);
    QVERIFY(m_env->questions.asked.empty());
    QCOMPARE(Field(u"MonthMemo"_s), u"4"_s);
    QVERIFY(std::filesystem::exists(MonthFile(2004, 3)));

    TypeInto(3, DayGridView::kMemoColumn, u"b"_s);
    m_env->questions.answers = {Answer::Cancel};
    Click(u"NextButton"_s, Qt::ShiftModifier);
    QCOMPARE(m_env->questions.asked.size(), 1u);
    QCOMPARE(Field(u"MonthMemo"_s), u"4"_s);
    QVERIFY(!std::filesystem::exists(MonthFile(2004, 4)));

    // With Ctrl the step is a whole year.
    m_env->questions.answers = {Answer::No};
    Click(u"BackButton"_s, Qt::ControlModifier);
    QCOMPARE(Field(u"YearMemo"_s), u"2003"_s);
    QCOMPARE(Field(u"MonthMemo"_s), u"4"_s);
}

void MainFormTest::goToMonthClampsTheChosenMonth() {
    StartWindow();
    QTimer* handler = test::HandleModals<TJump>(this, [](TJump& jump) {
        jump.findChild<QLineEdit*>(u"YearMemo"_s)->setText(u"1985"_s);
        jump.findChild<QLineEdit*>(u"MonthMemo"_s)->setText(u"13"_s);
        QTest::mouseClick(jump.findChild<QPushButton*>(u"MoveButton"_s), Qt::LeftButton);
    });
    Click(u"JumpButton"_s);
    handler->stop();
    QCOMPARE(Field(u"YearMemo"_s), u"1990"_s);
    QCOMPARE(Field(u"MonthMemo"_s), u"12"_s);
    auto* jump = m_window->findChild<TJump*>(u"TJump"_s);
    QCOMPARE(jump->findChild<QLineEdit*>(u"YearMemo"_s)->text(), u"1990"_s);
    QCOMPARE(jump->findChild<QLineEdit*>(u"MonthMemo"_s)->text(), u"12"_s);
    QCOMPARE(Cell(1, DayColumn::Date), test::Expected(u"12/ 1"_s, u"11/21"_s));
}

// The bar's percentages and segments are the engine's table; here one of them, as the window shows and
// paints it: S = 1000 and T = S - remainder = 1200 minutes give 83 %, 15 cyan and 10 blue segments. Under the
// alternate profile "AutoCalc" recalculates the month at the first cell selection: its days hold no time, and
// 0:00 against the target give 0 % and no segment.
void MainFormTest::targetBarShowsProgress() {
    WriteMonth(2004, 3, "16:40", "-3:20");
    StartWindow();
    auto* barItem = m_window->findChild<QAction*>(u"MokuhyoBarItem"_s);
    QVERIFY(!barItem->isChecked());
    barItem->trigger();
    QVERIFY(barItem->isChecked());

    auto* parPanel = m_window->findChild<QLabel*>(u"ParPanel"_s);
    QCOMPARE(parPanel->text(), test::Expected(u"83%"_s, u"0%"_s));
    QVERIFY(parPanel->palette().color(QPalette::WindowText) != AlertTextColor());
    auto* paintBox = m_window->findChild<BarPaintBox*>(u"BarPaintBox"_s);
    QTRY_VERIFY(paintBox->isVisible() && paintBox->width() >= 45);
    const TargetBar bar = paintBox->CurrentBar();
    const int filled = test::Expected(25, 0);
    QCOMPARE(bar.filledCount, filled);

    // What the box paints: the middle of each filled segment in its colour, the next one only outlined.
    const QImage image = paintBox->grab().toImage();
    const int y = (3 + paintBox->height() - 1) / 2;
    const auto middle = [&](int segment) {
        const BarRect& rect = bar.segments.at(static_cast<std::size_t>(segment - 1)).rect;
        return image.pixelColor((rect.left + rect.right) / 2, y);
    };
    const QColor unfilled = paintBox->palette().color(QPalette::Button);
    QCOMPARE(middle(1), test::Expected(QColor(0, 255, 255), unfilled));
    QCOMPARE(middle(std::max(filled, 1)), test::Expected(QColor(0, 0, 255), unfilled));
    QCOMPARE(middle(filled + 1), unfilled);
}

void MainFormTest::barToggleChangesTheWindowHeight() {
    StartWindow();
    const int before = m_window->height();
    auto* barItem = m_window->findChild<QAction*>(u"MokuhyoBarItem"_s);
    barItem->trigger();
    QTRY_COMPARE(m_window->height(), before + 16);
    QVERIFY(m_window->findChild<QWidget*>(u"BarPanel"_s)->isVisible());
    barItem->trigger();
    QTRY_COMPARE(m_window->height(), before);
    QVERIFY(!m_window->findChild<QWidget*>(u"BarPanel"_s)->isVisible());
}

void MainFormTest::drawingDecisionsReachTheGrid() {
    StartWindow();
    Settings& settings = m_window->CurrentSession().settings;
    QAbstractItemModel* model = Grid()->model();
    const auto color = [model](int day, int column, int role) {
        return model->data(model->index(day - 1, column), role).value<QColor>();
    };
    const int saturday = Row(6);
    const int sunday = Row(7);
    const int tuesday = Row(9);
    const int wednesday = Row(10);
    QCOMPARE(Cell(saturday, DayColumn::Weekday), u"土"_s);
    QCOMPARE(color(saturday, 1, Qt::ForegroundRole), NoticeTextColor());
    model->setData(model->index(tuesday - 1, 2), u"○"_s); // a holiday on a Tuesday
    QCOMPARE(color(tuesday, 1, Qt::ForegroundRole), AlertTextColor());

    settings.CellColorCheck[1] = true;
    settings.CellColorCheck[7] = true;
    settings.CellColor[1] = RgbColor(255, 200, 0);
    settings.CellColor[7] = RgbColor(200, 200, 255);
    QCOMPARE(color(sunday, 5, Qt::BackgroundRole), QColor(200, 200, 255));
    model->setData(model->index(sunday - 1, 2), u"有"_s);
    QCOMPARE(color(sunday, 5, Qt::BackgroundRole), QColor(255, 200, 0));
    QVERIFY(model->data(model->index(sunday - 1, 0), DayGridModel::kSeparatorRole).toBool());
    QVERIFY(!model->data(model->index(saturday - 1, 0), DayGridModel::kSeparatorRole).toBool());

    // A new month's ordinary days hold an empty category until the calculation writes its mark; with "AutoCalc"
    // the first cell selection wrote them. Flex time marks no late arrival.
    settings.FlexTime = false;
    TypeInto(wednesday, DayGridView::kArrivalColumn, u"9:15"_s);
    QCOMPARE(model->data(model->index(wednesday - 1, 3), Qt::ForegroundRole).isValid(), test::Expected(false, true));
    Click(u"CalcButton"_s);
    QCOMPARE(color(wednesday, 3, Qt::ForegroundRole), AlertTextColor());
    settings.FlexTime = true;
    QVERIFY(!model->data(model->index(wednesday - 1, 3), Qt::ForegroundRole).isValid());

    // The painted arrival cell follows the decision (checked with flex off again).
    settings.FlexTime = false;
    Grid()->SelectCell(wednesday + 1, DayGridView::kMemoColumn);
    const QRect cell = Grid()->visualRect(model->index(wednesday - 1, 3));
    const QImage image = Grid()->viewport()->grab(cell).toImage();
    bool red = false;
    for (int x = 0; x < image.width() && !red; ++x) {
        for (int y = 0; y < image.height() && !red; ++y)
            red = image.pixelColor(x, y).red() > 160 && image.pixelColor(x, y).green() < 96 &&
                  image.pixelColor(x, y).blue() < 96; // anti-aliased glyphs
    }
    QVERIFY(red);
}

void MainFormTest::memoColourCountsAsAChange() {
    StartWindow();
    Grid()->SelectCell(3, DayGridView::kMemoColumn);
    QTimer* handler = test::HandleModals<QColorDialog>(this, [](QColorDialog& dialog) {
        dialog.setCurrentColor(QColor(0, 128, 0));
        dialog.accept();
    });
    m_window->findChild<QAction*>(u"MemoColorItem"_s)->trigger();
    handler->stop();
    QCOMPARE(m_window->CurrentSession().sheet.days[3].memoColor, RgbColor(0, 128, 0));
    QCOMPARE(Grid()->model()->data(Grid()->model()->index(2, 8), Qt::ForegroundRole).value<QColor>(),
             QColor(0, 128, 0));

    // Shift makes "AutoSave" ask as well. With the colour reset the month is unchanged, unless "AutoCalc" wrote the
    // new month's category marks at the first cell selection.
    m_env->questions.answers = {Answer::Cancel, Answer::No};
    Click(u"NextButton"_s, Qt::ShiftModifier);
    QCOMPARE(m_env->questions.asked.size(), 1u);

    m_window->findChild<QAction*>(u"MemoColorResetItem"_s)->trigger();
    QCOMPARE(m_window->CurrentSession().sheet.days[3].memoColor, 0);
    Click(u"NextButton"_s, Qt::ShiftModifier);
    QCOMPARE(m_env->questions.asked.size(), test::Expected(1U, 2U));
    QCOMPARE(Field(u"MonthMemo"_s), u"4"_s);
}

void MainFormTest::tabWalksTheTabStopsAndLeavesTheGrid() {
    StartWindow();
    DayGridView* grid = Grid();
    const auto key = [](int keyCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(keyCode), modifiers);
    };
    grid->setFocus();
    grid->SelectCell(4, DayGridView::kArrivalColumn);
    key(Qt::Key_Tab);
    QCOMPARE(grid->CurrentColumn(), 4);
    key(Qt::Key_Tab);
    QCOMPARE(grid->CurrentColumn(), 8);
    key(Qt::Key_Tab);
    QCOMPARE(grid->CurrentDay(), 5);
    QCOMPARE(grid->CurrentColumn(), 3);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(grid->CurrentDay(), 4);
    QCOMPARE(grid->CurrentColumn(), 8);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(grid->CurrentColumn(), 4);

    grid->SelectCell(1, DayGridView::kArrivalColumn);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), m_window->findChild<QWidget*>(u"ExitButton"_s));

    grid->setFocus();
    grid->SelectCell(grid->model()->rowCount(), DayGridView::kMemoColumn);
    key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_window->findChild<QWidget*>(u"BackButton"_s));

    grid->setFocus();
    grid->SelectCell(12, DayGridView::kLeavingColumn);
    key(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), m_window->findChild<QWidget*>(u"BackButton"_s));
}

void MainFormTest::popupShortcutsFollowTheColumn() {
    StartWindow();
    const auto shortcut = [this](const QString& item) { return m_window->findChild<QAction*>(item)->shortcut(); };
    Grid()->SelectCell(5, test::GridColumn(DayColumn::Shinya));
    QCOMPARE(shortcut(u"ZanInputItem"_s), QKeySequence(Qt::CTRL | Qt::Key_N));
    QVERIFY(shortcut(u"KinmuInputItem"_s).isEmpty());
    QVERIFY(shortcut(u"NowTimeItem"_s).isEmpty());
    Grid()->SelectCell(5, test::GridColumn(DayColumn::Kinmu));
    QVERIFY(shortcut(u"ZanInputItem"_s).isEmpty());
    QCOMPARE(shortcut(u"KinmuInputItem"_s), QKeySequence(Qt::CTRL | Qt::Key_N));
    Grid()->SelectCell(5, test::GridColumn(DayColumn::Arrival));
    QCOMPARE(shortcut(u"NowTimeItem"_s), QKeySequence(Qt::CTRL | Qt::Key_G));
    QCOMPARE(shortcut(u"UpTimeItem"_s), QKeySequence(Qt::CTRL | Qt::Key_U));

    // Preset memos fill the memo cell; blank ones are disabled.
    m_window->CurrentSession().settings.PresetMemos[1] = Utf8ToCp932("出張");
    auto* menu = m_window->findChild<QMenu*>(u"ZanTime4PopupMenu"_s);
    emit menu->aboutToShow();
    QVERIFY(!m_window->findChild<QAction*>(u"UseMemo1"_s)->isEnabled());
    QCOMPARE(m_window->findChild<QAction*>(u"UseMemo1"_s)->text(), u"未設定"_s);
    auto* useMemo2 = m_window->findChild<QAction*>(u"UseMemo2"_s);
    QVERIFY(useMemo2->isEnabled());
    Grid()->setFocus();
    Grid()->SelectCell(8, DayGridView::kMemoColumn);
    useMemo2->trigger();
    QCOMPARE(Cell(8, DayColumn::Memo), u"出張"_s);
}

// Shift on the Exit button makes "AutoSave" ask as well.
void MainFormTest::closingAsksAndStoresTheWindowState() {
    StartWindow();
    TypeInto(2, DayGridView::kMemoColumn, u"x"_s);
    m_env->questions.answers = {Answer::Cancel, Answer::No};
    Click(u"ExitButton"_s, Qt::ShiftModifier);
    QVERIFY(m_window->isVisible());
    QVERIFY(m_env->store.Values(UserKeyPath(""), "Position").empty());

    m_window->findChild<QAction*>(u"MokuhyoBarItem"_s)->trigger();
    Click(u"ExitButton"_s, Qt::ShiftModifier);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_env->questions.asked.size(), 2u);
    QVERIFY(!std::filesystem::exists(MonthFile(2004, 3)));
    QCOMPARE(m_env->store.ReadValue(UserKeyPath(""), "System", "MokuhyoBasShow").value_or(""), "1");
    const auto position = m_env->store.Values(UserKeyPath(""), "Position");
    QCOMPARE(position.at("TZangyoMain.Height"), std::to_string(m_window->height()));
    QCOMPARE(position.at("TZangyoMain.Width"), std::to_string(m_window->width()));
}

void MainFormTest::autoCalcRecalculatesOnCellChange() {
    StartWindow();
    TypeInto(Row(5), DayGridView::kArrivalColumn, u"8:00"_s);
    TypeInto(Row(5), DayGridView::kLeavingColumn, u"19:00"_s);
    QCOMPARE(Cell(Row(5), DayColumn::Zangyo), QString()); // the leaving time is not calculated yet
    m_window->CurrentSession().settings.AutoCalc = true;
    Grid()->SelectCell(Row(5), DayGridView::kMemoColumn);
    QCOMPARE(Cell(Row(5), DayColumn::Zangyo), u" 2:00"_s);
    QCOMPARE(Field(u"ZanTMemo"_s), u"  2:00"_s);

    // Leaving the grid recalculates as well.
    TypeInto(Row(8), DayGridView::kArrivalColumn, u"8:00"_s);
    TypeInto(Row(8), DayGridView::kLeavingColumn, u"18:00"_s);
    m_window->findChild<QWidget*>(u"ExitButton"_s)->setFocus();
    QCOMPARE(Cell(Row(8), DayColumn::Zangyo), u" 1:00"_s);
}

void MainFormTest::holidayReadFillsOnlyEmptyCells() {
    StartWindow();
    QAbstractItemModel* model = Grid()->model();
    model->setData(model->index(Row(20) - 1, 2), QString()); // 20 March, 春分の日
    model->setData(model->index(Row(20) - 1, 8), QString());
    model->setData(model->index(Row(18) - 1, 8), u"own memo"_s); // 18 March keeps what was typed
    m_window->findChild<QAction*>(u"HolidayReadItem"_s)->trigger();
    QCOMPARE(Cell(Row(20), DayColumn::Kubun), u"○"_s);
    QCOMPARE(Cell(Row(20), DayColumn::Memo), u"春分の日"_s);
    QCOMPARE(Cell(Row(18), DayColumn::Memo), u"own memo"_s);
}

} // namespace mitoran

QTEST_MAIN(mitoran::MainFormTest)
#include "MainFormTest.moc"
