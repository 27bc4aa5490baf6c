// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/print/PrintLayout.h"
#include "engine/session/AutoEntry.h"
#include "engine/session/CommandLine.h"
#include "engine/session/GridCommands.h"
#include "engine/session/Navigation.h"
#include "engine/session/PlatformServices.h"
#include "engine/session/Session.h"
#include "engine/session/Tray.h"
#include "gui/common/LazyDialog.h"
#include "gui/common/MonthListServices.h"
#include "gui/tray/TrayPort.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSessionManager;

namespace mitoran {

class BarPaintBox;
class Clock;
class DayGridMenus;
class DayGridModel;
class DayGridView;
class Folders;
class HelpWindow;
class Questions;
class SettingsStore;
class TJump;
class TLimitForm;
class TSetting;
class TTimeAdjust;
class TTimeSet;
class TTokuSyukeiForm;
class TTotal;
class TYearTotal;
class TYuuKyu;

// The platform's services and the command line the program was started with.
struct MainServices : PlatformServices {
    CommandLine commandLine;
};

// The main window: the month on display in the day grid, the summary fields, the target bar, month
// navigation and saving.
class TZangyoMain : public QMainWindow {
    Q_OBJECT

public:
    explicit TZangyoMain(const MainServices& services, QWidget* parent = nullptr);
    ~TZangyoMain() override;

    Session& CurrentSession() { return m_session; }
    YearMonth DisplayedMonth() const;

    // Shows a month (the month already loaded stays as it is) and refreshes grid, summary and bar.
    void ShowMonth(YearMonth month);
    // Whether the month on display may be left: saves or asks as the settings say.
    bool LeaveMonthCheck();
    // Saves the month on display; false (after telling the user) when it could not be written.
    bool SaveMonthOnDisplay();
    // The same, saying whether the month was written, reloaded (another program wrote its file) or kept.
    SaveOutcome SaveMonthOnDisplayChecked();
    // Shows the session's month again after something other than the window changed it.
    void ShowSessionMonth();
    void Recalculate();

    void BackButtonClick();
    void NowButtonClick();
    void NextButtonClick();
    void JumpButtonClick();
    void SaveButtonClick();
    void CalcButtonClick();
    void MokuhyoBarItemClick();
    void YearCalcButtonClick();
    // "36協定": the overtime limits of the agreement year, beside the main window.
    void LimitItemClick();
    void OutFileItemClick();
    // The rows on display (the month, or the span) with their summary: a print preview, or a PDF file.
    void PrintIemClick();
    void PdfItemClick();
    // Shows a month chosen in another window after the leave-month check; false when the check refuses.
    bool JumpToMonth(YearMonth month);
    // What 期間集計 and 36協定 reach through this window.
    MonthListServices MonthListServicesOf();
    void EscButtonClick();
    void HelpItemClick();
    // Saves the month first when AutoSave is on and Shift is not held (a span is never saved), then shows the
    // paid-leave window.
    void VacationButtonClick();
    // "環境設定": the settings dialog behind the amounts password; a changed closing day may re-create the month.
    void SetButtonClick();
    // Opens the help viewer on a topic's page (the contents for an unknown topic).
    void ShowHelp(int topic);
    // "金額表示": the pay-amount window behind the amounts password, after a recalculation.
    void TotalButtonClick();
    // "任意期間一覧": a span of days in place of the month, after the leave-month check; saving and moving
    // between months are off until "任意期間解除" brings the month back.
    void TokuSyukeiItemClick();
    void TokuKaijyoItemClick();

    // The notification area and the way programs are started; tests give their own before the window shows.
    void UseTray(std::unique_ptr<TrayPort> tray, ProgramStarter startProgram);
    // Restores the window from the notification area, behind the start user's tray password.
    void OpenPopMenuClick();
    void ClosePopMenuClick();
    void RxTrayIconClick();
    // A user menu item: switches to the user when the month on display may be left.
    void MultiUserMenuClick(const std::string& user);

    // Brings the window to the front when it is on screen (a second start asked for it).
    void BringToFront();
    // The session is ending: closing runs the leave-month check; a refusal keeps the session going.
    void SessionEndQuery(QSessionManager& manager);
    // Whether the session may end (the window has then closed or entered the leaving time).
    bool AllowSessionEnd();

signals:
    // Once, when the window is on screen and the files a first run left for then are written.
    void OnScreen();
    // The window has closed for good (it may have been hidden in the notification area).
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();
    template <typename Dialog>
    Dialog* EscapableDialog(Dialog* dialog);
    void SaveSettingsReported();
    void RunAutoEntry(TimeKind kind, int mode);
    void AutoLeavingEntry();

    void BuildPanels();
    void BuildMenus();
    void BuildGridMenus();
    QWidget* BuildTopPanel();
    QWidget* BuildRightPanel();
    QWidget* BuildBarPanel();
    void ComputeSizeLimits();
    void ApplySizeLimits();
    void RestorePlacement();
    void SetWindowTitleText();
    void ShowTargetBar(bool changeHeight);

    void ShowCurrentMonthAndToday();
    void StepDisplayedMonth(int direction);
    void RefreshMonthView();
    void ShowSummary();
    void UpdateTargetBar();
    void UpdateYukyuPanel();
    // The line of the overtime limits under the target bar, while "メイン画面に残り時間を表示" is on.
    void UpdateLimitPanel();
    int BottomLinesHeight() const;
    void HolidayReadItemClick();
    void SettingRegistered();
    void SetSpanControlsEnabled(bool enabled);
    void ShowLoadedMonthInMemos();
    void RefreshPayWindow();
    void RecalculateForPayWindow();
    void RecreateCurrentMonth();
    void AboutItemClick();
    HelpWindow& HelpViewer();
    void MinimizeTimerTimer();
    void MinimizeToTray(MinimiseRoute route);
    bool HandOverToWatcher();
    TrayPort& Tray();
    void ConnectTray();
    void SetTrayQuitEnabled(bool enabled);
    void RaiseTrayPrompt();
    void MinimiseOtherWindows();
    void ShowRestored();
    void BuildUserMenu();
    void CheckCurrentUserItem();
    void ClosePayWindowUnlessGranted();

    void DayStringGridDblClick(int day, int column, Qt::KeyboardModifiers modifiers);
    void DayStringGridCellSelected(int day, int column);
    void WindowOnScreen();
    void DayStringGridFocusLeft();
    void RunGridCommand(GridCommand command, int day, int column);
    void ReportWriteError(const std::exception& error);
    PrintList ShownPrintList() const;

    bool ShiftHeld() const;

    MainServices m_services;
    Session m_session;
    Settings& m_settings;
    MonthSheet& m_sheet;

    DayGridModel* m_model = nullptr;
    DayGridView* m_grid = nullptr;
    YearMonth m_startWorkingMonth;
    LazyDialog<TJump> m_jump;
    LazyDialog<TTimeAdjust> m_timeAdjust;
    LazyDialog<TTimeSet> m_timeSet;
    LazyDialog<TYearTotal> m_yearTotal;
    LazyDialog<TLimitForm> m_limits;
    LazyDialog<TYuuKyu> m_yuuKyu;
    LazyDialog<TSetting> m_setting;
    LazyDialog<TTotal> m_total;
    LazyDialog<TTokuSyukeiForm> m_tokuSyukei;
    DayGridMenus* m_gridMenus = nullptr;
    QLineEdit* m_yearMemo = nullptr;
    QLineEdit* m_monthMemo = nullptr;
    // The summary fields of the right panel, top to bottom.
    struct SummaryFields {
        QLineEdit* syukinMemo = nullptr;
        QLineEdit* kyujituMemo = nullptr;
        QLineEdit* zanTMemo = nullptr;
        QLineEdit* sZanTMemo = nullptr;
        QLineEdit* keiTMemo = nullptr;
        QLineEdit* mokuTMemo = nullptr;
        QLineEdit* kinmuTMemo = nullptr;
    } m_summary;
    QWidget* m_rightPanel = nullptr;
    QWidget* m_bottomPanel = nullptr;
    QWidget* m_barPanel = nullptr;
    QLabel* m_parPanel = nullptr;
    QLabel* m_mokuZanPanel = nullptr;
    QLabel* m_yukyuPanel = nullptr;
    BarPaintBox* m_barPaintBox = nullptr;
    QLabel* m_limitPanel = nullptr;
    QPushButton* m_backButton = nullptr;
    QPushButton* m_exitButton = nullptr;
    QAction* m_mokuhyoBarItem = nullptr;
    QAction* m_printItem = nullptr;
    QMenu* m_multiUserMenu = nullptr;
    QActionGroup* m_userItems = nullptr;
    // Made when first needed, unless a test gave its own.
    std::unique_ptr<TrayPort> m_tray;
    ProgramStarter m_startProgram = StartDetachedProgram;
    TrayRestore m_trayRestore;
    std::vector<QPointer<QWidget>> m_minimisedWindows;
    bool m_trayQuitEnabled = true;
    bool m_autoMinimising = false;
    bool m_watcherStarted = false;
    // Made on first use: start-up never pays for the viewer or its pages.
    HelpWindow* m_helpWindow = nullptr;

    QMetaObject::Connection m_focusChangedConnection;
    bool m_sizingReady = false;
    bool m_onScreen = false;
    bool m_shown = false;
    bool m_leavingEntered = false;
    int m_minWidth = 0;
    int m_minHeight = 0;
    int m_maxWidth = 0;
    int m_maxHeight = 0;
    int m_barHeight = 0;
};

} // namespace mitoran
