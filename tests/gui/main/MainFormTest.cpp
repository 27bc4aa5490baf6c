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

void MainFormTest::startupShowsTodaysMonthWithTodaysArrivalSelected() {
    StartWindow();
    QCOMPARE(m_window->windowTitle(), u"ミトラン"_s);
    QCOMPARE(Field(u"YearMemo"_s), u"2004"_s);
    QCOMPARE(Field(u"MonthMemo"_s), u"3"_s);
    QCOMPARE(Grid()->model()->rowCount(), 31);
    QCOMPARE(Grid()->CurrentDay(), 10);
    QCOMPARE(Grid()->CurrentColumn(), DayGridView::kArrivalColumn);
    QCOMPARE(Cell(10, DayColumn::Date), u" 3/10"_s);
    QCOMPARE(Cell(20, DayColumn::Memo), u"春分の日"_s);
    QVERIFY(m_window->findChild<QAction*>(u"PrintIem"_s)->isEnabled());
    QVERIFY(m_window->findChild<QAction*>(u"KingakuItem"_s)->isEnabled());
    QVERIFY(!m_window->findChild<QAction*>(u"TokuKaijyoItem"_s)->isEnabled());
    QVERIFY(!m_window->findChild<QMenu*>(u"MultiUserMenu"_s)->menuAction()->isVisible());
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

void MainFormTest::typedTimesAreCalculatedAndSavedWithCtrlS() {
    StartWindow();
    TypeInto(5, DayGridView::kArrivalColumn, u"830"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(Grid()->CurrentColumn(), DayGridView::kLeavingColumn);
    QTest::keyClicks(QApplication::focusWidget(), u"19:00"_s);
    QCOMPARE(Cell(5, DayColumn::Leaving), u"19:00"_s);

    Click(u"CalcButton"_s);
    // 8:30 to 19:00 under the default settings: 2:00 ordinary overtime, 9:30 work time.
    QCOMPARE(Cell(5, DayColumn::Arrival), u" 8:30"_s);
    QCOMPARE(Cell(5, DayColumn::Zangyo), u" 2:00"_s);
    QCOMPARE(Cell(5, DayColumn::Shinya), QString());
    QCOMPARE(Cell(5, DayColumn::Kinmu), u" 9:30"_s);
    QCOMPARE(Field(u"ZanTMemo"_s), u"  2:00"_s);
    QCOMPARE(Field(u"KeiTMemo"_s), u"  2:00"_s);
    QCOMPARE(Field(u"KinmuTMemo"_s), u"  9:30"_s);
    QCOMPARE(Field(u"SyukinMemo"_s).trimmed(), u"1"_s);
    QVERIFY(Field(u"MokuTMemo"_s).contains(u'-'));
    QCOMPARE(m_window->findChild<QLineEdit*>(u"MokuTMemo"_s)->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(m_window->findChild<QLineEdit*>(u"ZanTMemo"_s)->palette().color(QPalette::Text),
             QApplication::palette().color(QPalette::Text));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    const ProfileFile file(MonthFile(2004, 3));
    QVERIFY(file.Exists());
    QCOMPARE(ToQString(file.ReadString("DayData", " 5", "")), u"3/ 5,金,  , 8:30,19:00, 2:00,,,,,, 9:30,,,"_s);
    QCOMPARE(ToQString(file.ReadString("System", "ZangyoTime", "")), u"2:00"_s);
    QVERIFY(!m_window->CurrentSession().sheet.IsChanged());
    // Saving moves the cell cursor off the computed columns.
    QCOMPARE(Grid()->CurrentColumn(), DayGridView::kMemoColumn);
    QVERIFY(m_env->questions.asked.empty());
}

// The leave-month check's answers are the engine's table; here one of them, through the window.
void MainFormTest::leavingAChangedMonthAsks() {
    StartWindow();
    TypeInto(2, DayGridView::kMemoColumn, u"meeting"_s);
    m_env->questions.answers = {Answer::Yes};
    Click(u"NextButton"_s);

    QCOMPARE(m_env->questions.asked.size(), 1u);
    QCOMPARE(m_env->questions.asked[0].caption, text::kSaveCaption);
    QCOMPARE(m_env->questions.asked[0].text, text::kSaveQuestion);
    QCOMPARE(m_env->questions.asked[0].buttons, Buttons::YesNoCancel);
    QCOMPARE(Field(u"MonthMemo"_s), u"4"_s);
    QVERIFY(std::filesystem::exists(MonthFile(2004, 3)));
    Click(u"BackButton"_s);
    QCOMPARE(m_env->questions.asked.size(), 1u); // April was not changed
    QCOMPARE(Field(u"MonthMemo"_s), u"3"_s);
    QCOMPARE(Cell(2, DayColumn::Memo), u"meeting"_s);
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
    QCOMPARE(Cell(1, DayColumn::Date), u"12/ 1"_s);
}

// The bar's percentages and segments are the engine's table; here one of them, as the window shows and
// paints it: S = 1000 and T = S - remainder = 1200 minutes give 83 %, 15 cyan and 10 blue segments.
void MainFormTest::targetBarShowsProgress() {
    WriteMonth(2004, 3, "16:40", "-3:20");
    StartWindow();
    auto* barItem = m_window->findChild<QAction*>(u"MokuhyoBarItem"_s);
    QVERIFY(!barItem->isChecked());
    barItem->trigger();
    QVERIFY(barItem->isChecked());

    auto* parPanel = m_window->findChild<QLabel*>(u"ParPanel"_s);
    QCOMPARE(parPanel->text(), u"83%"_s);
    QVERIFY(parPanel->palette().color(QPalette::WindowText) != QColor(255, 0, 0));
    auto* paintBox = m_window->findChild<BarPaintBox*>(u"BarPaintBox"_s);
    QTRY_VERIFY(paintBox->isVisible() && paintBox->width() >= 45);
    const TargetBar bar = paintBox->CurrentBar();
    const int filled = 25;
    QCOMPARE(bar.filledCount, filled);

    // What the box paints: the middle of each filled segment in its colour, the next one only outlined.
    const QImage image = paintBox->grab().toImage();
    const int y = (3 + paintBox->height() - 1) / 2;
    const auto middle = [&](int segment) {
        const BarRect& rect = bar.segments.at(static_cast<std::size_t>(segment - 1)).rect;
        return image.pixelColor((rect.left + rect.right) / 2, y);
    };
    QCOMPARE(middle(1), QColor(0, 255, 255));
    QCOMPARE(middle(filled), QColor(0, 0, 255));
    QCOMPARE(middle(filled + 1), paintBox->palette().color(QPalette::Button));
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
    // 6 March 2004 is a Saturday, 7 March a Sunday.
    QCOMPARE(Cell(6, DayColumn::Weekday), u"土"_s);
    QCOMPARE(color(6, 1, Qt::ForegroundRole), QColor(0, 0, 255));
    model->setData(model->index(8, 2), u"○"_s); // a holiday on a Tuesday
    QCOMPARE(color(9, 1, Qt::ForegroundRole), QColor(255, 0, 0));

    settings.CellColorCheck[1] = true;
    settings.CellColorCheck[7] = true;
    settings.CellColor[1] = RgbColor(255, 200, 0);
    settings.CellColor[7] = RgbColor(200, 200, 255);
    QCOMPARE(color(7, 5, Qt::BackgroundRole), QColor(200, 200, 255));
    model->setData(model->index(6, 2), u"有"_s);
    QCOMPARE(color(7, 5, Qt::BackgroundRole), QColor(255, 200, 0));
    QVERIFY(model->data(model->index(6, 0), DayGridModel::kSeparatorRole).toBool());
    QVERIFY(!model->data(model->index(5, 0), DayGridModel::kSeparatorRole).toBool());

    // A new month's ordinary days hold an empty category until the calculation writes its mark.
    TypeInto(10, DayGridView::kArrivalColumn, u"9:15"_s);
    QVERIFY(!model->data(model->index(9, 3), Qt::ForegroundRole).isValid());
    Click(u"CalcButton"_s);
    QCOMPARE(color(10, 3, Qt::ForegroundRole), QColor(255, 0, 0));
    settings.FlexTime = true;
    QVERIFY(!model->data(model->index(9, 3), Qt::ForegroundRole).isValid());

    // The painted arrival cell follows the decision (checked with flex off again).
    settings.FlexTime = false;
    Grid()->SelectCell(11, DayGridView::kMemoColumn);
    const QRect cell = Grid()->visualRect(model->index(9, 3));
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

    m_env->questions.answers = {Answer::Cancel};
    Click(u"NextButton"_s);
    QCOMPARE(m_env->questions.asked.size(), 1u);

    m_window->findChild<QAction*>(u"MemoColorResetItem"_s)->trigger();
    QCOMPARE(m_window->CurrentSession().sheet.days[3].memoColor, 0);
    Click(u"NextButton"_s);
    QCOMPARE(m_env->questions.asked.size(), 1u);
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
    grid->SelectCell(31, DayGridView::kMemoColumn);
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

void MainFormTest::closingAsksAndStoresTheWindowState() {
    StartWindow();
    TypeInto(2, DayGridView::kMemoColumn, u"x"_s);
    m_env->questions.answers = {Answer::Cancel, Answer::No};
    QVERIFY(!m_window->close());
    QVERIFY(m_window->isVisible());
    QVERIFY(m_env->store.Values(UserKeyPath(""), "Position").empty());

    m_window->findChild<QAction*>(u"MokuhyoBarItem"_s)->trigger();
    QVERIFY(m_window->close());
    QCOMPARE(m_env->questions.asked.size(), 2u);
    QVERIFY(!std::filesystem::exists(MonthFile(2004, 3)));
    QCOMPARE(m_env->store.ReadValue(UserKeyPath(""), "System", "MokuhyoBasShow").value_or(""), "1");
    const auto position = m_env->store.Values(UserKeyPath(""), "Position");
    QCOMPARE(position.at("TZangyoMain.Height"), std::to_string(m_window->height()));
    QCOMPARE(position.at("TZangyoMain.Width"), std::to_string(m_window->width()));
}

void MainFormTest::autoCalcRecalculatesOnCellChange() {
    StartWindow();
    TypeInto(5, DayGridView::kArrivalColumn, u"8:00"_s);
    TypeInto(5, DayGridView::kLeavingColumn, u"19:00"_s);
    QCOMPARE(Cell(5, DayColumn::Zangyo), QString()); // AutoCalc is off by default
    m_window->CurrentSession().settings.AutoCalc = true;
    Grid()->SelectCell(5, DayGridView::kMemoColumn);
    QCOMPARE(Cell(5, DayColumn::Zangyo), u" 2:00"_s);
    QCOMPARE(Field(u"ZanTMemo"_s), u"  2:00"_s);

    // Leaving the grid recalculates as well.
    TypeInto(8, DayGridView::kArrivalColumn, u"8:00"_s);
    TypeInto(8, DayGridView::kLeavingColumn, u"18:00"_s);
    m_window->findChild<QWidget*>(u"ExitButton"_s)->setFocus();
    QCOMPARE(Cell(8, DayColumn::Zangyo), u" 1:00"_s);
}

void MainFormTest::holidayReadFillsOnlyEmptyCells() {
    StartWindow();
    QAbstractItemModel* model = Grid()->model();
    model->setData(model->index(19, 2), QString()); // 20 March, 春分の日
    model->setData(model->index(19, 8), QString());
    model->setData(model->index(22, 8), u"own memo"_s); // 23 March keeps what was typed
    m_window->findChild<QAction*>(u"HolidayReadItem"_s)->trigger();
    QCOMPARE(Cell(20, DayColumn::Kubun), u"○"_s);
    QCOMPARE(Cell(20, DayColumn::Memo), u"春分の日"_s);
    QCOMPARE(Cell(23, DayColumn::Memo), u"own memo"_s);
}

} // namespace mitoran

QTEST_MAIN(mitoran::MainFormTest)
#include "MainFormTest.moc"
