// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/MainForm.h"

#include "engine/calendar/Clock.h"
#include "engine/month/MonthFile.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/text/ProfileFile.h"
#include "gui/WindowTestSupport.h"
#include "gui/main/DayGridView.h"
#include "gui/main/TAdjustForm.h"
#include "gui/main/TSetForm.h"
#include "gui/settings/UseTimeSetUnit.h"
#include "platform/Cp932Qt.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

// The time-entry commands as the main window offers them: popup items, double-clicks, and the automatic
// arrival and leaving entry at start and close.
class MainFormEntryTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void categoryFromThePopupSetsTheMarkAndRecalculates();
    void regularTimeReachesTheOpenEditorAndStays();
    void popupKeysRunTheirItemsFromTheOpenEditor();
    void rightClickShowsTheColumnsPopupOverTheEditor();
    void presetTimeIsSetInItsDialogAndPasted();
    void doubleClicksEnterTimesAndOpenTheManualEntry();
    void presetMemoGoesToTheCaretAndKeepsTheClipboard();
    void arrivalIsEnteredAtStartUp();
    void leavingIsEnteredAndSavedAtClose();

private:
    void CreateWindow();
    void ShowWindow();
    DayGridView* Grid() const { return m_window->findChild<DayGridView*>(u"DayStringGrid"_s); }
    QAction* Action(const QString& name) const { return m_window->findChild<QAction*>(name); }
    QString Cell(int day, DayColumn column) const;
    QString Field(const QString& name) const { return m_window->findChild<QLineEdit*>(name)->text(); }
    QString StoredDay(int day) const;
    void DoubleClick(int day, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    std::unique_ptr<test::WindowEnvironment> m_env;
    std::unique_ptr<TZangyoMain> m_window;
};

void MainFormEntryTest::init() {
    m_env = std::make_unique<test::WindowEnvironment>();
    QVERIFY(m_env->folder.isValid());
}

void MainFormEntryTest::cleanup() {
    m_window.reset();
    if (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
}

void MainFormEntryTest::CreateWindow() {
    m_window = m_env->MainWindow();
}

void MainFormEntryTest::ShowWindow() {
    if (!m_window)
        CreateWindow();
    m_window->show();
    // Without a window manager (a bare X display) the window is activated only when asked.
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

QString MainFormEntryTest::Cell(int day, DayColumn column) const {
    return ToQString(m_window->CurrentSession().sheet.days[day][column]);
}

QString MainFormEntryTest::StoredDay(int day) const {
    const ProfileFile file(MonthFilePath(m_env->folders.DataFolder(), 2004, 3, ""));
    return ToQString(file.ReadString("DayData", std::string(day < 10 ? " " : "") + std::to_string(day), ""));
}

void MainFormEntryTest::DoubleClick(int day, int column, Qt::KeyboardModifiers modifiers) {
    DayGridView* grid = Grid();
    const QRect cell = grid->visualRect(grid->model()->index(day - 1, column));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, modifiers, cell.center());
}

void MainFormEntryTest::categoryFromThePopupSetsTheMarkAndRecalculates() {
    ShowWindow();
    Settings& settings = m_window->CurrentSession().settings;
    settings.AutoCalc = true;
    Grid()->SelectCell(5, DayGridView::kArrivalColumn);
    QTest::keyClicks(QApplication::focusWidget(), u"8:00"_s);
    Grid()->SelectCell(5, DayGridView::kLeavingColumn);
    QTest::keyClicks(QApplication::focusWidget(), u"18:00"_s);
    Grid()->SelectCell(5, test::GridColumn(DayColumn::Kubun));
    // "Hankyu05" shows the days with a decimal.
    QCOMPARE(Field(u"KyujituMemo"_s).trimmed(), test::Expected(u"0"_s, u"0.0"_s));

    Action(u"KubunItem1"_s)->trigger();
    QCOMPARE(Cell(5, DayColumn::Kubun), u"○"_s);
    // On a day off all the work, 8:00 to 18:00 less the noon break, is overtime, and the day counts as
    // worked on a day off.
    QCOMPARE(Cell(5, DayColumn::Zangyo), u" 9:00"_s);
    QCOMPARE(Field(u"KyujituMemo"_s).trimmed(), test::Expected(u"1"_s, u"1.0"_s));
    QCOMPARE(Field(u"ZanTMemo"_s), u"  9:00"_s);

    // A double-click on the date steps to the next category; without AutoCalc nothing is recalculated.
    settings.AutoCalc = false;
    DoubleClick(5, test::GridColumn(DayColumn::Date));
    QCOMPARE(Cell(5, DayColumn::Kubun), u"有"_s);
    QCOMPARE(Field(u"KyujituMemo"_s).trimmed(), test::Expected(u"1"_s, u"1.0"_s));
    Action(u"KubunItem0"_s)->trigger();
    QCOMPARE(Cell(5, DayColumn::Kubun), u"  "_s);
}

void MainFormEntryTest::regularTimeReachesTheOpenEditorAndStays() {
    ShowWindow();
    Grid()->setFocus();
    Grid()->SelectCell(4, DayGridView::kArrivalColumn);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, u"7"_s);
    QCOMPARE(Cell(4, DayColumn::Arrival), u"7"_s);

    Action(u"TeijiTimeItem"_s)->trigger();
    QCOMPARE(Cell(4, DayColumn::Arrival), u" 8:00"_s);
    QCOMPARE(editor->text(), u" 8:00"_s);
    // Leaving the cell commits the editor: the regular time must survive that.
    QTest::keyClick(editor, Qt::Key_Tab);
    QCOMPARE(Grid()->CurrentColumn(), DayGridView::kLeavingColumn);
    QCOMPARE(Cell(4, DayColumn::Arrival), u" 8:00"_s);

    // The shortcut works in the leaving cell.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(Cell(4, DayColumn::Leaving), u"17:00"_s);

    // The time above is copied down, clearing empties the cell, and in the memo column the time commands do
    // nothing.
    Grid()->SelectCell(6, DayGridView::kLeavingColumn);
    Action(u"UpTimeItem"_s)->trigger();
    QCOMPARE(Cell(6, DayColumn::Leaving), u"17:00"_s);
    Action(u"TimeClearItem"_s)->trigger();
    QCOMPARE(Cell(6, DayColumn::Leaving), QString());
    Grid()->SelectCell(6, DayGridView::kMemoColumn);
    Action(u"TeijiTimeItem"_s)->trigger();
    QCOMPARE(Cell(6, DayColumn::Memo), QString());
}

// Ctrl+U pastes the time above into a filled and into an empty cell alike, whatever the line editor would do
// with the key on this platform (under X11 it deletes the line). The X11 run of this case is the one that
// can catch an editor eating the key.
void MainFormEntryTest::popupKeysRunTheirItemsFromTheOpenEditor() {
    ShowWindow();
    QAbstractItemModel* model = Grid()->model();
    model->setData(model->index(2, DayGridView::kLeavingColumn), u"18:30"_s);
    model->setData(model->index(4, DayGridView::kLeavingColumn), u"7:00"_s);
    Grid()->setFocus();
    for (const int day : {5, 6}) {
        Grid()->SelectCell(day, DayGridView::kLeavingColumn);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(Cell(day, DayColumn::Leaving), u"18:30"_s);
        QCOMPARE(editor->text(), u"18:30"_s);
    }
}

// The open cell editor has no menu of its own: a right click on it shows the popup of its column.
void MainFormEntryTest::rightClickShowsTheColumnsPopupOverTheEditor() {
    ShowWindow();
    QStringList shown;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, this, [&shown] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            shown.append(popup->objectName());
            popup->close();
        }
    });
    watcher.start(10);
    Grid()->setFocus();
    const std::pair<int, QString> cases[] = {{DayGridView::kArrivalColumn, u"ZanTime1PopupMenu"_s},
                                             {DayGridView::kMemoColumn, u"ZanTime4PopupMenu"_s}};
    for (const auto& [column, popup] : cases) {
        shown.clear();
        Grid()->SelectCell(7, column);
        QLineEdit* editor = Grid()->CurrentEditor();
        QVERIFY(editor != nullptr && editor->isVisible());
        const QPoint center = editor->rect().center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, center, editor->mapToGlobal(center));
        QApplication::sendEvent(editor, &click);
        QTRY_COMPARE(shown, QStringList{popup});
    }
}

void MainFormEntryTest::presetTimeIsSetInItsDialogAndPasted() {
    ShowWindow();
    QTimer* handler = test::HandleModals<TUseTimeSetForm>(this, [](TUseTimeSetForm& form) {
        form.findChild<QLineEdit*>(u"UseTime1Memo"_s)->setText(u"1730"_s);
        QTest::mouseClick(form.findChild<QPushButton*>(u"OkButton"_s), Qt::LeftButton);
    });
    Action(u"UseTimeSetItem"_s)->trigger();
    handler->stop();
    QCOMPARE(m_window->CurrentSession().settings.PresetTimes[0], "17:30");
    // The dialog saved the settings.
    QVERIFY(m_env->store.ReadValue(UserKeyPath(""), "Setting", "Time18").value_or("").starts_with("17:30"));

    emit m_window->findChild<QMenu*>(u"ZanTime1PopupMenu"_s)->aboutToShow();
    QAction* first = Action(u"UseTime1"_s);
    QCOMPARE(first->text(), u"17:30 を貼り付け"_s);
    QVERIFY(first->isEnabled());
    QVERIFY(!Action(u"UseTime2"_s)->isEnabled());

    Grid()->setFocus();
    Grid()->SelectCell(9, DayGridView::kLeavingColumn);
    first->trigger();
    QCOMPARE(Cell(9, DayColumn::Leaving), u"17:30"_s);
    Grid()->SelectCell(9, DayGridView::kMemoColumn);
    first->trigger();
    QCOMPARE(Cell(9, DayColumn::Memo), QString());
}

void MainFormEntryTest::doubleClicksEnterTimesAndOpenTheManualEntry() {
    ShowWindow();
    m_window->CurrentSession().settings.ClickAutoSelect = 0;
    int stampDialogs = 0;
    QTimer* stamp = test::HandleModals<TTimeAdjust>(this, [&stampDialogs](TTimeAdjust& dialog) {
        ++stampDialogs;
        QTest::mouseClick(dialog.findChild<QPushButton*>(u"OkButton"_s), Qt::LeftButton);
    });

    DoubleClick(7, DayGridView::kArrivalColumn);
    QCOMPARE(Cell(7, DayColumn::Arrival), u" 8:00"_s);
    // A filled cell changes only with Ctrl; Shift asks for the current time.
    DoubleClick(7, DayGridView::kArrivalColumn, Qt::ShiftModifier);
    QCOMPARE(stampDialogs, 0);
    DoubleClick(7, DayGridView::kArrivalColumn, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(stampDialogs, 1);
    QCOMPARE(Cell(7, DayColumn::Arrival), u" 9:00"_s);
    stamp->stop();

    QTimer* manual = test::HandleModals<TTimeSet>(this, [](TTimeSet& dialog) {
        dialog.findChild<QCheckBox*>(u"NoCalcCheckBox"_s)->setChecked(true);
        auto* value = dialog.findChild<QLineEdit*>(u"ZanTimeMemo"_s);
        value->setText(u"1:30"_s);
        QTest::keyClick(value, Qt::Key_Return);
    });
    DoubleClick(7, test::GridColumn(DayColumn::Zangyo));
    manual->stop();
    QCOMPARE(Cell(7, DayColumn::Zangyo), u" 1:30"_s);
    QCOMPARE(m_window->CurrentSession().sheet.days[7].zangyoFixed, "*");
    // The value fixed by hand outlives a recalculation.
    m_window->Recalculate();
    QCOMPARE(Cell(7, DayColumn::Zangyo), u" 1:30"_s);
}

void MainFormEntryTest::presetMemoGoesToTheCaretAndKeepsTheClipboard() {
    ShowWindow();
    m_window->CurrentSession().settings.PresetMemos[0] = Utf8ToCp932("出張");
    QApplication::clipboard()->setText(u"kept"_s);
    Grid()->setFocus();
    Grid()->SelectCell(8, DayGridView::kMemoColumn);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, u"ab"_s);
    editor->setCursorPosition(1);

    emit m_window->findChild<QMenu*>(u"ZanTime4PopupMenu"_s)->aboutToShow();
    Action(u"UseMemo1"_s)->trigger();
    QCOMPARE(Cell(8, DayColumn::Memo), u"a出張b"_s);
    QCOMPARE(QApplication::clipboard()->text(), u"kept"_s);
}

void MainFormEntryTest::arrivalIsEnteredAtStartUp() {
    m_env->clock.Set(LocalDateTime{2004, 3, 10, 8, 7, 0});
    CreateWindow();
    m_window->CurrentSession().settings.StartAutoIn = kAutoInSilent;
    ShowWindow();
    const int today = test::DayRow(m_window->CurrentSession().sheet, 3, 10);
    QCOMPARE(Cell(today, DayColumn::Arrival), u" 8:07"_s);
    QCOMPARE(Grid()->model()->data(Grid()->model()->index(today - 1, 3)).toString(), u" 8:07"_s);
    QVERIFY(StoredDay(today).contains(u" 8:07"_s));
    QVERIFY(!m_window->CurrentSession().sheet.IsChanged());
    QCOMPARE(Field(u"MonthMemo"_s), u"3"_s);
    QCOMPARE(Grid()->CurrentDay(), today);
}

void MainFormEntryTest::leavingIsEnteredAndSavedAtClose() {
    m_env->clock.Set(LocalDateTime{2004, 3, 10, 18, 40, 0});
    ShowWindow();
    m_window->CurrentSession().settings.EndAutoIn = kAutoInSilent;
    Grid()->setFocus();
    Grid()->SelectCell(2, DayGridView::kMemoColumn);
    QTest::keyClicks(QApplication::focusWidget(), u"draft"_s);
    // Edits the user declines to save are dropped ("AutoSave" saves them without asking); the leaving time is
    // still entered and saved.
    m_env->questions.answers = {Answer::No};
    QVERIFY(m_window->close());
    QCOMPARE(m_env->questions.asked.size(), test::Expected(1U, 0U));
    QVERIFY(StoredDay(test::DayRow(m_window->CurrentSession().sheet, 3, 10)).contains(u"18:40"_s));
    QCOMPARE(StoredDay(2).contains(u"draft"_s), test::Expected(false, true));
}

} // namespace mitoran

QTEST_MAIN(mitoran::MainFormEntryTest)
#include "MainFormEntryTest.moc"
