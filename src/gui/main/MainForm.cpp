// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/MainForm.h"

#include "engine/calendar/Clock.h"
#include "engine/limits/LimitTable.h"
#include "engine/month/Calculation.h"
#include "engine/month/MonthCalendar.h"
#include "engine/month/MonthCsv.h"
#include "engine/month/MonthFile.h"
#include "engine/print/PrintLists.h"
#include "engine/session/AccessibleTexts.h"
#include "engine/session/ProgramColors.h"
#include "engine/session/Questions.h"
#include "engine/session/TargetBar.h"
#include "engine/session/WindowPlacement.h"
#include "engine/session/WindowTitle.h"
#include "engine/session/YukyuPanel.h"
#include "engine/settings/Folders.h"
#include "engine/settings/SettingsStore.h"
#include "engine/text/ProfileFile.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"
#include "engine/totals/PayAmounts.h"
#include "gui/common/Accessibility.h"
#include "gui/common/CsvFileDialog.h"
#include "gui/common/PassForm.h"
#include "gui/common/PrintCommands.h"
#include "gui/common/WindowUtil.h"
#include "gui/help/HelpWindow.h"
#include "gui/leave/YuKyuSet.h"
#include "gui/limits/LevelLabel.h"
#include "gui/limits/LimitForm.h"
#include "gui/main/BarPaintBox.h"
#include "gui/main/DayGridMenus.h"
#include "gui/main/DayGridModel.h"
#include "gui/main/DayGridView.h"
#include "gui/main/JumpForm.h"
#include "gui/main/TAdjustForm.h"
#include "gui/main/TSetForm.h"
#include "gui/main/TokuSyukeiUnit.h"
#include "gui/pay/TotalForm.h"
#include "gui/settings/SetForm.h"
#include "gui/totals/YearForm.h"
#include "platform/Cp932Qt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSessionManager>
#include <QTimer>

#include <utility>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

const char* const kClassName = "TZangyoMain";
constexpr int kOnScreenAtLatestMs = 1000;

void SetTimeFieldText(QLineEdit* field, const std::string& text) {
    field->setText(ToQString(text));
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text,
                     TimeTextToMinutes(text) < 0 ? AlertTextColor() : QApplication::palette().color(QPalette::Text));
    field->setPalette(palette);
}

// Confirms through the stamp dialog, made only when a confirmation is asked for.
class DeferredTimeConfirm final : public TimeConfirm {
public:
    explicit DeferredTimeConfirm(LazyDialog<TTimeAdjust>& dialog) : m_dialog(dialog) {}
    std::optional<std::string> ConfirmTime(const TimeConfirmRequest& request) override {
        return m_dialog->ConfirmTime(request);
    }

private:
    LazyDialog<TTimeAdjust>& m_dialog;
};

} // namespace

TZangyoMain::TZangyoMain(const MainServices& services, QWidget* parent)
    : QMainWindow(parent), m_services(services),
      m_session(services.store, services.folders, services.commandLine.startUser, services.writerLock),
      m_settings(m_session.settings), m_sheet(m_session.sheet), m_model(new DayGridModel(m_sheet, m_settings, this)),
      m_jump([this] { return EscapableDialog(new TJump(m_startWorkingMonth, this)); }), m_timeAdjust([this] {
          // While it is open the tray's "終了(&X)" is off: see eventFilter.
          auto* dialog = EscapableDialog(new TTimeAdjust(this));
          dialog->installEventFilter(this);
          return dialog;
      }),
      m_timeSet([this] { return EscapableDialog(new TTimeSet(this)); }),
      m_yearTotal([this] { return EscapableDialog(new TYearTotal(MonthListServicesOf(), this)); }),
      m_limits([this] { return EscapableDialog(new TLimitForm(MonthListServicesOf(), this)); }), m_yuuKyu([this] {
          auto* window = new TYuuKyu({m_session, m_services.store, m_services.clock, m_services.questions,
                                      m_services.commandLine.startUser, this});
          connect(window, &TYuuKyu::EscapePressed, this, &TZangyoMain::EscButtonClick);
          return window;
      }),
      m_setting([this] {
          auto* dialog = EscapableDialog(new TSetting(m_session, m_services.questions, this));
          connect(dialog, &TSetting::Registered, this, &TZangyoMain::SettingRegistered);
          connect(dialog, &TSetting::HelpRequested, this, &TZangyoMain::ShowHelp);
          return dialog;
      }),
      m_total([this] { return EscapableDialog(new TTotal(m_services.store, m_services.commandLine.startUser, this)); }),
      m_tokuSyukei([this] {
          const LocalDateTime now = m_services.clock.Now();
          return EscapableDialog(new TTokuSyukeiForm({now.year, now.month, now.day}, m_services.questions, this));
      }) {
    FormCreate();
}

// The children (the grid among them) are destroyed after this body, by the base classes: focus moving away
// from them then must not reach a window whose members are already gone.
TZangyoMain::~TZangyoMain() {
    disconnect(m_focusChangedConnection);
    delete m_yuuKyu.IfMade();
}

// ---- Creation, showing and closing ----

void TZangyoMain::FormCreate() {
    setObjectName(QString::fromLatin1(kClassName));
    InstallAccessibleWindows();
    BuildPanels();
    BuildMenus();
    BuildGridMenus();
    BuildUserMenu();

    FitGridColumns(*m_grid, kColumnWidths, kDesignRows);
    m_gridMenus->AttachPopupMenu(DayGridView::kArrivalColumn);
    // The user's folder, settings, holiday list and ledger. A first run writes its holiday list once the
    // window is on screen; a file that cannot be written is reported and the defaults are used.
    try {
        m_session.LoadUser(m_services.commandLine.startUser, FirstRunFiles::WriteLater);
    } catch (const FileWriteError& error) {
        ReportWriteError(error);
    }

    ComputeSizeLimits();
    m_sizingReady = true;
    m_mokuhyoBarItem->setChecked(m_settings.MokuhyoBasShow);
    m_limitPanel->setVisible(m_settings.Limits.MainDisp);
    ApplySizeLimits();
    resize(m_minWidth, m_minHeight + BottomLinesHeight());
    if (m_settings.StartUserWindowSize) {
        const WindowSize size = WindowPlacementStore(m_services.store, m_services.commandLine.startUser)
                                    .RestoreSize(kClassName, {height(), width()});
        resize(size.width, size.height);
    }
    RestorePlacement();
    SetWindowTitleText();
    m_startWorkingMonth = WorkingMonth(m_services.clock.Now(), m_settings.SimeDay);
}

// The window's Esc key reaches the stamp, entry and go-to-month dialogs too.
template <typename Dialog>
Dialog* TZangyoMain::EscapableDialog(Dialog* dialog) {
    connect(dialog, &EscDialog::EscapePressed, this, &TZangyoMain::EscButtonClick);
    return dialog;
}

void TZangyoMain::SaveSettingsReported() {
    try {
        SaveSettings(m_settings, m_session.Context());
    } catch (const FileWriteError& error) {
        ReportWriteError(error);
    }
}

// Runs once: after the grid's first paint, or a moment after showing when the window starts minimised and
// is never painted.
void TZangyoMain::WindowOnScreen() {
    if (std::exchange(m_onScreen, true))
        return;
    try {
        m_session.WritePendingFiles();
    } catch (const FileWriteError& error) {
        ReportWriteError(error);
    }
    emit OnScreen();
}

void TZangyoMain::FormShow() {
    m_yukyuPanel->setVisible(m_settings.YukyuMokuZanDisp);
    if (!m_settings.MokuhyoBasShow)
        ShowTargetBar(false);
    RunAutoEntry(TimeKind::Arrival, m_settings.StartAutoIn);
    ShowCurrentMonthAndToday();
    if (m_services.commandLine.StartsMinimised() || m_settings.StartAutoMinimize)
        QTimer::singleShot(1, this, &TZangyoMain::MinimizeTimerTimer);
    auto* onScreenTimer = new QTimer(this);
    onScreenTimer->setObjectName(u"OnScreenTimer"_s);
    onScreenTimer->setSingleShot(true);
    connect(onScreenTimer, &QTimer::timeout, this, &TZangyoMain::WindowOnScreen);
    onScreenTimer->start(kOnScreenAtLatestMs);
}

// Unsaved ledger edits are settled before the month: the leave window's own close question runs first.
bool TZangyoMain::FormCloseQuery() {
    if (TYuuKyu* leave = m_yuuKyu.IfMade(); leave != nullptr && leave->isVisible() && !leave->close())
        return false;
    return LeaveMonthCheck();
}

void TZangyoMain::FormClose() {
    StoreSection(m_services.store, UserKeyPath(m_services.commandLine.startUser), "System")
        .WriteBool(kMokuhyoBasShowName, m_mokuhyoBarItem->isChecked());
    // The idle watcher took over: the leaving time is entered when the day really ends.
    if (!m_watcherStarted)
        AutoLeavingEntry();
}

// Runs after the leave-month check has passed: edits the user chose not to save are dropped, so that the
// entry can load its month afresh.
void TZangyoMain::AutoLeavingEntry() {
    if (m_leavingEntered || m_settings.EndAutoIn == kAutoInOff)
        return;
    m_leavingEntered = true;
    if (m_sheet.IsChanged())
        m_session.ShowMonth(m_sheet.loadedYear, m_sheet.loadedMonth, true);
    RunAutoEntry(TimeKind::Leaving, m_settings.EndAutoIn);
}

// Shows the month the entry loaded, also when its save failed and the entry is held unsaved.
void TZangyoMain::RunAutoEntry(TimeKind kind, int mode) {
    try {
        DeferredTimeConfirm confirm(m_timeAdjust);
        const AutoEntryResult result = AutoTimeEntry(kind, mode, m_session, m_services.clock.Now(), confirm);
        if (result.outcome == AutoEntryOutcome::Off || result.outcome == AutoEntryOutcome::Unsaved)
            return;
    } catch (const FileWriteError& error) {
        ReportWriteError(error);
    }
    m_yearMemo->setText(QString::number(m_sheet.loadedYear));
    m_monthMemo->setText(QString::number(m_sheet.loadedMonth));
    RefreshMonthView();
}

void TZangyoMain::FormDestroy() {
    if (m_helpWindow != nullptr)
        m_helpWindow->close();
    if (TTotal* total = m_total.IfMade())
        total->FormDestroy();
    const QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : QRect(pos(), size());
    WindowPlacementStore placements(m_services.store, m_services.commandLine.startUser);
    placements.SavePosition(kClassName, {normal.top(), normal.left()});
    placements.SaveSize(kClassName, {normal.height(), normal.width()});
}

void TZangyoMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}

void TZangyoMain::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    FormDestroy();
    event->accept();
    emit Closed();
}

void TZangyoMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FillGridWidth(*m_grid, kColumnWidths);
}

void TZangyoMain::SessionEndQuery(QSessionManager& manager) {
    manager.allowsInteraction();
    if (!AllowSessionEnd())
        manager.cancel();
}

// A stamp dialog still open refuses the end of the session and shows itself, the window restored from the
// notification area with it. Unsaved edits are never lost to the leaving entry: the leave-month check runs
// first and may refuse as well.
bool TZangyoMain::AllowSessionEnd() {
    if (TTimeAdjust* stamp = m_timeAdjust.IfMade(); stamp != nullptr && stamp->isVisible()) {
        ShowRestored();
        stamp->raise();
        stamp->activateWindow();
        return false;
    }
    if (m_settings.EndAutoIn == kAutoInOff)
        return close();
    if (!LeaveMonthCheck())
        return false;
    AutoLeavingEntry();
    return true;
}

void TZangyoMain::BringToFront() {
    if (!isVisible())
        return;
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

// ---- Layout ----

void TZangyoMain::RestorePlacement() {
    const WindowPosition position =
        WindowPlacementStore(m_services.store, m_services.commandLine.startUser)
            .RestorePosition(kClassName, {height(), width()}, {ScreenPixelHeight(), ScreenPixelWidth()});
    move(position.left, position.top);
}

void TZangyoMain::SetWindowTitleText() {
    setWindowTitle(ToQString(MainWindowTitle(m_settings, m_session.CurrentUser(), m_services.commandLine.multiUser)));
}

void TZangyoMain::MokuhyoBarItemClick() {
    ShowTargetBar(true);
}

void TZangyoMain::ShowTargetBar(bool changeHeight) {
    const bool show = m_mokuhyoBarItem->isChecked();
    const int newHeight = height() + (show ? m_barHeight : -m_barHeight);
    m_bottomPanel->hide();
    m_barPanel->setFixedHeight(show ? m_barHeight : 0);
    m_barPanel->setVisible(show);
    // The limits follow the bar before the height changes, so that neither holds the other back.
    ApplySizeLimits();
    if (changeHeight)
        resize(width(), newHeight);
    m_bottomPanel->show();
}

bool TZangyoMain::eventFilter(QObject* object, QEvent* event) {
    if (object == m_timeAdjust.IfMade()) {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            SetTrayQuitEnabled(event->type() == QEvent::Hide);
        return QMainWindow::eventFilter(object, event);
    }
    const bool singleClickMargin = object->objectName() == u"LeftPanel"_s || object->objectName() == u"BottomPanel"_s;
    if (event->type() == QEvent::MouseButtonDblClick ||
        (singleClickMargin && event->type() == QEvent::MouseButtonPress)) {
        m_mokuhyoBarItem->toggle();
        MokuhyoBarItemClick();
        return true;
    }
    return QMainWindow::eventFilter(object, event);
}

// ---- Months ----

YearMonth TZangyoMain::DisplayedMonth() const {
    return {TextToIntDef(FromQString(m_yearMemo->text()), 0), TextToIntDef(FromQString(m_monthMemo->text()), 0)};
}

bool TZangyoMain::ShiftHeld() const {
    return (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) != 0;
}

void TZangyoMain::ShowMonth(YearMonth month) {
    m_yearMemo->setText(QString::number(month.year));
    m_monthMemo->setText(QString::number(month.month));
    if (m_session.ShowMonth(month.year, month.month, false)) {
        RefreshMonthView();
        RecalculateForPayWindow();
        AnnounceStatus(*this, ToQString(MonthShownStatus(month)));
    }
}

void TZangyoMain::ShowCurrentMonthAndToday() {
    const LocalDateTime today = m_services.clock.Now();
    ShowMonth(WorkingMonth(today, m_settings.SimeDay));
    m_grid->setFocus();
    const int rowHeight = std::max(1, m_grid->verticalHeader()->defaultSectionSize());
    const int visibleRows = std::max(1, m_grid->viewport()->height() / rowHeight);
    const std::optional<TodayRow> row = FindTodayRow(m_sheet, today.month, today.day, visibleRows);
    if (!row)
        return;
    m_grid->verticalScrollBar()->setValue(row->topRow - 1);
    m_grid->SelectCell(row->row, DayGridView::kArrivalColumn);
}

bool TZangyoMain::LeaveMonthCheck() {
    TokuKaijyoItemClick();
    return mitoran::LeaveMonthCheck(m_sheet, m_settings.AutoSave, ShiftHeld(), m_services.questions,
                                    [this] { return SaveMonthOnDisplay(); });
}

void TZangyoMain::StepDisplayedMonth(int direction) {
    const bool wholeYear = (QGuiApplication::keyboardModifiers() & Qt::ControlModifier) != 0;
    if (!LeaveMonthCheck())
        return;
    ShowMonth(StepMonth(DisplayedMonth(), direction, wholeYear));
}

void TZangyoMain::BackButtonClick() {
    StepDisplayedMonth(-1);
}

void TZangyoMain::NextButtonClick() {
    StepDisplayedMonth(+1);
}

void TZangyoMain::NowButtonClick() {
    const YearMonth working = WorkingMonth(m_services.clock.Now(), m_settings.SimeDay);
    if (working == DisplayedMonth() || !LeaveMonthCheck())
        return;
    ShowMonth(working);
}

void TZangyoMain::JumpButtonClick() {
    if (m_jump->exec() != QDialog::Accepted || !LeaveMonthCheck())
        return;
    ShowMonth(m_jump->ChosenMonth());
}

void TZangyoMain::YearCalcButtonClick() {
    m_yearTotal->show();
}

void TZangyoMain::LimitItemClick() {
    m_limits->show();
    m_limits->raise();
    m_limits->activateWindow();
}

MonthListServices TZangyoMain::MonthListServicesOf() {
    return {m_session,
            m_services.store,
            m_services.commandLine.startUser,
            m_services.clock,
            m_services.questions,
            [this](YearMonth month) { return JumpToMonth(month); },
            [this] { SaveSettingsReported(); }};
}

bool TZangyoMain::JumpToMonth(YearMonth month) {
    if (!LeaveMonthCheck())
        return false;
    m_yearMemo->setText(QString::number(month.year));
    m_monthMemo->setText(QString::number(month.month));
    m_session.ShowMonth(month.year, month.month, true);
    RefreshMonthView();
    RecalculateForPayWindow();
    AnnounceStatus(*this, ToQString(MonthShownStatus(month)));
    return true;
}

// The month as the grid shows it after a fresh recalculation, not as its file holds it.
void TZangyoMain::OutFileItemClick() {
    Recalculate();
    const YearMonth shown = DisplayedMonth();
    ExportCsvFile(
        this, m_settings, MonthCsvFileName(shown.year, shown.month, m_settings),
        MonthCsvText(m_sheet, shown.year, shown.month, m_settings), [this] { SaveSettingsReported(); },
        m_services.questions);
}

PrintList TZangyoMain::ShownPrintList() const {
    const YearMonth shown = DisplayedMonth();
    return MonthPrintList(m_sheet, MonthPeriodText(m_sheet, shown.year, shown.month), m_settings);
}

void TZangyoMain::PrintIemClick() {
    ShowPrintPreview(this, ShownPrintList(), m_settings, PrintDateText(m_services.clock));
}

void TZangyoMain::PdfItemClick() {
    const YearMonth shown = DisplayedMonth();
    SavePdfFile(
        this, m_settings, PdfFileName(MonthCsvFileName(shown.year, shown.month, m_settings)), ShownPrintList(),
        PrintDateText(m_services.clock), [this] { SaveSettingsReported(); }, m_services.questions);
}

void TZangyoMain::SaveButtonClick() {
    SaveMonthOnDisplay();
}

bool TZangyoMain::SaveMonthOnDisplay() {
    return SaveMonthOnDisplayChecked() != SaveOutcome::Kept;
}

// The month file written meanwhile by another program is reloaded or asked about, never overwritten silently.
SaveOutcome TZangyoMain::SaveMonthOnDisplayChecked() {
    const int column = m_grid->CurrentColumn();
    if (column >= DayGridView::kArrivalColumn && column < DayGridView::kMemoColumn)
        m_grid->SelectCell(m_grid->CurrentDay(), DayGridView::kMemoColumn);
    SaveOutcome outcome = SaveOutcome::Kept;
    try {
        outcome = m_session.SaveShownMonthChecked(m_services.questions);
    } catch (const FileWriteError& error) {
        RefreshMonthView();
        AnnounceStatus(*this, ToQString(MonthNotSavedStatus(m_sheet.loadedMonth)));
        ReportWriteError(error);
        return SaveOutcome::Kept;
    }
    RefreshMonthView();
    if (outcome == SaveOutcome::Saved)
        AnnounceStatus(*this, ToQString(MonthSavedStatus(m_sheet.loadedMonth)));
    return outcome;
}

void TZangyoMain::ShowSessionMonth() {
    m_yearMemo->setText(QString::number(m_sheet.loadedYear));
    m_monthMemo->setText(QString::number(m_sheet.loadedMonth));
    RefreshMonthView();
}

void TZangyoMain::ReportWriteError(const std::exception& error) {
    m_services.questions.Ask(text::kAppTitle, error.what(), Buttons::Ok);
}

void TZangyoMain::CalcButtonClick() {
    Recalculate();
}

void TZangyoMain::Recalculate() {
    RecalcMonth(m_sheet, m_settings);
    RefreshMonthView();
}

// Also reloads the open cell editor, which would otherwise commit its old text over a command's value.
void TZangyoMain::RefreshMonthView() {
    m_grid->setAccessibleName(ToQString(DayGridName(m_sheet.loadedMonth)));
    m_model->Refresh();
    ShowSummary();
    UpdateYukyuPanel();
    UpdateTargetBar();
    UpdateLimitPanel();
    RefreshPayWindow();
}

void TZangyoMain::ShowSummary() {
    const MonthSummary& summary = m_sheet.summary;
    m_summary.syukinMemo->setText(ToQString(summary.syukinDay));
    m_summary.kyujituMemo->setText(ToQString(summary.kyujituDay));
    SetTimeFieldText(m_summary.zanTMemo, summary.zangyoTime);
    SetTimeFieldText(m_summary.sZanTMemo, summary.shinyaTime);
    SetTimeFieldText(m_summary.keiTMemo, summary.sumTime);
    SetTimeFieldText(m_summary.mokuTMemo, summary.mokuhyoTime);
    SetTimeFieldText(m_summary.kinmuTMemo, summary.kinmuTime);
}

void TZangyoMain::UpdateTargetBar() {
    const TargetBar bar = m_barPaintBox->CurrentBar();
    m_parPanel->setText(QString::fromStdString(bar.parText));
    QPalette palette = m_parPanel->palette();
    palette.setColor(QPalette::WindowText,
                     bar.parRed ? AlertTextColor() : QApplication::palette().color(QPalette::WindowText));
    m_parPanel->setPalette(palette);
    m_mokuZanPanel->setText(ToQString(bar.mokuZanText));
    m_barPaintBox->update();
}

void TZangyoMain::UpdateYukyuPanel() {
    if (!m_settings.YukyuMokuZanDisp)
        return;
    m_session.ledger.LoadLedger();
    const YukyuPanelValue remaining = YukyuRemainder(m_session.ledger.CurrentBalanceText(), m_settings.YukyuMokuZan);
    m_yukyuPanel->setText(ToQString(remaining.text));
    QPalette palette = m_yukyuPanel->palette();
    palette.setColor(QPalette::WindowText,
                     remaining.negative ? AlertTextColor() : QApplication::palette().color(QPalette::WindowText));
    m_yukyuPanel->setPalette(palette);
}

// Shown or hidden as the setting says, the window growing or shrinking by its height; the month on display as
// its files hold it.
void TZangyoMain::UpdateLimitPanel() {
    const bool show = m_settings.Limits.MainDisp;
    if (show == m_limitPanel->isHidden()) {
        const int linesBefore = BottomLinesHeight();
        m_limitPanel->setVisible(show);
        const int newHeight = height() + BottomLinesHeight() - linesBefore;
        ApplySizeLimits();
        resize(width(), newHeight);
    }
    if (!show)
        return;
    const LimitMonth month = ReadLimitMonth(m_session.Location(), m_settings, DisplayedMonth());
    m_limitPanel->setText(ToQString(HeadroomLineText(month, WorkingMonth(m_services.clock.Now(), m_settings.SimeDay))));
    ColourByLevel(*m_limitPanel, HighestLevel(month.checks));
}

void TZangyoMain::HolidayReadItemClick() {
    const YearMonth month = DisplayedMonth();
    MarkHolidays(m_sheet, month.year, month.month, false, CalendarRulesOf(m_settings), m_session.holidays);
    m_model->Refresh();
}

void TZangyoMain::VacationButtonClick() {
    const bool saveFirst = m_settings.AutoSave && !ShiftHeld() && !m_session.SpanShown();
    if (saveFirst && !SaveMonthOnDisplay())
        return;
    m_yuuKyu->show();
    m_yuuKyu->raise();
    m_yuuKyu->activateWindow();
}

void TZangyoMain::SetButtonClick() {
    if (!PromptAmountsPassword(m_settings.KinPass, m_services.questions, this))
        return;
    m_setting->exec();
    if (m_setting->RecreateMonth())
        RecreateCurrentMonth();
}

// The settings now stored show at once; the month shown is not recalculated. The pay-amount and paid-leave
// windows, once they exist, follow from here too.
void TZangyoMain::SettingRegistered() {
    UpdateYukyuPanel();
    UpdateLimitPanel();
    m_yukyuPanel->setVisible(m_settings.YukyuMokuZanDisp);
    SetWindowTitleText();
    m_grid->viewport()->update();
    RefreshPayWindow();
}

// The sheet month of today under the new closing day, laid out anew once the month shown may be left.
void TZangyoMain::RecreateCurrentMonth() {
    if (!LeaveMonthCheck())
        return;
    const YearMonth month = WorkingMonth(m_services.clock.Now(), m_settings.SimeDay);
    try {
        m_session.RecreateMonth(month.year, month.month);
    } catch (const FileWriteError& error) {
        ReportWriteError(error);
        return;
    }
    m_yearMemo->setText(QString::number(month.year));
    m_monthMemo->setText(QString::number(month.month));
    RefreshMonthView();
}

// ---- Pay amounts and the span view ----

void TZangyoMain::TotalButtonClick() {
    if (!PromptAmountsPassword(m_settings.KinPass, m_services.questions, this))
        return;
    m_total->show();
    m_total->raise();
    m_total->activateWindow();
    RecalculateForPayWindow();
}

// The pay window shows the month or span on display as the calculation finds it.
void TZangyoMain::RefreshPayWindow() {
    if (TTotal* total = m_total.IfMade(); total != nullptr && total->isVisible())
        total->ShowPayView(CalculatePayView(m_sheet, m_settings));
}

// The pay window's figures are no edit: a month without edits stays without them.
void TZangyoMain::RecalculateForPayWindow() {
    if (TTotal* total = m_total.IfMade(); total == nullptr || !total->isVisible())
        return;
    m_session.RecalculateForView();
    RefreshMonthView();
}

void TZangyoMain::TokuSyukeiItemClick() {
    findChild<QAction*>(u"TokuSyukeiItem"_s)->setChecked(m_session.SpanShown()); // the menu toggled it
    if (m_tokuSyukei->exec() != QDialog::Accepted)
        return;
    if (!m_session.SpanShown() && !LeaveMonthCheck())
        return;
    m_session.ShowSpan(m_tokuSyukei->Span());
    SetSpanControlsEnabled(false);
    ShowLoadedMonthInMemos();
    RefreshMonthView();
}

void TZangyoMain::TokuKaijyoItemClick() {
    if (!m_session.SpanShown())
        return;
    m_session.ReleaseSpan();
    SetSpanControlsEnabled(true);
    ShowLoadedMonthInMemos();
    RefreshMonthView();
    RecalculateForPayWindow();
}

// While a span is shown nothing may save it or move away from it but its release.
void TZangyoMain::SetSpanControlsEnabled(bool enabled) {
    for (const QString& name : {u"BackButton"_s, u"NowButton"_s, u"NextButton"_s, u"JumpButton"_s, u"CalcButton"_s,
                                u"SaveButton"_s, u"YearCalcButton"_s})
        findChild<QPushButton*>(name)->setEnabled(enabled);
    for (const QString& name : {u"SaveItem"_s, u"BackItem"_s, u"NowItem"_s, u"NextItem"_s, u"JumpItem"_s, u"CalcItem"_s,
                                u"YearCalcitem"_s, u"MokuhyoBarItem"_s, u"SettingItem"_s, u"HolidayReadItem"_s})
        findChild<QAction*>(name)->setEnabled(enabled);
    m_multiUserMenu->menuAction()->setEnabled(enabled);
    findChild<QAction*>(u"TokuKaijyoItem"_s)->setEnabled(!enabled);
    findChild<QAction*>(u"TokuSyukeiItem"_s)->setChecked(!enabled);
    m_gridMenus->AttachPopupMenu(m_grid->CurrentColumn());
}

void TZangyoMain::ShowLoadedMonthInMemos() {
    m_yearMemo->setText(QString::number(m_sheet.loadedYear));
    m_monthMemo->setText(QString::number(m_sheet.loadedMonth));
}

void TZangyoMain::HelpItemClick() {
    HelpViewer().ShowContents();
}

void TZangyoMain::ShowHelp(int topic) {
    HelpViewer().ShowTopic(topic);
}

HelpWindow& TZangyoMain::HelpViewer() {
    if (m_helpWindow == nullptr)
        m_helpWindow = new HelpWindow(this);
    return *m_helpWindow;
}

void TZangyoMain::AboutItemClick() {
    QMessageBox::about(this, u"ﾊﾞｰｼﾞｮﾝ情報"_s, u"ミトラン\nVersion 2.7\n残業時間管理ソフトウェア"_s);
}

// ---- The day grid ----

void TZangyoMain::DayStringGridDblClick(int day, int column, Qt::KeyboardModifiers modifiers) {
    if (day < 1 || day > m_sheet.dayCount)
        return;
    const GridCommand command =
        DoubleClickCommand(column, m_sheet.days[day].cells[column], (modifiers & Qt::ControlModifier) != 0,
                           (modifiers & Qt::ShiftModifier) != 0, m_settings.ClickAutoSelect);
    RunGridCommand(command, day, column);
}

void TZangyoMain::RunGridCommand(GridCommand command, int day, int column) {
    switch (command) {
    case GridCommand::None:
        return;
    case GridCommand::NextKubun:
        KubunChange(m_sheet, day, m_settings);
        break;
    case GridCommand::CurrentTime:
        NowTimeIn(m_sheet, day, column, m_services.clock.Now(), m_settings, *m_timeAdjust);
        break;
    case GridCommand::RegularTime:
        TeijiTimeIn(m_sheet, day, column, m_settings);
        break;
    case GridCommand::ManualEntry:
        ZanTimeIn(m_sheet, day, column, *m_timeSet);
        break;
    }
    RefreshMonthView();
}

void TZangyoMain::DayStringGridCellSelected(int, int) {
    if (m_settings.AutoCalc)
        Recalculate();
}

void TZangyoMain::DayStringGridFocusLeft() {
    if (m_settings.AutoCalc)
        Recalculate();
}

} // namespace mitoran
